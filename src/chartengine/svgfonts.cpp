#include "chartengine/svgfonts.h"

#include <QRegularExpression>

namespace zavevad::chart {

namespace {

bool isGeneric(const QString &family)
{
    static const QStringList generic = {QStringLiteral("serif"), QStringLiteral("sans-serif"),
            QStringLiteral("monospace"), QStringLiteral("cursive"), QStringLiteral("fantasy"),
            QStringLiteral("system-ui")};
    return generic.contains(family.trimmed(), Qt::CaseInsensitive);
}

// A family name that CSS reads as it stands: words of letters, digits,
// hyphens and underscores, none starting with a digit.
bool needsQuotes(const QString &family)
{
    static const QRegularExpression plain(
            QStringLiteral("^[A-Za-z_-][A-Za-z0-9_-]*( [A-Za-z_-][A-Za-z0-9_-]*)*$"));
    return !plain.match(family).hasMatch();
}

} // namespace

QString genericFontFamily(const QString &family)
{
    const QString name = family.toLower();
    static const QStringList monospace = {QStringLiteral("mono"), QStringLiteral("courier"),
            QStringLiteral("consol"), QStringLiteral("fixed")};
    for (const QString &part : monospace) {
        if (name.contains(part))
            return QStringLiteral("monospace");
    }
    static const QStringList serif = {QStringLiteral("times"), QStringLiteral("georgia"),
            QStringLiteral("garamond"), QStringLiteral("palatino"), QStringLiteral("cambria"),
            QStringLiteral("book antiqua"), QStringLiteral("century schoolbook")};
    if (name.contains(QLatin1String("serif")) && !name.contains(QLatin1String("sans")))
        return QStringLiteral("serif");
    for (const QString &start : serif) {
        if (name.startsWith(start))
            return QStringLiteral("serif");
    }
    return QStringLiteral("sans-serif");
}

QByteArray withGenericFontFamilies(const QByteArray &svg)
{
    static const QRegularExpression attribute(QStringLiteral("font-family=\"([^\"]*)\""));
    const QString text = QString::fromUtf8(svg);
    QString result;
    result.reserve(text.size() + text.size() / 16);
    qsizetype done = 0;
    for (QRegularExpressionMatchIterator it = attribute.globalMatch(text); it.hasNext();) {
        const QRegularExpressionMatch match = it.next();
        const QString value = match.captured(1);
        const QString last = value.section(QLatin1Char(','), -1).trimmed();
        result += QStringView(text).mid(done, match.capturedStart() - done);
        done = match.capturedEnd();
        if (value.trimmed().isEmpty() || isGeneric(last)) {
            result += match.captured(0);
            continue;
        }
        const QString family = value.trimmed();
        // One family is written as QSvgGenerator gives it; several are left
        // alone but for the generic family at the end.
        const bool single = !family.contains(QLatin1Char(','));
        const QString written = single && needsQuotes(family)
                ? QLatin1Char('\'') + family + QLatin1Char('\'')
                : family;
        result += QStringLiteral("font-family=\"") + written + QStringLiteral(", ")
                + genericFontFamily(single ? family : last) + QLatin1Char('"');
    }
    result += QStringView(text).mid(done);
    return result.toUtf8();
}

} // namespace zavevad::chart
