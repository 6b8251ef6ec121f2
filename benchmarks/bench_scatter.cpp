// Rendering times of the numeric plot at the chart window's size, 555 x 376.
#include "appearance/applyappearance.h"
#include "appearance/chartappearance.h"
#include "chartengine/chartrenderer.h"
#include "charts/scorecharts.h"

#include <QPainter>

#include <benchmark/benchmark.h>

using namespace zavevad;

namespace {

const QSize kSize(555, 376);

/// The chart as the program shows it for a kind: the default appearance applied.
void applyDefaults(chart::Chart &chart, int kind)
{
    Appearances appearances;
    FillAppearanceDefaults(appearances);
    ChartKindState state;
    ApplyChartKind(kind, appearances.CurrentAppearance, chart, state);
}

/// `count` markers over 0..120 minutes and 0..30 points in the six grade colours.
chart::Chart scatter(int count)
{
    chart::Chart c;
    applyDefaults(c, ChartKindLine);
    c.xy.active = true;
    c.xy.style = chart::XYStyle::Markers;
    const QStringList grades = gradeNamesRising();
    for (int i = 0; i < count; ++i) {
        const double x = (i * 7919) % 1201 / 10.0;
        const double y = (i * 104729) % 31;
        c.xy.points.append({x, y, gradeColor(grades[int(y) / 6 % 6]), QString()});
    }
    for (const QString &grade : grades)
        c.xy.legendItems.append({grade, gradeColor(grade)});
    c.xy.referenceLines.append({30.0, QStringLiteral("1. kwartyl: 30 min"), Qt::darkGray});
    c.xy.xMin = 0.0;
    c.xy.yMin = 0.0;
    c.xy.yMax = 30.0;
    return c;
}

/// A class of `count` students drawn as "Czas a wynik", flagged names and all.
chart::Chart timeScore(int count)
{
    AnalysisState state;
    state.dataLoaded = true;
    state.questionCount = 30;
    for (int i = 0; i < count; ++i) {
        UczenAll s;
        s.Nazwisko = QStringLiteral("Uczeń%1").arg(i);
        s.Imie = QStringLiteral("Ola");
        s.Suma = (i * 104729) % 31;
        s.Ocena = gradeNamesRising()[s.Suma / 6 % 6];
        s.Poczatek = 45000.375;
        s.Koniec = s.Poczatek + ((i * 7919) % 120 + 1) / 1440.0;
        state.students.push_back(s);
    }
    state.studentCount = count;
    chart::Chart c;
    applyDefaults(c, ChartKindLine);
    fillScoreChart(ScoreChart::TimeScore, state, c);
    return c;
}

void render(benchmark::State &state, const chart::Chart &chart)
{
    QImage image(kSize, QImage::Format_ARGB32_Premultiplied);
    for (auto _ : state) {
        QPainter painter(&image);
        chart::renderChart(painter, chart, QRectF(QPointF(), kSize));
        painter.end();
        benchmark::DoNotOptimize(image.constBits());
    }
}

void BM_Scatter10000(benchmark::State &state)
{
    render(state, scatter(10000));
}

void BM_Scatter10000Circles(benchmark::State &state)
{
    chart::Chart c = scatter(10000);
    c.line.pointerStyle = chart::PointerStyle::psCircle;
    render(state, c);
}

void BM_TimeScore10000(benchmark::State &state)
{
    render(state, timeScore(10000));
}

void BM_TimeScore30(benchmark::State &state)
{
    render(state, timeScore(30));
}

} // namespace

BENCHMARK(BM_Scatter10000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Scatter10000Circles)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TimeScore10000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TimeScore30)->Unit(benchmark::kMillisecond);
