#include "report/paper.h"

#include <QBuffer>
#include <QPageSize>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPdfWriter>

#include <cmath>

namespace zavevad {

QFont reportFont(double points, bool bold)
{
    QFont font(QStringLiteral("Sans Serif"));
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(static_cast<int>(std::lround(points * kUnitsPerPoint)));
    font.setBold(bold);
    font.setHintingPreference(QFont::PreferNoHinting);
    font.setStyleStrategy(QFont::PreferNoShaping);
    return font;
}

QPageLayout a4Layout(const QPageLayout &current, QPageLayout::Orientation orientation)
{
    QPageLayout layout = current;
    layout.setPageSize(QPageSize(QPageSize::A4));
    layout.setOrientation(orientation);
    return layout;
}

void placeOnSheet(
        QPainter &painter, const QPagedPaintDevice &device, QPageLayout::Orientation orientation)
{
    const QPageLayout layout = device.pageLayout();
    const QRectF paper = layout.fullRect(QPageLayout::Point);
    const QRectF paintable = layout.paintRect(QPageLayout::Point);
    const double scale = device.logicalDpiX() / 72.0 / kUnitsPerPoint;
    painter.resetTransform();
    painter.scale(scale, scale);
    // From the device's painting origin to the sheet's corner.
    painter.translate(-paintable.left() * kUnitsPerPoint, -paintable.top() * kUnitsPerPoint);
    if (layout.orientation() != orientation) {
        painter.translate(paper.width() * kUnitsPerPoint, 0);
        painter.rotate(90);
    }
}

QByteArray pdfDocument(const QString &title, QPageLayout::Orientation orientation,
        const std::function<bool(QPagedPaintDevice &device)> &paint)
{
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&buffer);
        writer.setTitle(title);
        writer.setCreator(QStringLiteral("Kalmo - Zavevad"));
        writer.setPageLayout(
                QPageLayout(QPageSize(QPageSize::A4), orientation, QMarginsF(0, 0, 0, 0)));
        if (!paint(writer))
            return {};
    }
    return buffer.data();
}

QString gradeThresholdsText(const Thresholds &t)
{
    return QStringLiteral("Cel od %1%, Bdb od %2%, Db od %3%, Dst od %4%, Dop od %5%")
            .arg(t.cel)
            .arg(t.bdb)
            .arg(t.db)
            .arg(t.dst)
            .arg(t.dop);
}

} // namespace zavevad
