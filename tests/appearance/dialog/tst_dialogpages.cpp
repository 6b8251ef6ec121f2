#include "dialogfixture.h"

#include "ui/radiogroup.h"
#include "ui/spinedit.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFocusEvent>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>

using namespace zavevad;
using namespace zavevad::test;
using namespace Qt::StringLiterals;

namespace {

void retype(SpinEdit *spin, const QString &text)
{
    spin->lineEdit()->selectAll();
    QTest::keyClicks(spin->lineEdit(), text);
}

void leave(SpinEdit *spin)
{
    QFocusEvent out(QEvent::FocusOut, Qt::TabFocusReason);
    QApplication::sendEvent(spin->lineEdit(), &out);
}

void choose(QComboBox *box, int index)
{
    box->setCurrentIndex(index);
    Q_EMIT box->activated(index);
}

/// A record far from the defaults, with codes outside their ranges, for the fills.
void unusualRecord(TChartAppearance &r)
{
    r.TitleAlignment = 7;
    r.FootAlignment = -1;
    r.LegendTextStyle = 5;
    r.MarksStyle = 9;
    r.BarShape = 11;
    r.LinePointShape = -3;
    r.LegendShadowSize = 77;
    r.LegendTopPos = 3;
    r.BarOrigin = -40;
    r.BarWidthPercent = 250;
    r.PieExplodeBiggest = 95;
    r.PieRotation = 720;
    r.LinePointLength = 0;
    r.LinePointWidth = 33;
    r.BackPictureOn = true;
    r.BackPictureInside = true;
    r.BackPictureCentered = false;
    r.View3D = false;
    r.View3DWalls = false;
    r.LeftAxisTitleAngle = 1000;
    r.BottomGridDotted = 5;
    r.MarksVisible = false;
    r.pad2FB = {0xAB};
}

} // namespace

class TestDialogPages : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::Polish, QLocale::Poland)); }

    void pageFillsLeaveTheRecordAsItWas_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<bool>("unusual");
        for (int kind = ChartKindBar; kind <= ChartKindLine; ++kind) {
            QTest::addRow("kind %d defaults", kind) << kind << false;
            QTest::addRow("kind %d unusual", kind) << kind << true;
        }
    }

    void pageFillsLeaveTheRecordAsItWas()
    {
        QFETCH(int, kind);
        QFETCH(bool, unusual);
        DialogFixture f(kind);
        if (unusual)
            unusualRecord(f.record());
        const QByteArray before = f.record().toBytes();
        f.dialog.hide();
        f.dialog.show();
        QCOMPARE(f.record().toBytes(), before);
        for (const char *page : {"TabSheet1", "TabSheet2", "TabSheet3", "TabSheet4", "TabSheet5",
                     "TabSheet7", "TabSheet6"}) {
            f.showPage(page);
            QVERIFY2(f.record().toBytes() == before, page);
        }
        for (int index : {1, 0}) {
            f.showPage("TabSheet1");
            f.control<QComboBox>("CNaglowek")->setCurrentIndex(index);
            f.showPage("TabSheet2");
            f.control<QComboBox>("Cosie")->setCurrentIndex(index);
        }
        QCOMPARE(f.record().toBytes(), before);
        // No fill asks the user anything, not even with a picture in the record.
        QVERIFY(f.platform.calls.isEmpty());
        QVERIFY(f.errors.texts.isEmpty());
    }

    void legendControls()
    {
        DialogFixture f(ChartKindBar);
        f.showPage("TabSheet3");
        TChartAppearance expected = f.record();
        QCOMPARE(f.control<SpinEdit>("SDlugCienia")->text(), u"4"_s);
        QCOMPARE(f.control<QComboBox>("CPokazLegende")->currentIndex(), 0);

        f.control<QCheckBox>("CwidocznaLegenda")->click();
        expected.LegendVisible = false;
        QVERIFY(!f.chart.legend.visible);

        choose(f.control<QComboBox>("CPokazLegende"), 1);
        expected.LegendTextStyle = 1;
        QCOMPARE(f.chart.legend.textStyle, chart::LegendTextStyle::ltsXValue);

        retype(f.control<SpinEdit>("SDlugCienia"), u"7"_s);
        expected.LegendShadowSize = 7;
        QCOMPARE(f.chart.legend.shadowSize, 7);

        retype(f.control<SpinEdit>("Spolozenie"), u"25"_s);
        expected.LegendTopPos = 25;
        QCOMPARE(f.chart.legend.topPos, 25);

        f.platform.colorAnswers = {QColor(1, 1, 1), QColor(2, 2, 2)};
        f.control<QPushButton>("BKolorTlaLegendy")->click();
        expected.LegendColor = AppearanceColor::fromRgb(1, 1, 1);
        QCOMPARE(f.chart.legend.color, QColor(1, 1, 1));
        f.control<QPushButton>("BKolorCienia")->click();
        expected.LegendShadowColor = AppearanceColor::fromRgb(2, 2, 2);
        QCOMPARE(f.chart.legend.shadowColor, QColor(2, 2, 2));

        const QFont font(u"DejaVu Serif"_s, 10);
        f.platform.fontAnswers = {FontChoice{font, Qt::darkBlue}};
        f.control<QPushButton>("BCzcionkaLegendy")->click();
        expected.LegendFont.setFromQFont(font, Qt::darkBlue);
        QCOMPARE(f.chart.legend.font.color, QColor(Qt::darkBlue));

        QVERIFY(f.record() == expected);
    }

    void legendPositionShowsTheValueLastEntered()
    {
        DialogFixture f(ChartKindBar);
        f.showPage("TabSheet3");
        auto *position = f.control<SpinEdit>("Spolozenie");
        // The record's 12 is not shown: the box starts at 13 and keeps what the user typed.
        QCOMPARE(position->text(), u"13"_s);
        QCOMPARE(f.record().LegendTopPos, 12);
        retype(position, u"40"_s);
        leave(position);
        QCOMPARE(position->text(), u"30"_s);
        QCOMPARE(f.record().LegendTopPos, 30);

        // A template brings another position: the legend moves, the box stays.
        f.record().LegendTopPos = 5;
        ApplyAppearance(f.record(), f.chart, f.state.CurrentSeries);
        f.showPage("TabSheet1");
        f.showPage("TabSheet3");
        QCOMPARE(position->text(), u"30"_s);
        QCOMPARE(f.chart.legend.topPos, 5);
    }

    void backgroundControls()
    {
        DialogFixture f(ChartKindBar);
        f.showPage("TabSheet4");
        TChartAppearance expected = f.record();
        auto *fit = f.control<RadioGroup>("RDopasuj");
        QCOMPARE(fit->itemIndex(), 0);

        fit->button(1)->click();
        expected.BackPictureCentered = false;
        QCOMPARE(f.chart.panel.backImageMode, chart::PictureMode::pbmStretch);
        f.control<QRadioButton>("RDowewn")->click();
        expected.BackPictureInside = true;
        QVERIFY(f.chart.panel.backImageInside);
        f.control<QCheckBox>("Cgradient")->click();
        expected.GradientVisible = false;
        QVERIFY(!f.chart.panel.gradientVisible);

        f.platform.colorAnswers = {QColor(10, 0, 0), QColor(20, 0, 0), QColor(30, 0, 0),
                QColor(40, 0, 0), QColor(50, 0, 0)};
        f.control<QPushButton>("BKolorPocz")->click();
        expected.GradientStartColor = AppearanceColor::fromRgb(10, 0, 0);
        QCOMPARE(f.chart.panel.gradientStart, QColor(10, 0, 0));
        f.control<QPushButton>("BKolorKonc")->click();
        expected.GradientEndColor = AppearanceColor::fromRgb(20, 0, 0);
        QCOMPARE(f.chart.panel.gradientEnd, QColor(20, 0, 0));
        f.control<QPushButton>("BKolorZewn")->click();
        expected.OuterColor = AppearanceColor::fromRgb(30, 0, 0);
        QCOMPARE(f.chart.panel.color, QColor(30, 0, 0));
        f.control<QPushButton>("BKolorObramowania")->click();
        expected.FrameColor = AppearanceColor::fromRgb(40, 0, 0);
        QCOMPARE(f.chart.panel.frameColor, QColor(40, 0, 0));
        f.control<QPushButton>("BKolorTla")->click();
        expected.BackColor = AppearanceColor::fromRgb(50, 0, 0);
        QCOMPARE(f.chart.backWall.color, QColor(50, 0, 0));
        QVERIFY(f.record() == expected);

        // The swatches show the gradient colours.
        const QImage shot = f.dialog.grab().toImage();
        const QLabel *start = f.control<QLabel>("LKororPocz");
        const QLabel *end = f.control<QLabel>("LKolorKonc");
        QCOMPARE(shot.pixelColor(start->mapTo(&f.dialog, QPoint(12, 12))), QColor(10, 0, 0));
        QCOMPARE(shot.pixelColor(end->mapTo(&f.dialog, QPoint(12, 12))), QColor(20, 0, 0));

        // The next fill shows the stored choices.
        f.showPage("TabSheet3");
        f.showPage("TabSheet4");
        QCOMPARE(fit->itemIndex(), 1);
        QVERIFY(f.control<QRadioButton>("RDowewn")->isChecked());
        QVERIFY(!f.control<QCheckBox>("Cgradient")->isChecked());
        f.record().BackPictureInside = false;
        f.showPage("TabSheet3");
        f.showPage("TabSheet4");
        QVERIFY(!f.control<QRadioButton>("RDowewn")->isChecked());
    }

    void backgroundPicture()
    {
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const QString good = dir.filePath(u"tlo.png"_s);
        QImage picture(8, 6, QImage::Format_RGB32);
        picture.fill(Qt::magenta);
        QVERIFY(picture.save(good));
        const QString bad = dir.filePath(u"zepsuty.png"_s);
        QFile broken(bad);
        QVERIFY(broken.open(QIODevice::WriteOnly));
        broken.write("no picture here");
        broken.close();

        DialogFixture f(ChartKindBar);
        f.showPage("TabSheet4");
        auto *insert = f.control<QCheckBox>("WstawObrazek");

        // Cancelled: nothing changes and the box stays ticked.
        insert->click();
        QVERIFY(insert->isChecked());
        QVERIFY(!f.record().BackPictureOn);
        QVERIFY(f.chart.panel.backImage.isNull());

        insert->click(); // unticked again
        f.platform.pictureAnswers = {good};
        insert->click();
        QVERIFY(f.record().BackPictureOn);
        QCOMPARE(f.chart.panel.backImage.size(), QSize(8, 6));

        insert->click();
        QVERIFY(!f.record().BackPictureOn);
        QVERIFY(f.chart.panel.backImage.isNull());

        // A file that is no picture reports the loader's error; the flag is already set.
        f.platform.pictureAnswers = {bad};
        insert->click();
        QCOMPARE(f.errors.texts,
                QStringList{u"Nie można wczytać obrazu: "_s + QDir::toNativeSeparators(bad)});
        QVERIFY(f.record().BackPictureOn);
        QVERIFY(f.chart.panel.backImage.isNull());
        QCOMPARE(f.platform.calls.size(), 3);
    }

    void valueLabelsActOnTheShownSeriesOnly()
    {
        DialogFixture f(ChartKindPie);
        const chart::MarksSettings bar = f.chart.bar.marks;
        const chart::MarksSettings line = f.chart.line.marks;
        f.showPage("TabSheet7");
        TChartAppearance expected = f.record();

        f.control<QCheckBox>("Cpokazwartosci")->click();
        expected.MarksVisible = false;
        QVERIFY(!f.chart.pie.marks.visible);
        f.control<QCheckBox>("CprzezrWart")->click();
        expected.MarksTransparent = false;
        QVERIFY(!f.chart.pie.marks.transparent);
        f.control<RadioGroup>("RRodzajWartosci")->button(4)->click();
        expected.MarksStyle = 4;
        QCOMPARE(f.chart.pie.marks.style, chart::MarksStyle::smsLabelPercent);
        f.platform.colorAnswers = {QColor(9, 9, 9)};
        f.control<QPushButton>("BKolorWart")->click();
        expected.MarksBackColor = AppearanceColor::fromRgb(9, 9, 9);
        QCOMPARE(f.chart.pie.marks.backColor, QColor(9, 9, 9));
        const QFont font(u"DejaVu Sans"_s, 12);
        f.platform.fontAnswers = {FontChoice{font, Qt::green}};
        f.control<QPushButton>("BCzcionkaMarks")->click();
        expected.MarksFont.setFromQFont(font, Qt::green);
        QCOMPARE(f.chart.pie.marks.font.color, QColor(Qt::green));

        QVERIFY(f.record() == expected);
        QCOMPARE(f.chart.bar.marks.visible, bar.visible);
        QCOMPARE(f.chart.bar.marks.style, bar.style);
        QCOMPARE(f.chart.bar.marks.backColor, bar.backColor);
        QCOMPARE(f.chart.line.marks.style, line.style);
        QCOMPARE(f.chart.line.marks.font, line.font);
    }

    void valuesPageShowsTheRecord()
    {
        DialogFixture f(ChartKindBar);
        f.record().MarksTransparent = false;
        f.record().MarksVisible = true;
        f.record().MarksStyle = 3;
        f.showPage("TabSheet7");
        QVERIFY(f.control<QCheckBox>("Cpokazwartosci")->isChecked());
        QVERIFY(!f.control<QCheckBox>("CprzezrWart")->isChecked());
        QCOMPARE(f.control<RadioGroup>("RRodzajWartosci")->itemIndex(), 3);
    }

    void view3DRules_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<bool>("wallsShown");
        QTest::addColumn<bool>("barsBackAtOnce");
        QTest::newRow("bar") << int(ChartKindBar) << true << true;
        QTest::newRow("pie") << int(ChartKindPie) << false << false;
        QTest::newRow("line") << int(ChartKindLine) << true << true;
    }

    void view3DRules()
    {
        QFETCH(int, kind);
        QFETCH(bool, wallsShown);
        QFETCH(bool, barsBackAtOnce);
        DialogFixture f(kind);
        f.showPage("TabSheet5");
        QWidget *page = f.control<QWidget>("TabSheet5");
        auto *view = f.control<QCheckBox>("CWykres3d");
        auto *walls = f.control<QCheckBox>("C3dosie");
        auto *depth = f.control<QScrollBar>("S3dPercent");
        auto *zoom = f.control<QScrollBar>("SZoom");
        QCOMPARE(walls->isVisibleTo(page), wallsShown);
        QVERIFY(view->isChecked());
        QVERIFY(depth->isEnabled() && zoom->isEnabled());
        for (const char *hidden : {"Cortogonalnie", "Sperspektywa", "SElewacja", "SObroty"})
            QVERIFY2(!f.control<QWidget>(hidden)->isVisibleTo(page), hidden);

        view->click();
        QVERIFY(!f.record().View3D);
        QVERIFY(!f.chart.view3D.view3D);
        QVERIFY(!depth->isEnabled() && !zoom->isEnabled());
        QVERIFY(!f.control<QWidget>("Cortogonalnie")->isEnabled());
        view->click();
        QVERIFY(f.record().View3D);
        QVERIFY(f.chart.view3D.view3D);
        QCOMPARE(depth->isEnabled(), barsBackAtOnce);
        QCOMPARE(zoom->isEnabled(), barsBackAtOnce);
        QVERIFY(f.control<QWidget>("Cortogonalnie")->isEnabled());
        // The never-visible perspective bars stay off while "Pokaż perspektywicznie" is unticked.
        QVERIFY(!f.control<QWidget>("Sperspektywa")->isEnabled());

        // Showing the page again enables them by the record.
        f.showPage("TabSheet1");
        f.showPage("TabSheet5");
        QVERIFY(depth->isEnabled() && zoom->isEnabled());
        QVERIFY(f.errors.texts.isEmpty());
    }

    void view3DSettings()
    {
        DialogFixture f(ChartKindBar);
        f.chart.view3D.walls3D = false;
        f.showPage("TabSheet5");
        auto *walls = f.control<QCheckBox>("C3dosie");
        // The page shows the record's walls while the chart may differ; two clicks align them.
        QVERIFY(walls->isChecked());
        walls->click();
        walls->click();
        QVERIFY(f.record().View3DWalls);
        QVERIFY(f.chart.view3D.walls3D);

        auto *depth = f.control<QScrollBar>("S3dPercent");
        auto *zoom = f.control<QScrollBar>("SZoom");
        QCOMPARE(depth->minimum(), 1);
        QCOMPARE(depth->maximum(), 100);
        QCOMPARE(depth->value(), 30);
        QCOMPARE(zoom->maximum(), 300);
        QCOMPARE(zoom->value(), 100);
        depth->setValue(60);
        QCOMPARE(f.record().Chart3DPercent, 60);
        QCOMPARE(f.chart.view3D.depthPercent, 60);
        zoom->setValue(150);
        QCOMPARE(f.record().Zoom, 150);
        QCOMPARE(f.chart.view3D.zoomPercent, 150);

        // The bars keep their positions; they are not set from the record.
        f.record().Chart3DPercent = 30;
        f.showPage("TabSheet1");
        f.showPage("TabSheet5");
        QCOMPARE(depth->value(), 60);

        // The hidden perspective controls still work when driven.
        auto *perspective = f.control<QCheckBox>("Cortogonalnie");
        perspective->click();
        QVERIFY(f.record().Perspective);
        QVERIFY(!f.chart.view3D.orthogonal);
        QVERIFY(f.control<QWidget>("SElewacja")->isEnabled());
        f.control<QScrollBar>("SElewacja")->setValue(40);
        QCOMPARE(f.record().Elevation, 40);
        QCOMPARE(f.chart.view3D.elevation, 40);
    }

    void chartPageShowsThePanelOfTheKind_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("panel");
        QTest::newRow("bar") << int(ChartKindBar) << u"PSlupek"_s;
        QTest::newRow("pie") << int(ChartKindPie) << u"PKola"_s;
        QTest::newRow("line") << int(ChartKindLine) << u"PLinia"_s;
    }

    void chartPageShowsThePanelOfTheKind()
    {
        QFETCH(int, kind);
        QFETCH(QString, panel);
        DialogFixture f(ChartKindBar);
        f.dialog.hide();
        f.state.ChartKind = kind;
        ApplyChartKind(kind, f.record(), f.chart, f.state);
        f.dialog.showPanelForKind(kind);
        f.dialog.show();
        QWidget *page = f.control<QWidget>("TabSheet6");
        for (const QString &name : {u"PSlupek"_s, u"PKola"_s, u"PLinia"_s})
            QCOMPARE(f.control<QWidget>(name.toLatin1().constData())->isVisibleTo(page),
                    name == panel);
        // Another kind leaves the panels alone.
        f.dialog.showPanelForKind(4);
        QVERIFY(f.control<QWidget>(panel.toLatin1().constData())->isVisibleTo(page));
    }

    void barPanel()
    {
        DialogFixture f(ChartKindBar);
        TChartAppearance expected = f.record();
        auto *shape = f.control<QComboBox>("Cksztalt");
        QCOMPARE(shape->currentIndex(), 1);
        choose(shape, 2);
        expected.BarShape = 2;
        QCOMPARE(f.chart.bar.style, chart::BarStyle::bsCilinder);

        auto *width = f.control<SpinEdit>("SSzerokoscSlupka");
        QCOMPARE(width->text(), u"30"_s);
        retype(width, u"55"_s);
        expected.BarWidthPercent = 55;
        QCOMPARE(f.chart.bar.widthPercent, 55);

        auto *origin = f.control<QLineEdit>("EWartpoczontkowa");
        QCOMPARE(origin->text(), u"0"_s);
        origin->clear();
        QTest::keyClicks(origin, u"12x-,"_s);
        QCOMPARE(origin->text(), u"12"_s);
        expected.BarOrigin = 12;
        QCOMPARE(f.chart.bar.origin, 12.0);
        QVERIFY(f.record() == expected);

        QTest::keyClick(origin, Qt::Key_Backspace);
        QTest::keyClick(origin, Qt::Key_Backspace);
        QCOMPARE(origin->text(), QString());
        QCOMPARE(f.record().BarOrigin, 0);
        QCOMPARE(f.chart.bar.origin, 0.0);
        QVERIFY(f.errors.texts.isEmpty());

        // Ten digits do not fit: the error, and the origin stays.
        QTest::keyClicks(origin, u"4000000000"_s);
        QCOMPARE(f.errors.texts.last(), u"'4000000000' is not a valid integer value"_s);
        QCOMPARE(f.record().BarOrigin, 400000000);
        QCOMPARE(f.chart.bar.origin, 400000000.0);
    }

    void piePanel()
    {
        DialogFixture f(ChartKindPie);
        TChartAppearance expected = f.record();
        QCOMPARE(f.control<SpinEdit>("Seksplozja")->text(), u"15"_s);
        QCOMPARE(f.control<SpinEdit>("SObrot")->text(), u"0"_s);

        f.control<QCheckBox>("CKreska")->click();
        expected.PiePatterns = true;
        QVERIFY(f.chart.pie.patterns);
        f.platform.colorAnswers = {QColor(0, 0, 99)};
        f.control<QPushButton>("BKolorPodKreski")->click();
        expected.PieBackColor = AppearanceColor::fromRgb(0, 0, 99);
        QCOMPARE(f.chart.pie.backColor, QColor(0, 0, 99));
        retype(f.control<SpinEdit>("Seksplozja"), u"45"_s);
        expected.PieExplodeBiggest = 45;
        QCOMPARE(f.chart.pie.explodeBiggest, 45);
        auto *rotation = f.control<SpinEdit>("SObrot");
        rotation->stepBy(1);
        expected.PieRotation = 20;
        QCOMPARE(f.chart.pie.rotation, 20);
        QVERIFY(f.record() == expected);

        rotation->lineEdit()->clear();
        QCOMPARE(f.errors.texts, QStringList{u"'' is not a valid integer value"_s});
        QCOMPARE(f.record().PieRotation, 20);
        QCOMPARE(f.chart.pie.rotation, 20);
    }

    void linePanel()
    {
        DialogFixture f(ChartKindLine);
        TChartAppearance expected = f.record();
        QCOMPARE(f.control<QComboBox>("Cksztaltwierzcholka")->currentIndex(), 1);
        QVERIFY(f.control<QCheckBox>("CwidoczneWierzcholki")->isChecked());

        choose(f.control<QComboBox>("Cksztaltwierzcholka"), 3);
        expected.LinePointShape = 3;
        QCOMPARE(f.chart.line.pointerStyle, chart::PointerStyle::psStar);
        f.control<QCheckBox>("CwidoczneWierzcholki")->click();
        expected.LinePointsVisible = false;
        QVERIFY(!f.chart.line.pointerVisible);
        retype(f.control<SpinEdit>("Sdlug"), u"9"_s);
        expected.LinePointLength = 9;
        QCOMPARE(f.chart.line.pointerHorizSize, 9);
        retype(f.control<SpinEdit>("SSzer"), u"25"_s);
        expected.LinePointWidth = 25;
        QCOMPARE(f.chart.line.pointerVertSize, 25);
        leave(f.control<SpinEdit>("SSzer"));
        expected.LinePointWidth = 20;
        QCOMPARE(f.chart.line.pointerVertSize, 20);

        f.platform.colorAnswers = {QColor(5, 6, 7), QColor(8, 9, 10)};
        f.control<QPushButton>("BKolorWierzch")->click();
        expected.LinePointColor = AppearanceColor::fromRgb(5, 6, 7);
        QCOMPARE(f.chart.line.pointerColor, QColor(5, 6, 7));
        // The line's colour is the chart's alone; the record does not hold it.
        const QColor lineColour = f.chart.line.lineColor;
        f.control<QPushButton>("BKolorLini")->click();
        QCOMPARE(f.platform.calls.last().color, lineColour);
        QCOMPARE(f.chart.line.lineColor, QColor(8, 9, 10));
        QVERIFY(f.record() == expected);

        // Reopening the page shows the new width.
        f.showPage("TabSheet3");
        f.showPage("TabSheet6");
        QCOMPARE(f.control<SpinEdit>("SSzer")->text(), u"20"_s);
    }
};

QTEST_MAIN(TestDialogPages)
#include "tst_dialogpages.moc"
