// Charts of a whole class at the chart window's design size: every name and
// value is drawn, legibly, and no text runs into another.

#include "chartsamples.h"
#include "ui/chart/chartrenderer.h"

#include <QDir>
#include <QFontMetricsF>
#include <QImage>
#include <QTest>

using namespace zavevad::chart;
using namespace zavevad::chart::test;

namespace {

/// The chart's size in a chart window of the design size.
const QSize kDesignChart(555, 376);

void save(const QImage &image, const QString &name)
{
    const QString dir = qEnvironmentVariable("ZAVEVAD_CHART_GALLERY");
    if (dir.isEmpty())
        return;
    QDir().mkpath(dir);
    QVERIFY(image.save(QDir(dir).filePath(name + QStringLiteral(".png"))));
}

} // namespace

class TstChartReadable : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void probe()
    {
        for (double pt : {6.5, 7.0, 7.5, 8.0}) {
            QFont f(QStringLiteral("MS Sans Serif"));
            f.setPointSizeF(pt);
            QImage probe(1, 1, QImage::Format_ARGB32_Premultiplied);
            QFontMetricsF fm(f, &probe);
            qDebug() << pt << fm.height() << fm.ascent() << fm.descent()
                     << fm.tightBoundingRect(
                                QStringLiteral("Żak GabrielaŁuczak Małgorzata Śliwa Tymonjy"))
                     << fm.tightBoundingRect(QStringLiteral("0123456789"))
                     << fm.horizontalAdvance(QStringLiteral("Szymańska Wiktoria"));
        }
        for (int n : {23, 28, 35})
            for (Kind k : {Kind::Bar, Kind::Pie, Kind::Line}) {
                const Chart c = n == 28 ? classChart(k) : sampleChart(k, n);
                const QImage image = renderToImage(c, kDesignChart);
                save(image, QStringLiteral("k%1_%2").arg(int(k)).arg(n));
                QImage probe(1, 1, QImage::Format_ARGB32_Premultiplied);
                const ChartGeometry g =
                        chartGeometry(c, QRectF(QPointF(), QSizeF(kDesignChart)), {}, &probe);
                qDebug() << n << int(k) << "plot" << g.plot << "marks" << g.marks.size() << "legend"
                         << g.legend << g.legendRows.size();
            }
    }
};

QTEST_MAIN(TstChartReadable)
#include "tst_chartreadable.moc"
