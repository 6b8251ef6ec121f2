// libFuzzer target for format template files (*.ssw): any bytes are read as
// the 944-byte appearance record, applied to the chart for each chart kind and
// drawn, as loading a template and showing the chart does. The 3D fields,
// which only the dialog applies, are applied as well within the ranges its
// controls allow, so that the renderer's projection sees them too.

#include "appearance/applyappearance.h"
#include "appearance/chartappearance.h"
#include "charts/formattemplate.h"
#include "fuzzsupport.h"
#include "ui/chart/chart.h"
#include "ui/chart/chartrenderer.h"

#include <QBuffer>
#include <QByteArray>
#include <QColor>
#include <QCoreApplication>
#include <QImage>
#include <QSize>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>

using namespace zavevad;

namespace {

constexpr QSize kImageSize(160, 120);

// A broken promise of the code under test is a finding, like a crash.
#define check(condition)                                                                           \
    do {                                                                                           \
        if (!(condition))                                                                          \
            fuzz::fail(#condition, __FILE__, __LINE__);                                            \
    } while (false)

// A few points like a small class: a zero, a fraction, equal values and
// Polish labels.
void addPoints(chart::Chart &chart)
{
    static const struct
    {
        double value;
        const char16_t *label;
    } points[] = {{7, u"Kowalski Jan"}, {0, u"Łuczak Małgorzata"}, {12.5, u"Śliwa Tymon"},
            {7, u"Żak Gabriela"}, {3, u"Nowak Aleksander"}};
    for (int s = 0; s < 3; ++s) {
        chart::Series &series = chart.series(s);
        series.clear();
        int row = 1;
        for (const auto &p : points) {
            series.addPoint(p.value, QString::fromUtf16(p.label),
                    QColor::fromHsv((row * 47) % 360, 200, 220));
            ++row;
        }
    }
}

// The 3D page's controls: scroll bars of 1..100 (depth), 0..300 (zoom) and
// 0..100 (perspective, elevation, rotation).
void apply3D(const TChartAppearance &record, chart::Chart &chart)
{
    chart.view3D.view3D = record.View3D;
    chart.view3D.walls3D = record.View3DWalls;
    chart.view3D.depthPercent = std::clamp(record.Chart3DPercent, 1, 100);
    chart.view3D.zoomPercent = std::clamp(record.Zoom, 0, 300);
    chart.view3D.perspective = std::clamp(record.PerspectiveValue, 0, 100);
    chart.view3D.elevation = std::clamp(record.Elevation, 0, 100);
    chart.view3D.rotation = std::clamp(record.Rotation, 0, 100);
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    fuzz::initialiseGui(argc, argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    QByteArray bytes(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));
    QBuffer buffer(&bytes);
    if (!buffer.open(QIODevice::ReadOnly))
        return 0;

    Appearances appearances;
    FillAppearanceDefaults(appearances);
    TChartAppearance &current = appearances.CurrentAppearance;
    bool read = true;
    try {
        readFormatTemplate(buffer, current);
    } catch (const CommandError &) {
        read = false;
    }
    if (!read) {
        // A failed read leaves the record as it was.
        check(size < static_cast<std::size_t>(TChartAppearance::ByteSize));
        check(current == appearances.DefaultAppearance);
        return 0;
    }
    // What was read saves again byte for byte.
    check(current.toBytes() == bytes.first(TChartAppearance::ByteSize));

    chart::Chart chart;
    addPoints(chart);
    ChartKindState state;
    for (int kind = ChartKindBar; kind <= ChartKindLine; ++kind) {
        state.ChartKind = kind;
        check(ApplyChartKind(kind, current, chart, state));
        apply3D(current, chart);
        const QImage image = chart::renderToImage(chart, kImageSize);
        check(image.size() == kImageSize);
        // The vector copy draws through another paint engine.
        if (kind == ChartKindLine)
            check(!chart::renderToSvg(chart, kImageSize, QStringLiteral("wykres")).isEmpty());
    }
    // Kinds other than 1 to 3 change nothing.
    check(!ApplyChartKind(0, current, chart, state));
    check(!ApplyChartKind(4, current, chart, state));
    // The font cache is trimmed from its timers, as between two paints of the
    // chart window; without an event loop it would only grow.
    QCoreApplication::processEvents();
    return 0;
}
