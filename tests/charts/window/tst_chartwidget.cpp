// Zooming and panning the chart with the mouse, clicks on it, and what a
// listener hears of it.
#include "chartengine/chartrenderer.h"
#include "charts/window/chartaccessible.h"
#include "charts/window/chartwidget.h"

#include <QSignalSpy>
#include <QtTest>

using namespace zavevad::chart;

namespace {

void fill(Chart &c, int seriesIndex)
{
    for (int i = 0; i < 10; ++i) {
        const QColor color = QColor::fromHsv(i * 36, 255, 255);
        c.bar.addPoint(i + 1, QStringLiteral("P%1").arg(i), color);
        c.pie.addPoint(i + 1, QStringLiteral("P%1").arg(i), color);
        c.line.addPoint(i + 1, QStringLiteral("P%1").arg(i), color);
    }
    c.setSeriesActive(PieSeriesIndex, seriesIndex == PieSeriesIndex);
    c.setSeriesActive(BarSeriesIndex, seriesIndex == BarSeriesIndex);
    c.setSeriesActive(LineSeriesIndex, seriesIndex == LineSeriesIndex);
    c.view3D.orthogonal = seriesIndex != PieSeriesIndex;
}

QPoint at(const QRectF &plot, double fx, double fy)
{
    return QPointF(plot.left() + fx * plot.width(), plot.top() + fy * plot.height()).toPoint();
}

void drag(QWidget *w, Qt::MouseButton button, const QPoint &from, const QPoint &to)
{
    QTest::mousePress(w, button, Qt::NoModifier, from);
    const int steps = 5;
    for (int i = 1; i <= steps; ++i) {
        const QPoint p = from + (to - from) * i / steps;
        QMouseEvent move(
                QEvent::MouseMove, p, w->mapToGlobal(p), Qt::NoButton, button, Qt::NoModifier);
        QCoreApplication::sendEvent(w, &move);
    }
    QTest::mouseRelease(w, button, Qt::NoModifier, to);
}

} // namespace

class TstChartWidget : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void sizeHintIsTheChartWindowsChart();
    void leftDragDownRightZooms_data();
    void leftDragDownRightZooms();
    void leftDragUpLeftUndoesZoom();
    void rightDragPans_data();
    void rightDragPans();
    void noZoomOrPanOnPie();
    void noZoomWhenDisabled();
    void clickEmitsClicked();
    void refreshDropsZoomOfOldData();
    void imageIsTheChartAsShown();
    void speechCountsPointsInPolish_data();
    void speechCountsPointsInPolish();
    void speechNamesEveryPlotPoint();

private:
    Chart m_chart;
    ChartWidget *m_widget = nullptr;
    QRectF plot() const
    {
        return chartGeometry(
                m_widget->chart(), QRectF(m_widget->rect()), m_widget->viewState(), m_widget)
                .plot;
    }
};

void TstChartWidget::init()
{
    m_chart = Chart();
    m_widget = new ChartWidget(m_chart);
    m_widget->resize(555, 376);
    m_widget->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_widget));
}

void TstChartWidget::cleanup()
{
    delete m_widget;
    m_widget = nullptr;
}

void TstChartWidget::sizeHintIsTheChartWindowsChart()
{
    QCOMPARE(m_widget->sizeHint(), QSize(555, 376));
}

void TstChartWidget::leftDragDownRightZooms_data()
{
    QTest::addColumn<int>("seriesIndex");
    QTest::newRow("bar") << int(BarSeriesIndex);
    QTest::newRow("line") << int(LineSeriesIndex);
}

void TstChartWidget::leftDragDownRightZooms()
{
    QFETCH(int, seriesIndex);
    fill(m_widget->chart(), seriesIndex);
    m_widget->refresh();
    const ChartGeometry before =
            chartGeometry(m_widget->chart(), QRectF(m_widget->rect()), {}, m_widget);
    QSignalSpy changed(m_widget, &ChartWidget::viewChanged);
    QSignalSpy clicked(m_widget, &ChartWidget::clicked);

    drag(m_widget, Qt::LeftButton, at(before.plot, 0.25, 0.25), at(before.plot, 0.75, 0.5));

    QCOMPARE(clicked.count(), 0);
    QCOMPARE(changed.count(), 1);
    const ViewState v = m_widget->viewState();
    QVERIFY(v.active);
    const ViewState &f = before.full;
    // Half the width and a quarter of the height of the plot.
    const double vspan = f.valueMax - f.valueMin;
    const double cspan = f.categoryMax - f.categoryMin;
    const double tol = 0.03;
    if (seriesIndex == BarSeriesIndex) {
        QVERIFY(std::abs((v.valueMax - v.valueMin) / vspan - 0.5) < tol);
        QVERIFY(std::abs((v.categoryMax - v.categoryMin) / cspan - 0.25) < tol);
        QVERIFY(std::abs((v.valueMin - f.valueMin) / vspan - 0.25) < tol);
        QVERIFY(std::abs((v.categoryMin - f.categoryMin) / cspan - 0.25) < tol);
    } else {
        QVERIFY(std::abs((v.categoryMax - v.categoryMin) / cspan - 0.5) < tol);
        QVERIFY(std::abs((v.valueMax - v.valueMin) / vspan - 0.25) < tol);
        QVERIFY(std::abs((v.categoryMin - f.categoryMin) / cspan - 0.25) < tol);
        QVERIFY(std::abs((f.valueMax - v.valueMax) / vspan - 0.25) < tol);
    }
}

void TstChartWidget::leftDragUpLeftUndoesZoom()
{
    fill(m_widget->chart(), BarSeriesIndex);
    m_widget->refresh();
    const QRectF p = plot();
    drag(m_widget, Qt::LeftButton, at(p, 0.2, 0.2), at(p, 0.6, 0.6));
    QVERIFY(m_widget->viewState().active);
    drag(m_widget, Qt::LeftButton, at(p, 0.6, 0.6), at(p, 0.3, 0.3));
    QVERIFY(!m_widget->viewState().active);
}

void TstChartWidget::rightDragPans_data()
{
    QTest::addColumn<int>("seriesIndex");
    QTest::newRow("bar") << int(BarSeriesIndex);
    QTest::newRow("line") << int(LineSeriesIndex);
}

void TstChartWidget::rightDragPans()
{
    QFETCH(int, seriesIndex);
    fill(m_widget->chart(), seriesIndex);
    m_widget->refresh();
    const ChartGeometry g =
            chartGeometry(m_widget->chart(), QRectF(m_widget->rect()), {}, m_widget);
    QSignalSpy clicked(m_widget, &ChartWidget::clicked);
    // A quarter of the plot to the right and a quarter down.
    drag(m_widget, Qt::RightButton, at(g.plot, 0.4, 0.4), at(g.plot, 0.65, 0.65));
    QCOMPARE(clicked.count(), 0);
    const ViewState v = m_widget->viewState();
    QVERIFY(v.active);
    const double vshift = (v.valueMin - g.full.valueMin) / (g.full.valueMax - g.full.valueMin);
    const double cshift =
            (v.categoryMin - g.full.categoryMin) / (g.full.categoryMax - g.full.categoryMin);
    // The picture follows the mouse; the ranges keep their size.
    QCOMPARE(v.valueMax - v.valueMin, g.full.valueMax - g.full.valueMin);
    QCOMPARE(v.categoryMax - v.categoryMin, g.full.categoryMax - g.full.categoryMin);
    if (seriesIndex == BarSeriesIndex) {
        QVERIFY(std::abs(vshift + 0.25) < 0.03);
        QVERIFY(std::abs(cshift + 0.25) < 0.03);
    } else {
        QVERIFY(std::abs(cshift + 0.25) < 0.03);
        QVERIFY(std::abs(vshift - 0.25) < 0.03);
    }
}

void TstChartWidget::noZoomOrPanOnPie()
{
    fill(m_widget->chart(), PieSeriesIndex);
    m_widget->refresh();
    QSignalSpy clicked(m_widget, &ChartWidget::clicked);
    drag(m_widget, Qt::LeftButton, QPoint(100, 100), QPoint(300, 300));
    drag(m_widget, Qt::RightButton, QPoint(100, 100), QPoint(300, 300));
    QVERIFY(!m_widget->viewState().active);
    QCOMPARE(clicked.count(), 0);
}

void TstChartWidget::noZoomWhenDisabled()
{
    fill(m_widget->chart(), BarSeriesIndex);
    m_widget->chart().zoomEnabled = false;
    m_widget->chart().panEnabled = false;
    m_widget->refresh();
    const QRectF p = plot();
    drag(m_widget, Qt::LeftButton, at(p, 0.2, 0.2), at(p, 0.6, 0.6));
    drag(m_widget, Qt::RightButton, at(p, 0.2, 0.2), at(p, 0.6, 0.6));
    QVERIFY(!m_widget->viewState().active);
}

void TstChartWidget::clickEmitsClicked()
{
    for (int index : {int(BarSeriesIndex), int(PieSeriesIndex)}) {
        m_widget->chart() = Chart();
        fill(m_widget->chart(), index);
        m_widget->refresh();
        QSignalSpy clicked(m_widget, &ChartWidget::clicked);
        QTest::mouseClick(m_widget, Qt::LeftButton, Qt::NoModifier, QPoint(200, 150));
        QTest::mouseClick(m_widget, Qt::RightButton, Qt::NoModifier, QPoint(210, 150));
        QCOMPARE(clicked.count(), 2);
        QVERIFY(!m_widget->viewState().active);
    }
}

void TstChartWidget::refreshDropsZoomOfOldData()
{
    fill(m_widget->chart(), BarSeriesIndex);
    m_widget->refresh();
    const QRectF p = plot();
    drag(m_widget, Qt::LeftButton, at(p, 0.2, 0.2), at(p, 0.6, 0.6));
    QVERIFY(m_widget->viewState().active);
    // Restyling keeps the zoom.
    m_widget->chart().bar.style = BarStyle::bsCilinder;
    m_widget->refresh();
    QVERIFY(m_widget->viewState().active);
    // New points do not.
    m_widget->chart().bar.addPoint(3, QStringLiteral("new"), Qt::red);
    m_widget->refresh();
    QVERIFY(!m_widget->viewState().active);

    // Nor does showing the pie, which cannot be zoomed.
    drag(m_widget, Qt::LeftButton, at(p, 0.2, 0.2), at(p, 0.6, 0.6));
    QVERIFY(m_widget->viewState().active);
    m_widget->chart().setSeriesActive(BarSeriesIndex, false);
    m_widget->chart().setSeriesActive(PieSeriesIndex, true);
    m_widget->refresh();
    QVERIFY(!m_widget->viewState().active);
}

void TstChartWidget::imageIsTheChartAsShown()
{
    fill(m_widget->chart(), BarSeriesIndex);
    m_widget->refresh();
    const QImage image = m_widget->toImage();
    QCOMPARE(image.size(), QSize(555, 376));
    QCOMPARE(image, renderToImage(m_widget->chart(), QSize(555, 376)));
    const QByteArray svg = m_widget->toSvg(QSize(554, 375), QStringLiteral("Wykres"));
    QVERIFY(svg.contains("<svg"));
}

void TstChartWidget::speechCountsPointsInPolish_data()
{
    QTest::addColumn<int>("count");
    QTest::addColumn<QString>("counted");
    QTest::newRow("1") << 1 << QStringLiteral("1 punkt");
    QTest::newRow("3") << 3 << QStringLiteral("3 punkty");
    QTest::newRow("5") << 5 << QStringLiteral("5 punktów");
    QTest::newRow("12") << 12 << QStringLiteral("12 punktów");
    QTest::newRow("22") << 22 << QStringLiteral("22 punkty");
    QTest::newRow("28") << 28 << QStringLiteral("28 punktów");
}

void TstChartWidget::speechCountsPointsInPolish()
{
    QFETCH(int, count);
    QFETCH(QString, counted);
    QLocale::setDefault(QLocale(QLocale::Polish, QLocale::Poland));
    Chart c;
    for (int i = 0; i < count; ++i)
        c.bar.addPoint(i + 0.5, QStringLiteral("P%1").arg(i), Qt::red);
    c.setSeriesActive(PieSeriesIndex, false);
    c.setSeriesActive(BarSeriesIndex, true);
    const QString max = QLocale().toString(count - 0.5, 'g', 15);
    QCOMPARE(chartSpeech(c).description,
            QStringLiteral("Wykres słupkowy: %1, najmniejsza wartość 0,5, największa %2")
                    .arg(counted, max));
}

void TstChartWidget::speechNamesEveryPlotPoint()
{
    // A plot draws only some names beside their points; a listener hears all.
    Chart c;
    c.xy.active = true;
    c.bottomAxis.title = QStringLiteral("Czas (min)");
    c.xy.points = {{12, 3, Qt::red, QStringLiteral("Ola")}, {35, 9, Qt::blue, QString()},
            {20, 6, Qt::green, QString()}};
    c.xy.pointNames = {QStringLiteral("Ola"), QStringLiteral("Jan"), QStringLiteral("Ewa")};
    const ChartSpeech speech = chartSpeech(c);
    QCOMPARE(speech.labelColumn, QStringLiteral("Czas (min)"));
    QCOMPARE(speech.rows.size(), 3);
    QCOMPARE(speech.rows[0].value(0), QStringLiteral("Ola (12)"));
    QCOMPARE(speech.rows[1].value(0), QStringLiteral("Jan (35)"));
    QCOMPARE(speech.rows[2].value(0), QStringLiteral("Ewa (20)"));
    QCOMPARE(speech.rows[2].value(1), QStringLiteral("6"));
}

QTEST_MAIN(TstChartWidget)
#include "tst_chartwidget.moc"
