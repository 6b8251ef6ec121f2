#include "ui/chart/chartdraw.h"

#include <QPainter>

#include <cmath>

namespace zavevad::chart {

namespace {

constexpr double kMarkPadX = 3.0;
constexpr double kMarkPadY = 1.0;

} // namespace

QFontMetricsF metricsFor(const TextFont &font, QPaintDevice *device)
{
    return device ? QFontMetricsF(font.font, device) : QFontMetricsF(font.font);
}

QSizeF rotatedSize(const QSizeF &size, int angle)
{
    const double a = angle * M_PI / 180.0;
    const double c = std::abs(std::cos(a));
    const double s = std::abs(std::sin(a));
    return QSizeF(size.width() * c + size.height() * s, size.width() * s + size.height() * c);
}

void drawRotatedText(QPainter &painter, const TextFont &font, const QString &text,
        const QPointF &centre, int angle)
{
    painter.save();
    painter.setFont(font.font);
    painter.setPen(font.color);
    const QFontMetricsF fm(font.font, painter.device());
    const QSizeF size(fm.horizontalAdvance(text), fm.height());
    painter.translate(centre);
    painter.rotate(-angle);
    painter.drawText(
            QRectF(-size.width() / 2.0, -size.height() / 2.0, size.width() + 1.0, size.height()),
            Qt::AlignCenter | Qt::TextDontClip, text);
    painter.restore();
}

QSizeF markBoxSize(const QSizeF &textSize)
{
    return QSizeF(textSize.width() + 2 * kMarkPadX, textSize.height() + 2 * kMarkPadY);
}

QRectF markBox(const QPointF &topLeft, const QSizeF &textSize)
{
    return QRectF(topLeft, markBoxSize(textSize));
}

void drawMark(QPainter &painter, const MarksSettings &marks, const QRectF &box, const QString &text)
{
    if (!marks.transparent) {
        painter.setPen(QPen(QColor(60, 60, 60), 1.0));
        painter.setBrush(marks.backColor);
        painter.drawRect(box.adjusted(0.5, 0.5, -0.5, -0.5));
    }
    painter.setFont(marks.font.font);
    painter.setPen(marks.font.color);
    painter.drawText(box, Qt::AlignCenter | Qt::TextDontClip, text);
}

Qt::BrushStyle slicePattern(int index)
{
    static constexpr Qt::BrushStyle patterns[] = {Qt::BDiagPattern, Qt::HorPattern,
            Qt::FDiagPattern, Qt::VerPattern, Qt::DiagCrossPattern, Qt::CrossPattern,
            Qt::Dense5Pattern, Qt::Dense3Pattern};
    return patterns[index % int(std::size(patterns))];
}

QBrush sliceBrush(const QColor &color, int index)
{
    return QBrush(color, slicePattern(index));
}

} // namespace zavevad::chart
