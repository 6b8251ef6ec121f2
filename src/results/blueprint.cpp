#include "results/blueprint.h"

#include "platform/readfile.h"
#include "results/student.h"

#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <QStringDecoder>
#include <QStringList>

#include <algorithm>
#include <optional>

namespace zavevad {

namespace {

// The warning names at most this many lines: a file of some other kind would
// otherwise fill the prompt window with numbers.
constexpr int kNamedLines = 10;

std::optional<int> questionNumber(QStringView text, int questionCount)
{
    const QStringView digits = text.trimmed();
    // Three digits are plenty for 1..30 and keep the value far from overflow.
    if (digits.isEmpty() || digits.size() > 3)
        return std::nullopt;
    int number = 0;
    for (const QChar c : digits) {
        if (c < u'0' || c > u'9')
            return std::nullopt;
        number = number * 10 + (c.unicode() - u'0');
    }
    if (number < 1 || number > questionCount)
        return std::nullopt;
    return number;
}

// A stray carriage return or other control character is no part of a name:
// the line is as broken as one without its tab.
bool hasControl(const QString &text)
{
    return std::any_of(text.cbegin(), text.cend(),
            [](QChar c) { return c.category() == QChar::Other_Control; });
}

// A tab or a line break typed into a name would split the line when read back.
QString oneField(const QString &text)
{
    QString field = text;
    for (QChar &c : field) {
        if (c == u'\t' || c == u'\n' || c == u'\r')
            c = u' ';
    }
    return field.trimmed();
}

QString blueprintMessage(const QString &text)
{
    return kBlueprintFileName.toString() + QStringLiteral(": ") + text;
}

} // namespace

BlueprintRead parseBlueprint(QByteArrayView content, int questionCount)
{
    const int k = usableQuestionCount(questionCount);
    BlueprintRead read;
    if (content.startsWith("\xEF\xBB\xBF"))
        content = content.sliced(3);

    QHash<QString, std::size_t> skillIndex;
    int lineNumber = 0;
    while (!content.isEmpty()) {
        const qsizetype end = content.indexOf('\n');
        QByteArrayView bytes = end < 0 ? content : content.first(end);
        content = end < 0 ? QByteArrayView() : content.sliced(end + 1);
        ++lineNumber;
        if (bytes.endsWith('\r'))
            bytes.chop(1);

        QStringDecoder decoder(QStringDecoder::Utf8);
        const QString line = decoder(bytes);
        if (decoder.hasError()) {
            read.skippedLines.append(lineNumber);
            continue;
        }
        if (line.trimmed().isEmpty() || line.startsWith(u'#'))
            continue;

        const QStringList fields = line.split(u'\t');
        const std::optional<int> question = fields.size() == 2 || fields.size() == 3
                ? questionNumber(fields.at(0), k)
                : std::nullopt;
        const QString name = fields.value(1).trimmed();
        const QString requirement = fields.value(2).trimmed();
        if (!question || name.isEmpty() || hasControl(name) || hasControl(requirement)) {
            read.skippedLines.append(lineNumber);
            continue;
        }

        auto found = skillIndex.constFind(name);
        if (found == skillIndex.cend()) {
            found = skillIndex.insert(name, read.blueprint.skills.size());
            read.blueprint.skills.push_back(Skill{name, QString(), 0});
        }
        Skill &skill = read.blueprint.skills[*found];
        skill.questions |= 1u << (*question - 1);
        if (skill.requirement.isEmpty())
            skill.requirement = requirement;
    }
    if (!read.skippedLines.isEmpty())
        read.warning = skippedLinesWarning(read.skippedLines);
    return read;
}

BlueprintRead readBlueprint(const QString &directory, int questionCount)
{
    // One byte more than allowed tells a file that is too big.
    const FileHead head = readHead(
            QDir(directory).filePath(kBlueprintFileName.toString()), kMaxBlueprintFileSize + 1);
    BlueprintRead read;
    read.folder = directory;
    read.found = head.failure != FileHead::Failure::NotFound;
    switch (head.failure) {
    case FileHead::Failure::None:
        break;
    case FileHead::Failure::NotFound:
        return read;
    case FileHead::Failure::NotRegular:
        read.warning = blueprintMessage(QStringLiteral("to nie jest zwykły plik; pominięto go"));
        read.blueprint.problem = read.warning;
        return read;
    case FileHead::Failure::CannotOpen:
    case FileHead::Failure::ReadFailed:
        read.warning = blueprintMessage(QStringLiteral("nie można odczytać pliku; pominięto go"));
        read.blueprint.problem = read.warning;
        return read;
    }
    if (head.bytes.size() > kMaxBlueprintFileSize) {
        read.warning = blueprintMessage(QStringLiteral("plik jest większy niż %1 KB; pominięto go")
                                                .arg(kMaxBlueprintFileSize / 1024));
        read.blueprint.problem = read.warning;
        return read;
    }
    read = parseBlueprint(head.bytes, questionCount);
    read.folder = directory;
    read.found = true;
    if (read.blueprint.empty())
        read.blueprint.problem = read.warning.isEmpty()
                ? blueprintMessage(QStringLiteral("plik nie zawiera żadnego wiersza kartoteki"))
                : read.warning;
    return read;
}

namespace {

QStringList blueprintFolders(const QString &firstResultFile)
{
    const QString beside = QFileInfo(firstResultFile).absolutePath();
    const QString above = QFileInfo(beside).absolutePath();
    return above == beside ? QStringList{beside} : QStringList{beside, above};
}

} // namespace

BlueprintRead readTestBlueprint(const QString &firstResultFile, int questionCount)
{
    const QStringList folders = blueprintFolders(firstResultFile);
    for (const QString &folder : folders) {
        if (BlueprintRead read = readBlueprint(folder, questionCount); read.found)
            return read;
    }
    BlueprintRead none;
    none.folder = folders.constFirst();
    return none;
}

QString blueprintPathFor(const QString &firstResultFile)
{
    const QStringList folders = blueprintFolders(firstResultFile);
    for (const QString &folder : folders) {
        const QFileInfo file(QDir(folder).filePath(kBlueprintFileName.toString()));
        if (file.exists() || file.isSymLink())
            return file.filePath();
    }
    return QDir(folders.constFirst()).filePath(kBlueprintFileName.toString());
}

QString skippedLinesWarning(const QList<int> &lines)
{
    QStringList numbers;
    for (qsizetype i = 0; i < lines.size() && i < kNamedLines; ++i)
        numbers.append(QString::number(lines.at(i)));
    QString text = (lines.size() == 1 ? QStringLiteral("pominięto wiersz ")
                                      : QStringLiteral("pominięto wiersze "))
            + numbers.join(QStringLiteral(", "));
    if (lines.size() > kNamedLines)
        text += QStringLiteral(" i dalsze (razem: %1)").arg(lines.size());
    return blueprintMessage(text);
}

QByteArray blueprintFileBytes(const Blueprint &blueprint, int questionCount)
{
    const int k = usableQuestionCount(questionCount);
    QString text;
    for (int q = 1; q <= k; ++q) {
        for (const Skill &skill : blueprint.skills) {
            if (!(skill.questions & (1u << (q - 1))))
                continue;
            text += QString::number(q) + u'\t' + oneField(skill.name);
            const QString requirement = oneField(skill.requirement);
            if (!requirement.isEmpty())
                text += u'\t' + requirement;
            text += u'\n';
        }
    }
    return text.toUtf8();
}

std::uint32_t questionsWithoutSkill(const Blueprint &blueprint, int questionCount)
{
    const int k = usableQuestionCount(questionCount);
    std::uint32_t all = k >= 32 ? ~0u : (1u << k) - 1u;
    for (const Skill &skill : blueprint.skills)
        all &= ~skill.questions;
    return all;
}

} // namespace zavevad
