#include "report/cardprogress.h"

#include "report/paper.h"
#include "tables/numberformat.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QPainterPath>

#include <algorithm>

namespace zavevad {

namespace {

constexpr double kLabelPoints = 7;
constexpr double kSmallestPoints = 4;
constexpr double kMark = 2.5 * kUnitsPerPoint;
const QColor kInk(0, 0, 0);
const QColor kMeanInk(90, 90, 90);
const QColor kRule(150, 150, 150);

double yOf(const QRectF &plot, double tenths)
{
    return plot.bottom() - plot.height() * std::clamp(tenths, 0.0, 1000.0) / 1000.0;
}

/// The largest size up to kLabelPoints, in half points, at which `text` fits `room`.
QFont fittedFont(const QString &text, double room)
{
    double points = kLabelPoints;
    while (points > 0.5 && QFontMetricsF(reportFont(points)).horizontalAdvance(text) > room)
        points -= points > kSmallestPoints ? 0.5 : 0.25;
    return reportFont(points);
}

void drawText(QPainter &painter, const QString &text, QPointF at, Qt::Alignment align, double room)
{
    const QFont font = fittedFont(text, room);
    const QFontMetricsF m(font);
    const double width = m.horizontalAdvance(text);
    double x = at.x();
    if (align & Qt::AlignHCenter)
        x -= width / 2;
    else if (align & Qt::AlignRight)
        x -= width;
    painter.setFont(font);
    painter.drawText(QPointF(x, at.y()), text);
}

void drawLine(QPainter &painter, const std::vector<std::optional<QPointF>> &marks, const QPen &pen)
{
    // A test the student missed breaks the line.
    painter.setPen(pen);
    for (std::size_t i = 1; i < marks.size(); ++i) {
        if (marks[i - 1] && marks[i])
            painter.drawLine(QLineF(*marks[i - 1], *marks[i]));
    }
}

void drawLegend(QPainter &painter, const QRectF &area)
{
    const QFont font = reportFont(kLabelPoints);
    const QFontMetricsF m(font);
    painter.setFont(font);
    const QString student = QStringLiteral("Uczeń");
    const QString mean = QStringLiteral("Średnia klasy");
    const double sample = 18 * kUnitsPerPoint;
    const double gap = 6 * kUnitsPerPoint;
    double x = area.right() - m.horizontalAdvance(mean) - sample - gap
            - m.horizontalAdvance(student) - sample - 3 * gap;
    const double y = area.top() + m.ascent();
    const double middle = y - m.ascent() / 3;
    painter.setPen(QPen(kInk, 1.5 * kUnitsPerPoint));
    painter.drawLine(QLineF(x, middle, x + sample, middle));
    x += sample + gap / 2;
    painter.setPen(kInk);
    painter.drawText(QPointF(x, y), student);
    x += m.horizontalAdvance(student) + 2 * gap;
    painter.setPen(QPen(kMeanInk, 1 * kUnitsPerPoint, Qt::DashLine));
    painter.drawLine(QLineF(x, middle, x + sample, middle));
    x += sample + gap / 2;
    painter.setPen(kInk);
    painter.drawText(QPointF(x, y), mean);
}

} // namespace

CardProgressLayout cardProgressLayout(const std::vector<CardProgress> &tests, const QRectF &plot)
{
    CardProgressLayout layout;
    layout.plot = plot;
    const auto count = static_cast<double>(std::max<std::size_t>(tests.size(), 1));
    layout.slot = plot.width() / count;
    for (std::size_t t = 0; t < tests.size(); ++t) {
        const double x = plot.left() + layout.slot * (static_cast<double>(t) + 0.5);
        layout.x.push_back(x);
        const CardProgress &test = tests[t];
        layout.student.push_back(test.studentTenths
                        ? std::optional(QPointF(x, yOf(plot, *test.studentTenths)))
                        : std::nullopt);
        layout.classMean.push_back(test.classMeanTenths
                        ? std::optional(QPointF(x, yOf(plot, double(*test.classMeanTenths))))
                        : std::nullopt);
    }
    return layout;
}

void paintCardProgress(
        QPainter &painter, const std::vector<CardProgress> &tests, const QRectF &area)
{
    const QFontMetricsF label(reportFont(kLabelPoints));
    const double axisRoom = label.horizontalAdvance(QStringLiteral("100 %")) + 4 * kUnitsPerPoint;
    // Room above for the legend and the top value, below for the test names.
    const QRectF plot = area.adjusted(axisRoom, label.height() * 2.2, 0, -label.height() * 1.6);
    const CardProgressLayout layout = cardProgressLayout(tests, plot);

    painter.save();
    painter.setBrush(Qt::NoBrush);
    for (int tenths : {0, 500, 1000}) {
        const double y = yOf(plot, tenths);
        painter.setPen(QPen(kRule, (tenths == 0 ? 0.75 : 0.4) * kUnitsPerPoint));
        painter.drawLine(QLineF(plot.left(), y, plot.right(), y));
        painter.setPen(kInk);
        drawText(painter, QStringLiteral("%1 %").arg(tenths / 10),
                QPointF(plot.left() - 2 * kUnitsPerPoint, y + label.ascent() / 3), Qt::AlignRight,
                axisRoom);
    }
    drawLegend(painter, area);

    drawLine(painter, layout.classMean, QPen(kMeanInk, 1 * kUnitsPerPoint, Qt::DashLine));
    drawLine(painter, layout.student, QPen(kInk, 1.5 * kUnitsPerPoint));
    for (std::size_t t = 0; t < tests.size(); ++t) {
        if (const auto &mark = layout.classMean[t]) {
            painter.setPen(QPen(kMeanInk, 0.75 * kUnitsPerPoint));
            painter.setBrush(Qt::white);
            painter.drawRect(QRectF(*mark - QPointF(kMark, kMark), QSizeF(2 * kMark, 2 * kMark)));
        }
        if (const auto &mark = layout.student[t]) {
            painter.setPen(QPen(kInk, 0.75 * kUnitsPerPoint));
            painter.setBrush(kInk);
            painter.drawEllipse(*mark, kMark, kMark);
            drawText(painter, oneDecimalText(*tests[t].studentTenths) + QStringLiteral(" %"),
                    QPointF(mark->x(), mark->y() - kMark - 1.5 * kUnitsPerPoint), Qt::AlignHCenter,
                    layout.slot);
        }
        painter.setPen(kInk);
        drawText(painter, tests[t].test, QPointF(layout.x[t], plot.bottom() + label.height() * 1.2),
                Qt::AlignHCenter, layout.slot - 2 * kUnitsPerPoint);
    }
    painter.restore();
}

} // namespace zavevad
