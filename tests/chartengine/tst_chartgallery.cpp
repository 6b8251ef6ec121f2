// Renders every chart kind with its settings changed group by group. Each
// change must alter the picture; with ZAVEVAD_CHART_GALLERY set to a folder
// the pictures are also saved there for a person to look at.
#include "chartengine/chartrenderer.h"
#include "chartsamples.h"

#include <QDir>
#include <QPainter>
#include <QtTest>

#include <functional>

using namespace zavevad::chart;
using namespace zavevad::chart::test;

Q_DECLARE_METATYPE(std::function<void(Chart &)>)

namespace {

using Change = std::function<void(Chart &)>;
const QSize kSize(555, 376);

/// A picture with a recognisable pattern, standing in for a teacher's photo.
QImage picture(const QSize &size)
{
    QImage image(size, QImage::Format_RGB32);
    QPainter p(&image);
    QLinearGradient g(0, 0, size.width(), size.height());
    g.setColorAt(0, QColor(250, 210, 90));
    g.setColorAt(1, QColor(90, 160, 230));
    p.fillRect(image.rect(), g);
    p.setPen(QPen(QColor(255, 255, 255, 160), 3));
    for (int r = 10; r < size.width(); r += 24)
        p.drawEllipse(QPoint(size.width() / 2, size.height() / 2), r, r);
    return image;
}

void save(const QImage &image, const QString &name)
{
    const QString dir = qEnvironmentVariable("ZAVEVAD_CHART_GALLERY");
    if (dir.isEmpty())
        return;
    QDir().mkpath(dir);
    QVERIFY(image.save(QDir(dir).filePath(name + QStringLiteral(".png"))));
}

} // namespace

class TstChartGallery : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void settingChangesPicture_data();
    void settingChangesPicture();
};

void TstChartGallery::settingChangesPicture_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<int>("base");
    QTest::addColumn<Change>("change");

    const QList<std::pair<const char *, Change>> common = {
            {"default",
                    [](Chart &) {
                    }},
            {"2d",
                    [](Chart &c) {
                        c.view3D.view3D = false;
                    }},
            {"depth60",
                    [](Chart &c) {
                        c.view3D.depthPercent = 60;
                    }},
            {"zoom70",
                    [](Chart &c) {
                        c.view3D.zoomPercent = 70;
                    }},
            {"header-left-boxed",
                    [](Chart &c) {
                        c.header.alignment = Alignment::taLeftJustify;
                        c.header.brush = BrushStyle::bsSolid;
                        c.header.color = QColor(255, 255, 200);
                        c.header.adjustFrame = true;
                        c.header.font.color = Qt::darkBlue;
                        c.header.frame.visible = true;
                    }},
            {"header-right",
                    [](Chart &c) {
                        c.header.alignment = Alignment::taRightJustify;
                    }},
            {"footer",
                    [](Chart &c) {
                        c.footer.visible = true;
                        c.footer.lines = QStringList{QStringLiteral("Oto stopka")};
                    }},
            {"legend-values",
                    [](Chart &c) {
                        c.legend.textStyle = LegendTextStyle::ltsRightValue;
                    }},
            {"legend-xvalue",
                    [](Chart &c) {
                        c.legend.textStyle = LegendTextStyle::ltsXValue;
                    }},
            {"legend-colours",
                    [](Chart &c) {
                        c.legend.color = QColor(255, 255, 225);
                        c.legend.font.color = Qt::black;
                        c.legend.shadowColor = QColor(40, 40, 90);
                        c.legend.shadowSize = 8;
                        c.legend.topPos = 30;
                        c.legend.colorWidth = 30;
                    }},
            {"legend-hidden",
                    [](Chart &c) {
                        c.legend.visible = false;
                    }},
            {"panel-plain",
                    [](Chart &c) {
                        c.panel.gradientVisible = false;
                        c.panel.color = QColor(230, 236, 245);
                    }},
            {"gradient-colours",
                    [](Chart &c) {
                        c.panel.gradientStart = QColor(40, 70, 140);
                        c.panel.gradientEnd = QColor(10, 20, 50);
                    }},
            {"picture-outside",
                    [](Chart &c) {
                        c.panel.backImage = picture(QSize(420, 320));
                        c.panel.backImageInside = false;
                    }},
            {"picture-stretched",
                    [](Chart &c) {
                        c.panel.backImage = picture(QSize(120, 80));
                        c.panel.backImageMode = PictureMode::pbmStretch;
                    }},
            {"marks-boxed",
                    [](Chart &c) {
                        for (int i = 0; i < 3; ++i) {
                            c.series(i).marks.visible = true;
                            c.series(i).marks.transparent = false;
                            c.series(i).marks.font.color = Qt::black;
                        }
                    }},
            {"marks-label-percent",
                    [](Chart &c) {
                        for (int i = 0; i < 3; ++i) {
                            c.series(i).marks.visible = true;
                            c.series(i).marks.style = MarksStyle::smsLabelPercent;
                        }
                    }},
            {"marks-hidden",
                    [](Chart &c) {
                        for (int i = 0; i < 3; ++i)
                            c.series(i).marks.visible = false;
                    }},
    };
    const QList<std::pair<const char *, Change>> axes = {
            {"oblique-off",
                    [](Chart &c) {
                        c.view3D.orthogonal = false;
                    }},
            {"rotated",
                    [](Chart &c) {
                        c.view3D.orthogonal = false;
                        c.view3D.rotation = 340;
                        c.view3D.elevation = 345;
                        c.view3D.perspective = 30;
                    }},
            {"walls3d-off",
                    [](Chart &c) {
                        c.view3D.walls3D = false;
                    }},
            {"grid-solid",
                    [](Chart &c) {
                        c.leftAxis.gridStyle = GridStyle::psSolid;
                        c.bottomAxis.gridStyle = GridStyle::psSolid;
                        c.leftAxis.gridColor = QColor(200, 200, 200);
                        c.bottomAxis.gridColor = QColor(200, 200, 200);
                    }},
            {"grid-hidden",
                    [](Chart &c) {
                        c.leftAxis.gridVisible = false;
                        c.bottomAxis.gridVisible = false;
                    }},
            {"axis-fonts",
                    [](Chart &c) {
                        c.leftAxis.titleAngle = 0;
                        c.bottomAxis.titleFont.font.setPointSize(12);
                        c.bottomAxis.titleFont.color = Qt::yellow;
                        c.leftAxis.labelsFont.color = Qt::cyan;
                        c.bottomAxis.labelsFont.font.setBold(true);
                        c.leftAxis.axisColor = Qt::red;
                        c.bottomAxis.axisColor = Qt::red;
                    }},
            {"walls",
                    [](Chart &c) {
                        c.leftWall.color = QColor(200, 180, 120);
                        c.bottomWall.brush = BrushStyle::bsClear;
                        c.backWall.color = QColor(240, 240, 255);
                    }},
            {"frame-colour",
                    [](Chart &c) {
                        c.panel.frameColor = Qt::yellow;
                    }},
            {"picture-inside",
                    [](Chart &c) {
                        c.panel.backImage = picture(QSize(160, 100));
                        c.panel.backImageInside = true;
                    }},
            {"zoomed",
                    [](Chart &c) {
                        c.view3D.zoomPercent = 140;
                        c.clipPoints = true;
                    }},
    };

    for (Kind kind : {Kind::Bar, Kind::Pie, Kind::Line}) {
        const char *kindName = kind == Kind::Bar ? "bar" : kind == Kind::Pie ? "pie" : "line";
        QList<std::pair<const char *, Change>> changes = common;
        if (kind != Kind::Pie)
            changes += axes;
        if (kind == Kind::Bar) {
            changes += {{"rectangle",
                                [](Chart &c) {
                                    c.bar.style = BarStyle::bsRectangle;
                                }},
                    {"cylinder",
                            [](Chart &c) {
                                c.bar.style = BarStyle::bsCilinder;
                            }},
                    {"cylinder-2d",
                            [](Chart &c) {
                                c.bar.style = BarStyle::bsCilinder;
                                c.view3D.view3D = false;
                            }},
                    {"arrow",
                            [](Chart &c) {
                                c.bar.style = BarStyle::bsArrow;
                            }},
                    {"arrow-2d",
                            [](Chart &c) {
                                c.bar.style = BarStyle::bsArrow;
                                c.view3D.view3D = false;
                            }},
                    {"origin",
                            [](Chart &c) {
                                c.bar.origin = 10;
                            }},
                    {"width80",
                            [](Chart &c) {
                                c.bar.widthPercent = 80;
                            }},
                    {"offset0", [](Chart &c) {
                         c.bar.offsetPercent = 0;
                     }}};
        } else if (kind == Kind::Pie) {
            changes += {{"patterns",
                                [](Chart &c) {
                                    c.pie.patterns = true;
                                }},
                    {"patterns-background",
                            [](Chart &c) {
                                c.pie.patterns = true;
                                c.pie.backColor = QColor(255, 255, 200);
                            }},
                    {"explode0",
                            [](Chart &c) {
                                c.pie.explodeBiggest = 0;
                            }},
                    {"explode50",
                            [](Chart &c) {
                                c.pie.explodeBiggest = 50;
                            }},
                    {"rotation120",
                            [](Chart &c) {
                                c.pie.rotation = 120;
                            }},
                    {"elliptic",
                            [](Chart &c) {
                                c.pie.circled = false;
                            }},
                    {"orthogonal",
                            [](Chart &c) {
                                c.view3D.orthogonal = true;
                            }},
                    {"elevation", [](Chart &c) {
                         c.view3D.elevation = 300;
                     }}};
        } else {
            changes += {{"rectangles",
                                [](Chart &c) {
                                    c.line.pointerStyle = PointerStyle::psRectangle;
                                }},
                    {"triangles",
                            [](Chart &c) {
                                c.line.pointerStyle = PointerStyle::psTriangle;
                            }},
                    {"stars",
                            [](Chart &c) {
                                c.line.pointerStyle = PointerStyle::psStar;
                                c.line.pointerHorizSize = 7;
                                c.line.pointerVertSize = 7;
                            }},
                    {"stars-2d",
                            [](Chart &c) {
                                c.line.pointerStyle = PointerStyle::psStar;
                                c.line.pointerHorizSize = 7;
                                c.line.pointerVertSize = 7;
                                c.view3D.view3D = false;
                            }},
                    {"pointers-hidden",
                            [](Chart &c) {
                                c.line.pointerVisible = false;
                            }},
                    {"pointer-colour",
                            [](Chart &c) {
                                c.line.pointerColor = QColor(255, 128, 0);
                            }},
                    {"pointer-size",
                            [](Chart &c) {
                                c.line.pointerHorizSize = 3;
                                c.line.pointerVertSize = 8;
                            }},
                    {"line-colour",
                            [](Chart &c) {
                                c.line.lineColor = QColor(255, 60, 60);
                            }},
                    {"dark3d", [](Chart &c) {
                         c.line.dark3D = true;
                     }}};
        }
        // The twelve students, the six grades, and the crowded class of 28.
        for (int base : {0, 1, 2}) {
            for (const auto &[name, change] : std::as_const(changes)) {
                const QByteArray tag = QByteArray(kindName)
                        + (base == 1                ? "-grades-"
                                        : base == 2 ? "-class-"
                                                    : "-")
                        + name;
                QTest::newRow(tag.constData()) << int(kind) << base << change;
            }
        }
    }
}

void TstChartGallery::settingChangesPicture()
{
    QFETCH(int, kind);
    QFETCH(int, base);
    QFETCH(Change, change);
    const Kind k = Kind(kind);
    const Chart chart = base == 1 ? gradeChart(k) : base == 2 ? classChart(k) : sampleChart(k);
    Chart changed = chart;
    change(changed);
    const QImage before = renderToImage(chart, kSize);
    const QImage after = renderToImage(changed, kSize);
    save(after, QString::fromLatin1(QTest::currentDataTag()));
    if (QByteArray(QTest::currentDataTag()).endsWith("-default"))
        return;
    QVERIFY2(before != after, "the setting left the picture unchanged");
}

QTEST_MAIN(TstChartGallery)
#include "tst_chartgallery.moc"
