#include "report/cardskills.h"

#include "report/paper.h"

#include <algorithm>
#include <cmath>

namespace zavevad {

namespace {

// The grid's row of 14 points at the cards' 9-point type, in proportion.
constexpr double kRowPerPoint = 14.0 / 9.0;

} // namespace

QStringList wrappedLines(const QString &text, double points, double room, const TextWidth &width)
{
    QStringList lines;
    QString line;
    const QStringList words = text.split(QLatin1Char(' '), Qt::SkipEmptyParts);
    for (const QString &word : words) {
        const QString joined = line.isEmpty() ? word : QString(line + QLatin1Char(' ') + word);
        if (width(joined, points, false) <= room) {
            line = joined;
            continue;
        }
        if (!line.isEmpty())
            lines.append(line);
        line.clear();
        for (const QChar c : word) {
            if (!line.isEmpty() && width(QString(line + c), points, false) > room) {
                lines.append(line);
                line.clear();
            }
            line += c;
        }
    }
    if (!line.isEmpty() || lines.isEmpty())
        lines.append(line);
    return lines;
}

const std::array<QString, 4> &CardSkillsLayout::headers()
{
    static const std::array<QString, 4> names{QStringLiteral("Umiejętność"),
            QStringLiteral("Liczba pytań"), QStringLiteral("Uczeń: poprawnie"),
            QStringLiteral("Klasa: poprawnie")};
    return names;
}

double CardSkillsLayout::rowHeight(qsizetype lines) const
{
    return std::max(headerHeight, lineHeight * static_cast<double>(lines) + padding);
}

qsizetype CardSkillsLayout::linesHere(
        qsizetype rest, qsizetype from, double top, double y, double limit) const
{
    const auto fit = static_cast<qsizetype>(std::floor((limit - y - padding) / lineHeight));
    const bool freshPage = y <= top + headerHeight + 0.01;
    if (!freshPage && (fit < 1 || (fit < rest && from == 0)))
        return 0;
    return std::clamp(fit, qsizetype{1}, rest);
}

int CardSkillsLayout::pagesFor(double top, double nextTop, double limit) const
{
    int pages = 1;
    double y = top + headerHeight;
    for (const QStringList &lines : names) {
        qsizetype from = 0;
        while (from < lines.size()) {
            const qsizetype count = linesHere(lines.size() - from, from, top, y, limit);
            if (count == 0) {
                ++pages;
                top = nextTop;
                y = top + headerHeight;
                continue;
            }
            y += rowHeight(count);
            from += count;
        }
    }
    return pages;
}

CardSkillsLayout cardSkillsLayout(const std::vector<CardSkill> &skills, double width, double points,
        double lineHeight, double padding, const TextWidth &textWidth)
{
    CardSkillsLayout layout;
    layout.points = points;
    layout.lineHeight = lineHeight;
    layout.padding = padding;
    layout.headerHeight = kRowPerPoint * points * kUnitsPerPoint;
    // The figures' columns as wide as their headers or their widest possible
    // value, whatever this student's: every card alike.
    const QString widest[] = {
            QStringLiteral("30"), QStringLiteral("100 %"), QStringLiteral("100 %")};
    double figures = 0;
    for (std::size_t c = 1; c < 4; ++c) {
        layout.widths[c] = std::max(textWidth(CardSkillsLayout::headers()[c], points, true),
                                   textWidth(widest[c - 1], points, false))
                + 2 * padding;
        figures += layout.widths[c];
    }
    layout.widths[0] = std::max(width - figures, width / 3);
    const double room = layout.widths[0] - 2 * padding;
    for (const CardSkill &skill : skills) {
        QString name = skill.name;
        if (!skill.requirement.isEmpty())
            name += QStringLiteral(" (") + skill.requirement + QLatin1Char(')');
        layout.names.push_back(wrappedLines(name, points, room, textWidth));
    }
    return layout;
}

} // namespace zavevad
