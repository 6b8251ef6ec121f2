// The legend: its entries, the font and columns they fit in, and its painting.
#include "chartengine/chartconstants.h"
#include "chartengine/chartdraw.h"
#include "chartengine/chartformat.h"
#include "chartengine/renderer.h"

#include <QPainter>

#include <algorithm>

namespace zavevad::chart::rendering {

namespace {

constexpr double kLegendPad = 5.0;
/// The legend keeps clear of the chart's bottom-right corner, where the
/// chart window has its resize grip.
constexpr double kLegendCorner = 22.0;
/// Widest legend, as a share of the chart's width: one column, and all columns.
constexpr double kLegendColumnShare = 0.35;
constexpr double kLegendShare = 0.36;
constexpr double kLegendLastShare = 0.44;

} // namespace

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

void Renderer::pitchLegendRows(
        const QFontMetricsF &fm, double space, qsizetype count, qsizetype perColumn)
{
    // Rows a little apart when they all fit; closer when they do not, but
    // never so close that the texts of two rows touch.
    m_legendRow = fm.height() + 2.0;
    m_legendBaseline = 1.0 + fm.ascent();
    if (perColumn * m_legendRow <= space)
        return;
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

bool Renderer::fitLegend(
        const TextFont &font, int columns, double space, qsizetype count, bool last)
{
    const LegendSettings &legend = m_chart.legend;
    const QFontMetricsF fm = metricsFor(font, m_device);
    const qsizetype perColumn = (count + columns - 1) / columns;
    pitchLegendRows(fm, space, count, perColumn);
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

} // namespace zavevad::chart::rendering
