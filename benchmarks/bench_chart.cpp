// Rendering times of the chart at the chart window's size, 555 x 376.
#include "chartengine/chartrenderer.h"

#include <QPainter>

#include <benchmark/benchmark.h>

using namespace zavevad::chart;

namespace {

const QSize kSize(555, 376);

QColor pointColor(int row)
{
    static const QColor colors[] = {QColor(0, 0, 255), QColor(255, 0, 0), QColor(255, 255, 0),
            QColor(192, 192, 192), QColor(0, 128, 0), QColor(0, 0, 0), QColor(128, 0, 0),
            QColor(0, 0, 128), QColor(0, 255, 0), QColor(255, 0, 255)};
    return colors[row % 10];
}

/// A chart as the program shows it: 3D, walls, gradient bars, marks, legend.
Chart makeChart(int kindIndex, int points)
{
    Chart c;
    c.header.lines = QStringList{QStringLiteral("Wyniki testu")};
    c.leftAxis.title = QStringLiteral("Nazwisko i imię");
    c.bottomAxis.title = QStringLiteral("Suma");
    for (int i = 0; i < points; ++i) {
        const QString label = QStringLiteral("Uczeń numer %1").arg(i + 1);
        const double value = (i * 7 + 3) % 23 + 2;
        c.bar.addPoint(value, label, pointColor(i));
        c.pie.addPoint(value, label, pointColor(i));
        c.line.addPoint(value, label, pointColor(i));
    }
    c.setSeriesActive(PieSeriesIndex, kindIndex == PieSeriesIndex);
    c.setSeriesActive(BarSeriesIndex, kindIndex == BarSeriesIndex);
    c.setSeriesActive(LineSeriesIndex, kindIndex == LineSeriesIndex);
    c.view3D.orthogonal = kindIndex != PieSeriesIndex;
    c.view3D.depthPercent = 20;
    c.pie.explodeBiggest = 15;
    c.series(kindIndex).marks.visible = true;
    c.series(kindIndex).marks.style = MarksStyle::smsValue;
    return c;
}

void render(benchmark::State &state, const Chart &chart)
{
    QImage image(kSize, QImage::Format_ARGB32_Premultiplied);
    for (auto _ : state) {
        QPainter painter(&image);
        renderChart(painter, chart, QRectF(QPointF(), kSize));
        painter.end();
        benchmark::DoNotOptimize(image.constBits());
    }
}

void BM_Bar30(benchmark::State &state)
{
    render(state, makeChart(BarSeriesIndex, 30));
}

void BM_Bar1000(benchmark::State &state)
{
    render(state, makeChart(BarSeriesIndex, 1000));
}

void BM_Pie30(benchmark::State &state)
{
    render(state, makeChart(PieSeriesIndex, 30));
}

void BM_Line30(benchmark::State &state)
{
    render(state, makeChart(LineSeriesIndex, 30));
}

void BM_Bar30Flat(benchmark::State &state)
{
    Chart c = makeChart(BarSeriesIndex, 30);
    c.view3D.view3D = false;
    render(state, c);
}

} // namespace

BENCHMARK(BM_Bar30)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Bar1000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Pie30)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Line30)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Bar30Flat)->Unit(benchmark::kMillisecond);
