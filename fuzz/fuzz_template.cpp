// libFuzzer target for format template files (*.ssw): any bytes are read as
// the 944-byte appearance record, applied to the chart for each chart kind and
// drawn at the chart window's size, as loading a template and showing the
// chart does: for a class of 28 with long names, and once for a chart of 1,000
// points. Run with a short timeout, so that a template that makes a paint slow
// is a finding. The 3D fields, which only the dialog applies, are applied as
// well within the ranges its controls allow, so that the renderer's
// projection sees them too.

#include "appearance/applyappearance.h"
#include "appearance/chartappearance.h"
#include "chartengine/chart.h"
#include "chartengine/chartrenderer.h"
#include "charts/formattemplate.h"
#include "fuzzsupport.h"

#include <QBuffer>
#include <QByteArray>
#include <QColor>
#include <QCoreApplication>
#include <QImage>
#include <QList>
#include <QSize>
#include <QString>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <ctime>

using namespace zavevad;

namespace {

// The chart window's chart at its design size.
constexpr QSize kImageSize(555, 376);
// Seconds one input may take; a few tenths are usual.
constexpr std::clock_t kMaxProcessorTime = 2;

// A broken promise of the code under test is a finding, like a crash.
#define check(condition)                                                                           \
    do {                                                                                           \
        if (!(condition))                                                                          \
            fuzz::fail(#condition, __FILE__, __LINE__);                                            \
    } while (false)

struct Point
{
    double value;
    QString label;
};

// A class of 28 with names up to the 41 characters a display name can have,
// points from 0 to 30 with halves and equal values.
QList<Point> classPoints()
{
    static const char16_t *const surnames[] = {u"Konstantynopolitańczykiewicz", u"Łuczak",
            u"Śliwa-Brzęczyszczykiewicz", u"Żak", u"Nowak", u"Grzegorzewska-Wiśniewska",
            u"Kowalski", u"Dąbrowska"};
    static const char16_t *const firstNames[] = {u"Maksymilian", u"Małgorzata", u"Bartłomiej",
            u"Gabriela", u"Aleksander", u"Jadwiga", u"Tymon"};
    QList<Point> points;
    for (int i = 0; i < 28; ++i) {
        const QString name =
                QString::fromUtf16(surnames[i % 8]) + u' ' + QString::fromUtf16(firstNames[i % 7]);
        points.append({(i * 7) % 31 + (i % 4 == 1 ? 0.5 : 0.0), name.left(41)});
    }
    return points;
}

// As many points as a large load gives.
QList<Point> manyPoints()
{
    QList<Point> points;
    for (int i = 0; i < 1000; ++i)
        points.append({double((i * 37) % 101), QStringLiteral("Uczeń %1 Nazwiskowy").arg(i)});
    return points;
}

void setPoints(chart::Chart &chart, const QList<Point> &points)
{
    for (int s = 0; s < 3; ++s) {
        chart::Series &series = chart.series(s);
        series.clear();
        int row = 1;
        for (const Point &p : points) {
            series.addPoint(p.value, p.label, QColor::fromHsv((row * 47) % 360, 200, 220));
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
    // Processor time, unlike libFuzzer's wall-clock timeout, does not grow
    // when the machine is busy: a slow paint is a finding whatever the load.
    const std::clock_t started = std::clock();
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

    static const QList<Point> kClass = classPoints();
    static const QList<Point> kMany = manyPoints();
    chart::Chart chart;
    setPoints(chart, kClass);
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
    // The large chart in one kind only, so that a run stays short: the kind
    // a padding byte of the record (which nothing reads) picks.
    setPoints(chart, kMany);
    const int kind = ChartKindBar + static_cast<int>(current.pad037[0] % 3);
    check(ApplyChartKind(kind, current, chart, state));
    apply3D(current, chart);
    check(chart::renderToImage(chart, kImageSize).size() == kImageSize);

    // Kinds other than 1 to 3 change nothing.
    check(!ApplyChartKind(0, current, chart, state));
    check(!ApplyChartKind(4, current, chart, state));
    check(std::clock() - started < kMaxProcessorTime * CLOCKS_PER_SEC);
    // The font cache is trimmed from its timers, as between two paints of the
    // chart window; without an event loop it would only grow.
    QCoreApplication::processEvents();
    return 0;
}
