#include "report/cardpainter.h"

#include "report/cardprogress.h"
#include "report/cardskills.h"
#include "report/cardtext.h"
#include "report/paper.h"
#include "tables/numberformat.h"

#include <QFontMetricsF>
#include <QLocale>
#include <QPageSize>
#include <QPainter>

#include <algorithm>
#include <array>
#include <cmath>
#include <functional>
#include <optional>
#include <utility>

namespace zavevad {

namespace cardpaint {

namespace {

constexpr double kMargin = 42.52 * kUnitsPerPoint; // 15 mm, as the report's
constexpr double kBoxPadding = 6 * kUnitsPerPoint;
constexpr double kBoxGap = 8 * kUnitsPerPoint;
constexpr double kSectionGap = 14 * kUnitsPerPoint;
constexpr double kCellPadding = 4 * kUnitsPerPoint;
constexpr double kRowPoints = 14;
constexpr double kCellPoints = 9;
constexpr int kQuestionsPerBlock = 15;
constexpr double kLabelPoints = 9;
constexpr double kTimePoints = 13;
// No skill is set smaller: the table goes on over another page instead.
constexpr double kFloorPoints = 7;

// Dark on the light page, and right and wrong told apart by their marks and
// words as well as by colour, so that a black-and-white printout keeps them.
const QColor kInk(0, 0, 0);
const QColor kLabelInk(64, 64, 64);
const QColor kRightInk(0, 100, 0);
const QColor kWrongInk(170, 0, 0);
const QColor kRule(150, 150, 150);
const QColor kHeaderFill(228, 228, 228);
const QColor kWrongFill(242, 242, 242);

QSizeF pageSize()
{
    return QPageSize(QPageSize::A4).size(QPageSize::Point) * kUnitsPerPoint;
}

QString percentText(std::int32_t percent)
{
    return QStringLiteral("%1 %").arg(percent);
}

/// A mean or a median with two decimals, as the report shows them.
QString statisticPointsText(std::int64_t hundredths)
{
    return twoDecimalText(hundredths) + QStringLiteral(" pkt");
}

QString markText(bool correct)
{
    return correct ? QStringLiteral("\u2713 dobrze") : QStringLiteral("\u2717 źle");
}

/// A table of texts drawn in a rectangle: each column as wide as its widest
/// text at the chosen size, the first column taking what is left.
struct CardTable
{
    std::vector<QString> header;
    std::vector<std::vector<QString>> rows;
    /// Per row: whether the answer it shows was wrong (the question table).
    std::vector<bool> wrong;
    int markColumn = -1;
    /// Figures only: every column centred and the spare width shared out;
    /// else the first column holds names, flush left, and takes it all.
    bool figures = false;
};

} // namespace

class Painter : private CardText
{
public:
    explicit Painter(QPainter &painter) : CardText(painter), m_timeFormat(longTimeFormat()) { }

    /// Paints the card from page `page` of `pages`; `nextPage` starts the
    /// card's next page (false: the device failed). Returns the number of
    /// pages painted, 0 on a failure.
    int paint(const StudentCard &card, int page, int pages, const std::function<bool()> &nextPage)
    {
        const QSizeF size = pageSize();
        const double left = kMargin;
        const double width = size.width() - 2 * kMargin;
        const double bottom = size.height() - kMargin;
        double y = kMargin;

        y = heading(card, left, width, y);
        y = resultBoxes(card, left, width, y);
        y = classBoxes(card, left, width, y);
        y = standing(card, left, width, y);
        y = progress(card, left, width, y);
        y = questions(card, left, width, y);

        // The skills take the room that the working time and the thresholds
        // at the foot leave, and go on over the next pages when they need more.
        const double footHeight =
                boxHeight(kTimePoints) + kSectionGap + metrics(8, false).height() * 2;
        int used = 1;
        if (!card.skills.empty()) {
            const auto turnPage = [&]() -> std::optional<double> {
                footer(card, left, width, bottom, page + used - 1, pages);
                if (!nextPage())
                    return std::nullopt;
                ++used;
                return continuationHeading(card, left, width, kMargin);
            };
            const std::optional<double> end =
                    skills(card, left, width, y, bottom - footHeight, turnPage);
            if (!end)
                return 0;
            y = *end + kSectionGap;
        }
        workingTime(card, left, width, y);
        footer(card, left, width, bottom, page + used - 1, pages);
        return used;
    }

private:
    void box(const QRectF &rect)
    {
        m_painter.setPen(QPen(kRule, 0.75 * kUnitsPerPoint));
        m_painter.setBrush(Qt::NoBrush);
        m_painter.drawRect(rect);
    }

    double sectionTitle(const QString &title, double left, double width, double y)
    {
        const double points = fitted(title, 11, true, width);
        const QFontMetricsF &m = metrics(points, true);
        text(title, left, y + m.ascent(), points, true, kInk);
        return y + metrics(11, true).height() + 4 * kUnitsPerPoint;
    }

    double heading(const StudentCard &card, double left, double width, double y)
    {
        // A small line naming the page and the date, the test (and class) in bold.
        const QString kind = QStringLiteral("Karta wyników ucznia");
        const QString date =
                card.date.isEmpty() ? QString() : QStringLiteral("Data testu: ") + card.date;
        double points = 10;
        while (points > kSmallestPoints
                && textWidth(kind, points, false) + textWidth(date, points, false) + kBoxGap
                        > width)
            points -= 0.5;
        const QFontMetricsF &small = metrics(points, false);
        text(kind, left, y + small.ascent(), points, false, kLabelInk);
        text(date, left + width, y + small.ascent(), points, false, kLabelInk, Qt::AlignRight);
        y += small.height() * 1.3;

        const QString test = QStringLiteral("Test: ") + card.testName;
        const QString schoolClass =
                card.className.isEmpty() ? QString() : QStringLiteral("Klasa: ") + card.className;
        points = 14;
        while (points > kSmallestPoints
                && textWidth(test, points, true) + textWidth(schoolClass, points, true) + kBoxGap
                        > width)
            points -= 0.5;
        const QFontMetricsF &bold = metrics(points, true);
        text(test, left, y + bold.ascent(), points, true, kInk);
        text(schoolClass, left + width, y + bold.ascent(), points, true, kInk, Qt::AlignRight);
        // The full size's height: every card is laid out alike, so that
        // every card takes as many pages as the first.
        y += metrics(14, true).height() + 6 * kUnitsPerPoint;

        m_painter.setPen(QPen(kRule, 0.75 * kUnitsPerPoint));
        m_painter.drawLine(QLineF(left, y, left + width, y));
        y += 10 * kUnitsPerPoint;

        const double namePoints = fitted(card.studentName, 22, true, width);
        const QFontMetricsF &name = metrics(namePoints, true);
        text(card.studentName, left, y + name.ascent(), namePoints, true, kInk);
        return y + std::max(name.height(), metrics(22, true).height()) + 8 * kUnitsPerPoint;
    }

    double boxHeight(double valuePoints)
    {
        return kBoxPadding * 2 + metrics(kLabelPoints, false).height()
                + metrics(valuePoints, true).height();
    }

    /// A row of framed boxes, each a label over a value, as wide as `shares` say.
    double boxes(const std::vector<std::pair<QString, QString>> &items,
            const std::vector<double> &shares, double valuePoints, double left, double width,
            double y)
    {
        const double labelPoints = kLabelPoints;
        const QFontMetricsF &label = metrics(labelPoints, false);
        const QFontMetricsF &value = metrics(valuePoints, true);
        const double height = boxHeight(valuePoints);
        const double room = width - kBoxGap * static_cast<double>(items.size() - 1);
        double x = left;
        for (std::size_t i = 0; i < items.size(); ++i) {
            const double w = room * shares[i];
            box(QRectF(x, y, w, height));
            const double inner = w - 2 * kBoxPadding;
            const double lp = fitted(items[i].first, labelPoints, false, inner);
            text(items[i].first, x + kBoxPadding, y + kBoxPadding + label.ascent(), lp, false,
                    kLabelInk);
            const double vp = fitted(items[i].second, valuePoints, true, inner);
            text(items[i].second, x + kBoxPadding,
                    y + kBoxPadding + label.height() + value.ascent(), vp, true, kInk);
            x += w + kBoxGap;
        }
        return y + height + kSectionGap;
    }

    double resultBoxes(const StudentCard &card, double left, double width, double y)
    {
        const QString grade = card.grade + QStringLiteral(" \u2014 ") + fullGradeName(card.grade);
        return boxes(
                {{QStringLiteral("Punkty"),
                         QStringLiteral("%1 z %2 pkt").arg(card.points).arg(card.questionCount)},
                        {QStringLiteral("Procent"), percentText(card.percent)},
                        {QStringLiteral("Ocena"), grade}},
                {0.26, 0.22, 0.52}, 18, left, width, y);
    }

    double classBoxes(const StudentCard &card, double left, double width, double y)
    {
        const QString title = card.className.isEmpty()
                ? QStringLiteral("Na tle klasy")
                : QStringLiteral("Na tle klasy ") + card.className;
        y = sectionTitle(title, left, width, y);
        std::vector<std::pair<QString, QString>> items{
                {QStringLiteral("Średnia klasy"), statisticPointsText(card.classMeanPoints100)},
                {QStringLiteral("Mediana klasy"),
                        statisticPointsText(card.classMedianPoints2 * 50)}};
        // Alone in the class, a student is better than no one and worse
        // than no one: the sentence would say nothing true.
        if (card.classSize < 2)
            return boxes(items, {0.5, 0.5}, 13, left, width, y);
        items.emplace_back(QStringLiteral("Pozycja w klasie"),
                QStringLiteral("Wynik lepszy niż %1 % klasy").arg(card.betterThanPercent));
        return boxes(items, {0.26, 0.22, 0.52}, 13, left, width, y);
    }

    /// The stanine and the score band, a line each where they are defined.
    double standing(const StudentCard &card, double left, double width, double y)
    {
        bool any = false;
        for (const QString &line : {stanineLine(card), scoreBandLine(card)}) {
            if (line.isEmpty())
                continue;
            const double points = fitted(line, 11, false, width);
            const QFontMetricsF &m = metrics(points, false);
            text(line, left, y + m.ascent(), points, false, kInk);
            y += m.height() + 2 * kUnitsPerPoint;
            any = true;
        }
        return any ? y + kSectionGap - 2 * kUnitsPerPoint : y;
    }

    /// With several tests loaded: the student's percentage per test beside
    /// the class's mean.
    double progress(const StudentCard &card, double left, double width, double y)
    {
        if (card.progress.empty())
            return y;
        y = sectionTitle(QStringLiteral("Postępy"), left, width, y);
        paintCardProgress(m_painter, card.progress, QRectF(left, y, width, kCardProgressHeight));
        return y + kCardProgressHeight + kSectionGap;
    }

    /// Draws `table` from `top` in `width`, at the largest size up to
    /// kCellPoints whose texts fit their columns and whose rows fit `height`.
    double table(const CardTable &table, double left, double width, double top, double height)
    {
        const std::size_t columns = table.header.size();
        const double rows = static_cast<double>(table.rows.size() + 1);
        double points = kCellPoints;
        std::vector<double> widths;
        auto rowHeight = [&](double p) {
            return kRowPoints * kUnitsPerPoint * p / kCellPoints;
        };
        for (;; points -= 0.5) {
            widths.assign(columns, 0);
            for (std::size_t c = 0; c < columns; ++c) {
                widths[c] = textWidth(table.header[c], points, true);
                for (const std::vector<QString> &row : table.rows)
                    widths[c] = std::max(widths[c], textWidth(row[c], points, false));
                widths[c] += 2 * kCellPadding;
            }
            double total = 0;
            for (double w : widths)
                total += w;
            const bool fits = total <= width && rows * rowHeight(points) <= height;
            if (fits || points <= 0.5) {
                const double spare = std::max(width - total, 0.0);
                if (table.figures) {
                    for (double &w : widths)
                        w += spare / static_cast<double>(columns);
                } else {
                    widths[0] += spare;
                }
                break;
            }
        }
        const double rowH = rowHeight(points);
        const QFontMetricsF &regular = metrics(points, false);
        const auto baseline = [&](double rowTop) {
            return rowTop + (rowH - regular.height()) / 2 + regular.ascent();
        };

        m_painter.fillRect(QRectF(left, top, width, rowH), kHeaderFill);
        for (std::size_t r = 0; r < table.rows.size(); ++r) {
            if (r < table.wrong.size() && table.wrong[r])
                m_painter.fillRect(
                        QRectF(left, top + rowH * static_cast<double>(r + 1), width, rowH),
                        kWrongFill);
        }
        double x = left;
        for (std::size_t c = 0; c < columns; ++c) {
            // Names to the left, figures to the right of their columns.
            double at = x + widths[c] - kCellPadding;
            Qt::Alignment align = Qt::AlignRight;
            if (table.figures) {
                at = x + widths[c] / 2;
                align = Qt::AlignHCenter;
            } else if (c == 0) {
                at = x + kCellPadding;
                align = Qt::AlignLeft;
            }
            text(table.header[c], at, baseline(top), points, true, kInk, align);
            for (std::size_t r = 0; r < table.rows.size(); ++r) {
                QColor colour = kInk;
                if (static_cast<int>(c) == table.markColumn)
                    colour = table.wrong[r] ? kWrongInk : kRightInk;
                text(table.rows[r][c], at, baseline(top + rowH * static_cast<double>(r + 1)),
                        points, false, colour, align);
            }
            x += widths[c];
        }
        // The grid lines.
        const double bottom = top + rowH * rows;
        m_painter.setPen(QPen(kRule, 0.5 * kUnitsPerPoint));
        for (int r = 0; r <= static_cast<int>(rows); ++r)
            m_painter.drawLine(QLineF(left, top + rowH * r, left + width, top + rowH * r));
        x = left;
        m_painter.drawLine(QLineF(x, top, x, bottom));
        for (double w : widths) {
            x += w;
            m_painter.drawLine(QLineF(x, top, x, bottom));
        }
        return bottom;
    }

    double questions(const StudentCard &card, double left, double width, double y)
    {
        y = sectionTitle(QStringLiteral("Odpowiedzi na pytania"), left, width, y);
        const auto count = static_cast<int>(card.questions.size());
        const int blocks = std::max(1, (count + kQuestionsPerBlock - 1) / kQuestionsPerBlock);
        const double blockWidth = (width - kBoxGap * (blocks > 1 ? 1 : 0)) / std::max(blocks, 2);
        double bottom = y;
        for (int b = 0; b < blocks; ++b) {
            CardTable block;
            block.header = {QStringLiteral("Pytanie"), QStringLiteral("Odpowiedź"),
                    QStringLiteral("Klasa: poprawnie")};
            block.markColumn = 1;
            block.figures = true;
            for (int i = b * kQuestionsPerBlock; i < std::min(count, (b + 1) * kQuestionsPerBlock);
                    ++i) {
                const CardQuestion &question = card.questions[static_cast<std::size_t>(i)];
                block.rows.push_back({QString::number(question.number), markText(question.correct),
                        percentText(question.classPercent)});
                block.wrong.push_back(!question.correct);
            }
            const double x = left + (blockWidth + kBoxGap) * b;
            bottom = std::max(bottom,
                    table(block, x, blockWidth, y,
                            kRowPoints * kUnitsPerPoint * (kQuestionsPerBlock + 1)));
        }
        return bottom + kSectionGap;
    }

    /// The top of a card's further page: whose card it is, and the section it continues.
    double continuationHeight()
    {
        return metrics(10, false).height() * 1.3 + metrics(14, true).height() + kSectionGap
                + metrics(11, true).height() + 4 * kUnitsPerPoint;
    }

    double continuationHeading(const StudentCard &card, double left, double width, double y)
    {
        const QString kind = QStringLiteral("Karta wyników ucznia (ciąg dalszy)");
        const QFontMetricsF &small = metrics(10, false);
        text(kind, left, y + small.ascent(), fitted(kind, 10, false, width), false, kLabelInk);
        y += small.height() * 1.3;
        const double namePoints = fitted(card.studentName, 14, true, width);
        text(card.studentName, left, y + metrics(14, true).ascent(), namePoints, true, kInk);
        y += metrics(14, true).height() + kSectionGap;
        return sectionTitle(QStringLiteral("Umiejętności (ciąg dalszy)"), left, width, y);
    }

    CardSkillsLayout skillLayout(const StudentCard &card, double width, double points)
    {
        return cardSkillsLayout(card.skills, width, points, metrics(points, false).height(),
                kCellPadding, [this](const QString &text, double size, bool bold) {
                    return textWidth(text, size, bold);
                });
    }

    /// The skills from `y`, above `limit` on every page; `turnPage` ends the
    /// page and gives where the next one's table starts. Returns the bottom of
    /// the table on its last page, nothing when a page could not be started.
    std::optional<double> skills(const StudentCard &card, double left, double width, double y,
            double limit, const std::function<std::optional<double>()> &turnPage)
    {
        y = sectionTitle(QStringLiteral("Umiejętności"), left, width, y);
        // The largest type, down to kFloorPoints, that needs the fewest pages:
        // smaller type saves a page, never a word.
        const double nextTop = kMargin + continuationHeight();
        CardSkillsLayout layout = skillLayout(card, width, kCellPoints);
        int fewest = layout.pagesFor(y, nextTop, limit);
        for (double points = kCellPoints - 0.5; points >= kFloorPoints; points -= 0.5) {
            CardSkillsLayout smaller = skillLayout(card, width, points);
            if (const int pages = smaller.pagesFor(y, nextTop, limit); pages < fewest) {
                fewest = pages;
                layout = std::move(smaller);
            }
        }

        double top = y;
        y = skillHeader(layout, left, width, y);
        for (std::size_t s = 0; s < card.skills.size(); ++s) {
            const QStringList &lines = layout.names[s];
            qsizetype from = 0;
            while (from < lines.size()) {
                const qsizetype count = layout.linesHere(lines.size() - from, from, top, y, limit);
                if (count == 0) {
                    skillGrid(layout, left, top, y);
                    const std::optional<double> next = turnPage();
                    if (!next)
                        return std::nullopt;
                    top = *next;
                    y = skillHeader(layout, left, width, top);
                    continue;
                }
                y = skillRow(card.skills[s], layout, lines.mid(from, count), from == 0, left, y);
                from += count;
            }
        }
        skillGrid(layout, left, top, y);
        return y;
    }

    double skillHeader(const CardSkillsLayout &layout, double left, double width, double y)
    {
        m_painter.fillRect(QRectF(left, y, width, layout.headerHeight), kHeaderFill);
        const QFontMetricsF &bold = metrics(layout.points, true);
        const double baseline = y + (layout.headerHeight - bold.height()) / 2 + bold.ascent();
        double x = left;
        for (std::size_t c = 0; c < 4; ++c) {
            if (c == 0)
                text(CardSkillsLayout::headers()[c], x + kCellPadding, baseline, layout.points,
                        true, kInk);
            else
                text(CardSkillsLayout::headers()[c], x + layout.widths[c] - kCellPadding, baseline,
                        layout.points, true, kInk, Qt::AlignRight);
            x += layout.widths[c];
        }
        m_rowLines.assign(1, y);
        return y + layout.headerHeight;
    }

    double skillRow(const CardSkill &skill, const CardSkillsLayout &layout,
            const QStringList &lines, bool withFigures, double left, double y)
    {
        const double height = layout.rowHeight(lines.size());
        m_rowLines.push_back(y);
        const QFontMetricsF &regular = metrics(layout.points, false);
        double baseline = y + kCellPadding / 2 + regular.ascent();
        if (lines.size() == 1)
            baseline = y + (height - regular.height()) / 2 + regular.ascent();
        for (const QString &line : lines) {
            text(line, left + kCellPadding, baseline, layout.points, false, kInk);
            baseline += layout.lineHeight;
        }
        if (withFigures) {
            const QString figures[] = {QString::number(skill.questionCount),
                    percentText(skill.studentPercent), percentText(skill.classPercent)};
            const double first = y + (std::min(height, layout.headerHeight) - regular.height()) / 2
                    + regular.ascent();
            double x = left + layout.widths[0];
            for (std::size_t c = 1; c < 4; ++c) {
                x += layout.widths[c];
                text(figures[c - 1], x - kCellPadding, first, layout.points, false, kInk,
                        Qt::AlignRight);
            }
        }
        return y + height;
    }

    void skillGrid(const CardSkillsLayout &layout, double left, double top, double bottom)
    {
        m_painter.setPen(QPen(kRule, 0.5 * kUnitsPerPoint));
        m_rowLines.push_back(bottom);
        for (double y : m_rowLines)
            m_painter.drawLine(QLineF(left, y, left + layout.width(), y));
        double x = left;
        m_painter.drawLine(QLineF(x, top, x, bottom));
        for (double w : layout.widths) {
            x += w;
            m_painter.drawLine(QLineF(x, top, x, bottom));
        }
        m_rowLines.clear();
    }

    void workingTime(const StudentCard &card, double left, double width, double y)
    {
        boxes({{QStringLiteral("Czas pracy"),
                       timeOfDayText(card.workingTime, m_locale, m_timeFormat)},
                      {QStringLiteral("Średni czas pracy klasy"),
                              timeOfDayText(card.classAverageWorkingTime, m_locale, m_timeFormat)}},
                {0.5, 0.5}, kTimePoints, left, width, y);
    }

    void footer(
            const StudentCard &card, double left, double width, double bottom, int page, int pages)
    {
        const QString thresholds =
                QStringLiteral("Progi ocen: ") + gradeThresholdsText(card.thresholds);
        const double points = fitted(thresholds, 8, false, width);
        text(thresholds, left, bottom - metrics(points, false).descent(), points, false, kLabelInk);
        // Where the report has its page numbers.
        const QFontMetricsF &m = metrics(8, false);
        const double middle = bottom + kMargin / 4;
        text(QStringLiteral("Strona %1 z %2").arg(page).arg(pages), left + width / 2,
                middle - m.height() / 2 + m.ascent(), 8, false, kInk, Qt::AlignHCenter);
    }

    std::vector<double> m_rowLines; ///< the tops of the skill rows on this page
    const QLocale m_locale;
    const QString m_timeFormat;
};

} // namespace cardpaint

CardPainter::CardPainter(QPainter &painter)
    : m_painter(std::make_unique<cardpaint::Painter>(painter))
{ }

CardPainter::~CardPainter() = default;

int CardPainter::paint(
        const StudentCard &card, int page, int pages, const std::function<bool()> &nextPage)
{
    return m_painter->paint(card, page, pages, nextPage);
}

} // namespace zavevad
