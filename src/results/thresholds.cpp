#include "results/thresholds.h"

#include "platform/decimalint.h"
#include "platform/readfile.h"
#include "results/codepage.h"
#include "results/userlocale.h"

#include <QCollator>
#include <QDir>

#include <optional>

namespace zavevad {

namespace {

QList<QStringView> splitLines(QStringView text)
{
    QList<QStringView> lines;
    qsizetype start = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c != u'\r' && c != u'\n')
            continue;
        lines.append(text.sliced(start, i - start));
        if (c == u'\r' && i + 1 < text.size() && text.at(i + 1) == u'\n')
            ++i;
        start = i + 1;
    }
    if (start < text.size())
        lines.append(text.sliced(start));
    return lines;
}

// The value of the first line whose text before its first "=" equals the key,
// letter case ignored; nothing is trimmed.
std::optional<QStringView> lookUp(
        const QList<QStringView> &lines, QStringView key, const QCollator &collator)
{
    for (const QStringView line : lines) {
        const qsizetype eq = line.indexOf(u'=');
        if (eq < 0)
            continue;
        if (collator.compare(line.first(eq), key) == 0)
            return line.sliced(eq + 1);
    }
    return std::nullopt;
}

// Leading blanks, then a whole number as the number boxes take it.
std::optional<std::int32_t> wholeNumber(QStringView text)
{
    qsizetype blanks = 0;
    while (blanks < text.size() && text.at(blanks) == u' ')
        ++blanks;
    return parseDecimalInt(text.sliced(blanks));
}

} // namespace

Thresholds parseThresholds(QByteArrayView content)
{
    const QString text = codepage::fromCp1250(content);
    const QList<QStringView> lines = splitLines(text);
    const QCollator collator = userCollator();

    auto value = [&](QStringView key) -> std::optional<std::int32_t> {
        const std::optional<QStringView> v = lookUp(lines, key, collator);
        return v ? wholeNumber(*v) : std::nullopt;
    };

    // Looked up in this order; any problem gives all five defaults.
    const auto dop = value(u"Dp");
    const auto dst = value(u"Dst");
    const auto db = value(u"Db");
    const auto bdb = value(u"Bdb");
    const auto cel = value(u"cel");
    if (!dop || !dst || !db || !bdb || !cel)
        return Thresholds{};

    Thresholds t;
    t.dop = *dop;
    t.dst = *dst;
    t.db = *db;
    t.bdb = *bdb;
    t.cel = *cel;
    return t;
}

Thresholds loadThresholds(const QString &directory)
{
    // One byte more than allowed tells a file that is too big.
    const FileHead head = readHead(
            QDir(directory).filePath(kThresholdsFileName.toString()), kMaxThresholdsFileSize + 1);
    if (!head.ok() || head.bytes.size() > kMaxThresholdsFileSize)
        return Thresholds{};
    return parseThresholds(head.bytes);
}

QString gradeName(std::int32_t percent, const Thresholds &t)
{
    // Widened: a threshold at the int32 minimum must not wrap when one is taken off.
    const std::int64_t p = percent;
    auto within = [p](std::int64_t low, std::int64_t high) {
        return low <= p && p <= high;
    };
    if (within(t.cel, 100))
        return QStringLiteral("Cel");
    if (within(t.bdb, std::int64_t(t.cel) - 1))
        return QStringLiteral("Bdb");
    if (within(t.db, std::int64_t(t.bdb) - 1))
        return QStringLiteral("Db");
    if (within(t.dst, std::int64_t(t.db) - 1))
        return QStringLiteral("Dst");
    if (within(t.dop, std::int64_t(t.dst) - 1))
        return QStringLiteral("Dop");
    return QStringLiteral("Ndst");
}

} // namespace zavevad
