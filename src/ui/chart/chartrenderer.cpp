#include "ui/chart/chartrenderer.h"

#include "ui/chart/axischart.h"
#include "ui/chart/chartconstants.h"
#include "ui/chart/chartdraw.h"
#include "ui/chart/chartformat.h"
#include "ui/chart/piechart.h"
#include "ui/chart/svgfonts.h"
#include "ui/chart/xychart.h"

#include <QBuffer>
#include <QLinearGradient>
#include <QPainter>
#include <QSvgGenerator>

#include <algorithm>
#include <optional>

namespace zavevad::chart {

namespace {

constexpr double kMargin = 8.0;
constexpr double kTitlePadX = 6.0;
constexpr double kTitlePadY = 2.0;
constexpr double kLegendPad = 5.0;
/// The legend keeps clear of the chart's bottom-right corner, where the
/// chart window has its resize grip.
constexpr double kLegendCorner = 22.0;
/// Widest legend, as a share of the chart's width: one column, and all columns.
constexpr double kLegendColumnShare = 0.35;
constexpr double kLegendShare = 0.36;
constexpr double kLegendLastShare = 0.44;
/// Pies of more slices than this give each legend entry its value.
constexpr qsizetype kNamedSlices = 12;

struct LegendEntry
{
    QString label;
    QString value;
    QColor color;
    int pattern = -1; ///< slice index whose hatch the box shows, or -1
    double labelWidth = 0.0;
    /// Follows the label, which is shortened before it when need be.
    QString suffix;
};

/// One rendering: the layout of every part, then the painting.
class Renderer
{
public:
    Renderer(const Chart &chart, const QRectF &target, const ViewState &view, QPaintDevice *device)
        : m_chart(chart), m_target(target), m_view(view), m_device(device)
    { }

    void layout();
    void paint(QPainter &painter) const;
    ChartGeometry geometry() const;

private:
    QRectF layoutTitle(const TitleSettings &title, double y, bool fromBottom) const;
    void paintPanel(QPainter &painter) const;
    void paintTitle(QPainter &painter, const TitleSettings &title, const QRectF &box) const;
    QList<const Series *> activeSeries() const;
    qsizetype legendEntryCount() const;
    QList<LegendEntry> legendEntries(int limit) const;
    void layoutLegend(QRectF &room);
    /// Lays the legend out with the given font and number of columns; false
    /// when not every entry finds a row, or the legend gets too wide.
    bool fitLegend(const TextFont &font, int columns, double space, qsizetype count, bool last);
    QRectF legendRow(qsizetype index) const;
    void paintLegend(QPainter &painter) const;

    const Chart &m_chart;
    QRectF m_target;
    ViewState m_view;
    QPaintDevice *m_device;

    QRectF m_header;
    QRectF m_footer;
    QRectF m_legend;
    QList<LegendEntry> m_legendEntries;
    double m_legendRow = 0.0;
    /// From the top of a legend row to its texts' baseline.
    double m_legendBaseline = 0.0;
    double m_legendLabelWidth = 0.0;
    double m_legendValueWidth = 0.0;
    /// The legend's font as fitted, its columns and the width of one column.
    TextFont m_legendFont;
    int m_legendColumns = 1;
    int m_legendRowsPerColumn = 0;
    double m_legendColumnWidth = 0.0;
    std::optional<AxisChart> m_axisChart;
    std::optional<PieChart> m_pieChart;
    std::optional<XYChart> m_xyChart;
};

QRectF Renderer::layoutTitle(const TitleSettings &title, double y, bool fromBottom) const
{
    if (!title.visible || title.lines.isEmpty())
        return QRectF();
    const QFontMetricsF fm = metricsFor(title.font, m_device);
    double widest = 0.0;
    for (const QString &line : title.lines)
        widest = std::max(widest, fm.horizontalAdvance(line));
    const double height = title.lines.size() * fm.height() + 2 * kTitlePadY;
    const QRectF inner = m_target.adjusted(kMargin, 0, -kMargin, 0);
    QRectF box(0, fromBottom ? y - height : y, inner.width(), height);
    if (title.adjustFrame) {
        box.setWidth(std::min(widest + 2 * kTitlePadX, inner.width()));
        switch (title.alignment) {
        case Alignment::taLeftJustify:
            box.moveLeft(inner.left());
            break;
        case Alignment::taCenter:
            box.moveLeft(inner.center().x() - box.width() / 2.0);
            break;
        case Alignment::taRightJustify:
            box.moveRight(inner.right());
            break;
        }
    } else {
        box.moveLeft(inner.left());
    }
    return box;
}

QList<const Series *> Renderer::activeSeries() const
{
    QList<const Series *> active;
    for (int i = 0; i < 3; ++i) {
        if (m_chart.series(i).active)
            active.append(&m_chart.series(i));
    }
    return active;
}

qsizetype Renderer::legendEntryCount() const
{
    if (m_chart.xy.active)
        return m_chart.xy.legendItems.size();
    const QList<const Series *> active = activeSeries();
    return active.size() == 1 ? active.first()->count() : active.size();
}

QList<LegendEntry> Renderer::legendEntries(int limit) const
{
    const Chart &c = m_chart;
    const QList<const Series *> active = activeSeries();
    QList<LegendEntry> entries;
    if (c.xy.active) {
        for (qsizetype i = 0; i < c.xy.legendItems.size() && i < limit; ++i)
            entries.append(LegendEntry{c.xy.legendItems[i].text, QString(),
                    c.xy.legendItems[i].color, -1, 0.0, QString()});
    } else if (active.size() == 1) {
        const Series &s = *active.first();
        const double total = seriesTotal(s);
        const bool hatched = &s == &c.pie && c.pie.patterns;
        Q_UNUSED(total);
        for (int i = 0; i < s.points.size() && i < limit; ++i) {
            const Point &p = s.points[i];
            LegendEntry e{p.label, formatValue(p.value), p.color, hatched ? i : -1, 0.0, QString()};
            switch (c.legend.textStyle) {
            case LegendTextStyle::ltsPlain:
                // Slices of a crowded pie share colours and may have no room
                // for their names: the legend pairs each name with its value.
                if (&s == &c.pie && s.points.size() > kNamedSlices)
                    e.suffix = QLatin1Char(' ') + e.value;
                e.value.clear();
                break;
            case LegendTextStyle::ltsXValue:
                e.label = e.value;
                e.value.clear();
                break;
            case LegendTextStyle::ltsRightValue:
                break;
            }
            entries.append(e);
        }
    } else {
        for (const Series *s : active) {
            if (entries.size() >= limit)
                break;
            QColor color = &*s == &c.line
                    ? c.line.lineColor
                    : (s->points.isEmpty() ? QColor(Qt::gray) : s->points.first().color);
            entries.append(LegendEntry{s->title, QString(), color, -1, 0.0, QString()});
        }
    }
    return entries;
}

bool Renderer::fitLegend(
        const TextFont &font, int columns, double space, qsizetype count, bool last)
{
    const LegendSettings &legend = m_chart.legend;
    const QFontMetricsF fm = metricsFor(font, m_device);
    const qsizetype perColumn = (count + columns - 1) / columns;
    // Rows a little apart when they all fit; closer when they do not, but
    // never so close that the texts of two rows touch.
    m_legendRow = fm.height() + 2.0;
    m_legendBaseline = 1.0 + fm.ascent();
    if (perColumn * m_legendRow > space) {
        const QList<LegendEntry> sample = legendEntries(int(std::min<qsizetype>(count, 64)));
        QString texts;
        for (const LegendEntry &e : sample)
            texts += e.label + e.value;
        QRectF ink = texts.isEmpty() ? QRectF() : fm.tightBoundingRect(texts);
        if (ink.height() <= 0.0)
            ink = QRectF(0.0, -fm.ascent(), 1.0, fm.height());
        m_legendRow = std::max({ink.height() + 1.0, space / double(perColumn), 1.0});
        m_legendRow = std::min(m_legendRow, fm.height() + 2.0);
        // The ink, not the line, centred in the row: rows closer than a
        // line of text still keep their texts apart.
        m_legendBaseline = m_legendRow / 2.0 - (ink.top() + ink.bottom()) / 2.0;
    }
    const int rows = int(std::min<double>(space / m_legendRow, double(perColumn)));
    if (rows < 1)
        return false;
    const qsizetype room = qsizetype(rows) * columns;
    if (room < count && !last)
        return false;
    // Entries that find no room give way to a last row that says so.
    const bool cut = room < count && room >= 2;
    m_legendEntries = legendEntries(int(cut ? room - 1 : room));
    if (m_legendEntries.isEmpty())
        return last;
    if (cut)
        m_legendEntries.append(
                LegendEntry{QString(QChar(0x2026)), QString(), QColor(), -1, 0.0, QString()});
    m_legendColumns = columns;
    m_legendRowsPerColumn = rows;
    m_legendFont = font;

    m_legendLabelWidth = 0.0;
    m_legendValueWidth = 0.0;
    for (const LegendEntry &e : std::as_const(m_legendEntries))
        m_legendValueWidth = std::max(m_legendValueWidth, fm.horizontalAdvance(e.value));
    const double symbol = std::clamp(legend.colorWidth, 0, 200);
    const double fixed =
            symbol + kGap + (m_legendValueWidth > 0 ? m_legendValueWidth + 2 * kGap : 0.0);
    // Values come on top of the share: they are short, and must be read whole.
    auto labelCapFor = [&](double share) {
        const double cap = columns == 1
                ? m_target.width() * kLegendColumnShare - 2 * kLegendPad
                : (m_target.width() * share - 2 * kLegendPad) / columns - kGap;
        return std::max(20.0, cap - (symbol + kGap));
    };
    const double labelCap = labelCapFor(kLegendShare);
    // At the smallest text the legend may grow wider rather than cut a name.
    // Beside axes, only as far as the surnames and initials of the names
    // that need it: what it takes, the plot loses. A pie keeps its size.
    const double grownCap = last ? labelCapFor(kLegendLastShare) : labelCap;
    const bool shortWhenGrown = !m_chart.pie.active;
    // Names too long for the legend keep their first word and initials.
    for (LegendEntry &e : m_legendEntries) {
        const double suffix = fm.horizontalAdvance(e.suffix);
        const double nameCap = std::max(10.0, labelCap - suffix);
        if (fm.horizontalAdvance(e.label) > nameCap) {
            QString fitted = fittedName(fm, e.label, nameCap);
            const bool cut = fitted != shortName(e.label);
            // Smaller text before a cut name.
            if (!last && cut)
                return false;
            if (last && (cut || !shortWhenGrown))
                fitted = fittedName(fm, shortWhenGrown ? shortName(e.label) : e.label,
                        std::max(10.0, grownCap - suffix));
            e.label = fitted;
        }
        e.label += e.suffix;
        e.suffix.clear();
        e.labelWidth = fm.horizontalAdvance(e.label);
        m_legendLabelWidth = std::max(m_legendLabelWidth, e.labelWidth);
    }
    m_legendLabelWidth = std::min(m_legendLabelWidth, grownCap);
    m_legendColumnWidth = fixed + m_legendLabelWidth;
    return true;
}

void Renderer::layoutLegend(QRectF &room)
{
    const LegendSettings &legend = m_chart.legend;
    m_legend = QRectF();
    m_legendEntries.clear();
    if (!legend.visible)
        return;
    const double shadow = std::clamp(legend.shadowSize, 0, 100);
    const double top =
            m_target.top() + m_target.height() * std::clamp(legend.topPos, 0, 100) / 100.0;
    const double bottom = m_target.bottom() - std::max(kMargin + shadow, kLegendCorner);
    const double space = bottom - top - 2 * kLegendPad;
    const qsizetype count = legendEntryCount();
    if (count == 0)
        return;
    // Every entry if at all possible: smaller text in one column, then a
    // second column, and only then an ellipsis for the entries that find no
    // room. One column first, because a second one takes the plot's width.
    const double setPoints = legend.font.font.pointSizeF();
    const double floorPoints = setPoints > 0.0 ? std::min(setPoints, kMinTextPoints) : setPoints;
    bool fitted = false;
    for (int columns = 1; !fitted && columns <= 2; ++columns) {
        for (double points : shrinkingSizes(setPoints, floorPoints)) {
            TextFont font = legend.font;
            if (points > 0.0)
                font.font.setPointSizeF(points);
            fitted = fitLegend(font, columns, space, count, false);
            if (fitted)
                break;
        }
    }
    if (!fitted) {
        TextFont font = legend.font;
        if (floorPoints > 0.0)
            font.font.setPointSizeF(floorPoints);
        if (!fitLegend(font, count > 1 ? 2 : 1, space, count, true))
            return;
    }
    if (m_legendEntries.isEmpty())
        return;
    const double width = 2 * kLegendPad + m_legendColumns * m_legendColumnWidth
            + (m_legendColumns - 1) * 2 * kGap;
    const int rows = int(std::min<qsizetype>(m_legendRowsPerColumn, m_legendEntries.size()));
    const double height = rows * m_legendRow + 2 * kLegendPad;
    m_legend = QRectF(m_target.right() - kMargin - shadow - width, top, width, height);
    room.setRight(std::min(room.right(), m_legend.left() - 2 * kGap));
}

QRectF Renderer::legendRow(qsizetype index) const
{
    const qsizetype column = index / std::max(m_legendRowsPerColumn, 1);
    const qsizetype row = index % std::max(m_legendRowsPerColumn, 1);
    return QRectF(m_legend.left() + kLegendPad + column * (m_legendColumnWidth + 2 * kGap),
            m_legend.top() + kLegendPad + row * m_legendRow, m_legendColumnWidth, m_legendRow);
}

void Renderer::layout()
{
    const Chart &c = m_chart;
    QRectF room = m_target.adjusted(kMargin, kMargin, -kMargin, -kMargin);
    m_header = layoutTitle(c.header, m_target.top() + kMargin, false);
    if (!m_header.isNull())
        room.setTop(m_header.bottom() + kGap);
    m_footer = layoutTitle(c.footer, m_target.bottom() - kMargin, true);
    if (!m_footer.isNull())
        room.setBottom(m_footer.top() - kGap);
    layoutLegend(room);
    if (room.width() < 10.0)
        room.setWidth(10.0);
    if (room.height() < 10.0)
        room.setHeight(10.0);

    if (c.xy.active) {
        m_xyChart.emplace(c, m_device);
        m_xyChart->layout(room);
        return;
    }
    if (c.bar.active || c.line.active) {
        m_axisChart.emplace(c, m_device);
        m_axisChart->layout(room, m_view);
    }
    if (c.pie.active) {
        m_pieChart.emplace(c, m_device);
        m_pieChart->layout(room);
    }
}

ChartGeometry Renderer::geometry() const
{
    ChartGeometry g;
    if (m_axisChart)
        g = m_axisChart->geometry();
    if (m_pieChart) {
        g.marks += m_pieChart->marks();
        g.pie = m_pieChart->face();
        g.pieSlices = m_pieChart->slices();
        if (!m_axisChart)
            g.plot = m_pieChart->room();
    }
    if (m_xyChart)
        g = m_xyChart->geometry();
    g.legend = m_legend;
    if (!m_legend.isNull()) {
        const QFontMetricsF fm = metricsFor(m_legendFont, m_device);
        const double symbol = std::clamp(m_chart.legend.colorWidth, 0, 200);
        const bool single = activeSeries().size() == 1;
        for (qsizetype i = 0; i < m_legendEntries.size(); ++i) {
            const QRectF row = legendRow(i);
            g.legendRows.append(row);
            const LegendEntry &e = m_legendEntries[i];
            const bool ellipsis = e.label == QString(QChar(0x2026)) && !e.color.isValid();
            const QString shown = e.labelWidth <= m_legendLabelWidth + 1.0
                    ? e.label
                    : fm.elidedText(e.label, Qt::ElideRight, m_legendLabelWidth + 1.0);
            const double w = std::min(fm.horizontalAdvance(shown), m_legendLabelWidth + 1.0);
            // The row's height, less a hair so that rows that meet do not overlap.
            const QRectF text(row.left() + symbol + kGap, row.top() + 0.25, w, row.height() - 0.5);
            g.legendTexts.append(MarkGeometry{ellipsis ? -1 : (single ? int(i) : -1), text, shown,
                    m_legendFont.font.pointSizeF()});
        }
    }
    return g;
}

void Renderer::paintPanel(QPainter &painter) const
{
    const PanelSettings &panel = m_chart.panel;
    if (panel.gradientVisible) {
        QLinearGradient g(m_target.topLeft(), m_target.bottomLeft());
        g.setColorAt(0.0, panel.gradientStart);
        g.setColorAt(1.0, panel.gradientEnd);
        painter.fillRect(m_target, g);
    } else {
        painter.fillRect(m_target, panel.color);
    }
    if (!panel.backImageInside && !panel.backImage.isNull()) {
        if (panel.backImageMode == PictureMode::pbmStretch) {
            painter.drawImage(m_target, panel.backImage);
        } else {
            QRectF r(QPointF(), panel.backImage.size());
            r.moveCenter(m_target.center());
            painter.drawImage(r.topLeft(), panel.backImage);
        }
    }
}

void Renderer::paintTitle(QPainter &painter, const TitleSettings &title, const QRectF &box) const
{
    if (box.isNull())
        return;
    painter.save();
    QPen pen = Qt::NoPen;
    if (title.frame.visible) {
        pen = QPen(title.frame.color, std::clamp(title.frame.width, 1, 20), title.frame.style);
        pen.setJoinStyle(Qt::MiterJoin);
    }
    if (title.brush == BrushStyle::bsSolid || title.frame.visible) {
        painter.setPen(pen);
        painter.setBrush(
                title.brush == BrushStyle::bsSolid ? QBrush(title.color) : QBrush(Qt::NoBrush));
        const double inset = pen.style() == Qt::NoPen ? 0.0 : pen.widthF() / 2.0;
        painter.drawRect(box.adjusted(inset, inset, -inset, -inset));
    }
    const QFontMetricsF fm = metricsFor(title.font, painter.device());
    Qt::Alignment align = Qt::AlignHCenter;
    if (title.alignment == Alignment::taLeftJustify)
        align = Qt::AlignLeft;
    else if (title.alignment == Alignment::taRightJustify)
        align = Qt::AlignRight;
    painter.setFont(title.font.font);
    painter.setPen(title.font.color);
    QRectF line(box.left() + kTitlePadX, box.top() + kTitlePadY, box.width() - 2 * kTitlePadX,
            fm.height());
    for (const QString &text : title.lines) {
        painter.drawText(line, align | Qt::AlignVCenter,
                fm.elidedText(text, Qt::ElideRight, line.width() + 1.0));
        line.translate(0, fm.height());
    }
    painter.restore();
}

void Renderer::paintLegend(QPainter &painter) const
{
    if (m_legend.isNull())
        return;
    const LegendSettings &legend = m_chart.legend;
    const PieSeries &pie = m_chart.pie;
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    const double shadow = std::clamp(legend.shadowSize, 0, 100);
    if (shadow > 0)
        painter.fillRect(m_legend.translated(shadow, shadow), legend.shadowColor);
    painter.fillRect(m_legend, legend.color);
    painter.setPen(QPen(QColor(0, 0, 0), 0));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(m_legend.adjusted(0, 0, -1, -1));

    const QFontMetricsF fm = metricsFor(m_legendFont, painter.device());
    painter.setFont(m_legendFont.font);
    const double symbol = std::clamp(legend.colorWidth, 0, 200);
    const double boxHeight =
            std::max(3.0, std::min({symbol, fm.height() - 4.0, m_legendRow - 3.0}));
    for (qsizetype i = 0; i < m_legendEntries.size(); ++i) {
        const LegendEntry &e = m_legendEntries[i];
        const QRectF row = legendRow(i);
        const double x = row.left();
        const double y = row.top();
        if (symbol > 0 && e.color.isValid()) {
            const QRectF box(x, y + (m_legendRow - boxHeight) / 2.0, symbol, boxHeight);
            if (e.pattern >= 0) {
                painter.fillRect(box, pie.backColor);
                drawHatch(painter, QPolygonF(box), e.color, e.pattern);
            } else {
                painter.fillRect(box, e.color);
            }
            painter.setPen(QPen(QColor(0, 0, 0), 0));
            painter.drawRect(box.adjusted(0, 0, -1, -1));
        }
        painter.setPen(legend.font.color);
        const double baseline = y + m_legendBaseline;
        painter.drawText(QPointF(x + symbol + kGap, baseline),
                e.labelWidth <= m_legendLabelWidth + 1.0
                        ? e.label
                        : fm.elidedText(e.label, Qt::ElideRight, m_legendLabelWidth + 1.0));
        if (!e.value.isEmpty()) {
            painter.drawText(
                    QPointF(row.right() - fm.horizontalAdvance(e.value), baseline), e.value);
        }
    }
    painter.restore();
}

void Renderer::paint(QPainter &painter) const
{
    painter.save();
    painter.setClipRect(m_target, Qt::IntersectClip);
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setRenderHint(QPainter::TextAntialiasing, true);
    paintPanel(painter);
    paintTitle(painter, m_chart.header, m_header);
    paintTitle(painter, m_chart.footer, m_footer);
    if (m_axisChart)
        m_axisChart->paint(painter);
    if (m_pieChart)
        m_pieChart->paint(painter);
    if (m_xyChart)
        m_xyChart->paint(painter);
    paintLegend(painter);
    painter.restore();
}

} // namespace

ChartGeometry chartGeometry(
        const Chart &chart, const QRectF &target, const ViewState &zoomPan, QPaintDevice *device)
{
    Renderer renderer(chart, target, zoomPan, device);
    renderer.layout();
    return renderer.geometry();
}

void renderChart(
        QPainter &painter, const Chart &chart, const QRectF &target, const ViewState &zoomPan)
{
    Renderer renderer(chart, target, zoomPan, painter.device());
    renderer.layout();
    renderer.paint(painter);
}

QImage renderToImage(const Chart &chart, const QSize &size, const ViewState &zoomPan)
{
    QImage image(size.expandedTo(QSize(1, 1)), QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::white);
    QPainter painter(&image);
    renderChart(painter, chart, QRectF(QPointF(0, 0), image.size()), zoomPan);
    painter.end();
    return image;
}

QByteArray renderToSvg(
        const Chart &chart, const QSize &size, const QString &title, const ViewState &zoomPan)
{
    const QSize s = size.expandedTo(QSize(1, 1));
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    QSvgGenerator generator;
    generator.setOutputDevice(&buffer);
    generator.setSize(s);
    generator.setViewBox(QRect(QPoint(0, 0), s));
    // Text keeps the size it has in the bitmap copy.
    generator.setResolution(QImage(1, 1, QImage::Format_ARGB32).logicalDpiX());
    generator.setTitle(title);
    QPainter painter(&generator);
    renderChart(painter, chart, QRectF(QPointF(0, 0), s), zoomPan);
    painter.end();
    // Pasted where the chart's font is missing, the text keeps its kind of face.
    return withGenericFontFamilies(buffer.data());
}

} // namespace zavevad::chart
