#include "dialogfixture.h"

#include "appearance/dialog/dialogtheme.h"
#include "ui/gradienttabbar.h"
#include "ui/gradienttabwidget.h"
#include "ui/spinedit.h"

#include <cmath>

#include <QCheckBox>
#include <QComboBox>
#include <QFocusEvent>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTextEdit>

using namespace zavevad;
using namespace zavevad::test;
using namespace Qt::StringLiterals;

namespace {

TChartAppearance defaults()
{
    TChartAppearance record{};
    FillAppearanceDefaults(record);
    return record;
}

void leave(SpinEdit *spin)
{
    QFocusEvent out(QEvent::FocusOut, Qt::TabFocusReason);
    QApplication::sendEvent(spin->lineEdit(), &out);
}

void sendMouse(QWidget *target, QEvent::Type type, const QPointF &local, Qt::MouseButton button,
        Qt::MouseButtons held)
{
    QMouseEvent event(type, local, target->mapToGlobal(local), button, held, Qt::NoModifier);
    QApplication::sendEvent(target, &event);
}

} // namespace

class TestTFUstawwykres : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::Polish, QLocale::Poland)); }

    void creatingFillsTheDefaults()
    {
        Appearances appearances;
        chart::Chart chart;
        ChartKindState kindState;
        TFUstawwykres dialog(appearances, chart, kindState);
        QCOMPARE(appearances.CurrentAppearance.toBytes(), defaults().toBytes());
        QCOMPARE(appearances.DefaultAppearance.toBytes(), defaults().toBytes());
    }

    void windowLayout()
    {
        DialogFixture f(ChartKindBar);
        QVERIFY(f.dialog.windowFlags().testFlag(Qt::FramelessWindowHint));
        QCOMPARE(f.dialog.size(), QSize(360, 262));
        QCOMPARE(f.control<QWidget>("PListwa")->geometry(), QRect(0, 0, 359, 12));
        QCOMPARE(f.control<QLabel>("ImListwa")->geometry(), QRect(0, 0, 359, 12));
        auto *close = f.control<QLabel>("LCloseUstawienia");
        QCOMPARE(close->geometry(), QRect(346, 0, 10, 10));
        QCOMPARE(close->cursor().shape(), Qt::PointingHandCursor);
        QCOMPARE(f.tabs()->geometry(), QRect(0, 12, 360, 250));

        const QStringList captions{u"Wykres"_s, u"Nagłówki"_s, u"Osie"_s, u"Legenda"_s, u"Tła"_s,
                u"Efekty 3D"_s, u"Wartości"_s};
        const QStringList pages{u"TabSheet6"_s, u"TabSheet1"_s, u"TabSheet2"_s, u"TabSheet3"_s,
                u"TabSheet4"_s, u"TabSheet5"_s, u"TabSheet7"_s};
        QCOMPARE(f.tabs()->count(), 7);
        for (int i = 0; i < 7; ++i) {
            QCOMPARE(f.tabs()->tabText(i), captions.at(i));
            QCOMPARE(f.tabs()->widget(i)->objectName(), pages.at(i));
        }
        // Every tab fits on the bar; none is cut or scrolled away.
        QTabBar *bar = f.tabs()->tabBar();
        QVERIFY(bar->tabRect(6).right() < 360);
    }

    void themeUsesTheThreeColours()
    {
        DialogFixture f(ChartKindBar);
        for (const QString &name : themedControlNames())
            QVERIFY2(f.dialog.findChild<QWidget *>(name), qPrintable(name));

        auto *tabs = static_cast<GradientTabWidget *>(f.tabs());
        QCOMPARE(tabs->gradientTabBar()->tabColor(), QColor(141, 141, 141));
        QCOMPARE(tabs->gradientTabBar()->textColor(), QColor(255, 255, 255));

        const QImage shot = f.dialog.grab().toImage();
        // An empty spot of the "Wykres" page, below the bar settings.
        QCOMPARE(shot.pixelColor(300, 220), QColor(141, 141, 141));

        for (const char *name : {"CWidoczny", "Label1", "BKolorOsie"}) {
            auto *w = f.control<QWidget>(name);
            w->ensurePolished();
            QCOMPARE(w->palette().color(w->foregroundRole()), QColor(255, 255, 255));
        }
        auto *field = f.control<QComboBox>("Cosie");
        field->ensurePolished();
        QCOMPARE(field->palette().color(QPalette::Base), QColor(199, 199, 199));
    }

    void showingStartsOnChartPageWithHeaderSelected()
    {
        DialogFixture f(ChartKindBar);
        QCOMPARE(f.tabs()->currentIndex(), 0);
        QCOMPARE(f.control<QComboBox>("CNaglowek")->currentIndex(), 0);

        f.showPage("TabSheet1");
        f.control<QComboBox>("CNaglowek")->setCurrentIndex(1);
        f.showPage("TabSheet4");
        f.dialog.hide();
        f.dialog.show();
        QCOMPARE(f.tabs()->currentIndex(), 0);
        QCOMPARE(f.control<QComboBox>("CNaglowek")->currentIndex(), 0);
        QCOMPARE(f.control<QTextEdit>("RENaglowek")->toPlainText(), u"Oto nagłówek"_s);
    }

    void closeSpotClosesAndEscapeDoesNot()
    {
        DialogFixture f(ChartKindBar);
        QTest::keyClick(&f.dialog, Qt::Key_Escape);
        QVERIFY(f.dialog.isVisible());
        QTest::mouseClick(f.control<QLabel>("LCloseUstawienia"), Qt::LeftButton);
        QVERIFY(!f.dialog.isVisible());
        QCOMPARE(f.dialog.result(), int(QDialog::Accepted));
    }

    void focusFrameStandsOutOfItsField_data()
    {
        QTest::addColumn<QString>("control");
        QTest::newRow("combo box") << u"CNaglowek"_s;
        QTest::newRow("text box") << u"RENaglowek"_s;
    }
    void focusFrameStandsOutOfItsField()
    {
        // The focus frame is drawn in the highlight: at least 3:1 against the field.
        QFETCH(QString, control);
        DialogFixture f(ChartKindBar);
        f.dialog.show();
        const QPalette palette = f.control<QWidget>(control.toLatin1().constData())->palette();
        const auto luminance = [](const QColor &c) {
            const auto channel = [](double v) {
                return v <= 0.03928 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
            };
            return 0.2126 * channel(c.redF()) + 0.7152 * channel(c.greenF())
                    + 0.0722 * channel(c.blueF());
        };
        const double field = luminance(palette.color(QPalette::Base));
        const double frame = luminance(palette.color(QPalette::Highlight));
        const double ratio = (std::max(field, frame) + 0.05) / (std::min(field, frame) + 0.05);
        QVERIFY2(ratio >= 3.0, qPrintable(QString::number(ratio)));
    }

    void draggingTheStripMovesTheWindow_data()
    {
        QTest::addColumn<Qt::MouseButton>("button");
        QTest::newRow("left") << Qt::LeftButton;
        QTest::newRow("right") << Qt::RightButton;
    }

    void draggingTheStripMovesTheWindow()
    {
        QFETCH(Qt::MouseButton, button);
        DialogFixture f(ChartKindBar);
        auto *strip = f.control<QLabel>("ImListwa");
        const QPoint start = f.dialog.pos();
        const QPointF grip(120, 6);

        sendMouse(strip, QEvent::MouseButtonPress, grip, button, button);
        QVERIFY(f.dialog.isDragging());
        QCOMPARE(f.dialog.dragOrigin(), strip->mapToGlobal(grip).toPoint());
        // Each move goes by the difference to the last position, so the
        // window follows the cursor however the window has moved meanwhile.
        sendMouse(strip, QEvent::MouseMove, grip + QPointF(10, 0), Qt::NoButton, button);
        sendMouse(strip, QEvent::MouseMove, grip + QPointF(20, 0), Qt::NoButton, button);
        QCOMPARE(f.dialog.pos(), start + QPoint(30, 0));

        sendMouse(strip, QEvent::MouseButtonRelease, grip, button, Qt::NoButton);
        QVERIFY(!f.dialog.isDragging());
        sendMouse(strip, QEvent::MouseMove, grip + QPointF(50, 50), Qt::NoButton, Qt::NoButton);
        QCOMPARE(f.dialog.pos(), start + QPoint(30, 0));
    }

    void headerBoxesWriteTheChosenElement_data()
    {
        QTest::addColumn<int>("element");
        QTest::newRow("Nagłówek") << 0;
        QTest::newRow("Stopka") << 1;
    }

    void headerBoxesWriteTheChosenElement()
    {
        QFETCH(int, element);
        DialogFixture f(ChartKindBar);
        f.showPage("TabSheet1");
        f.control<QComboBox>("CNaglowek")->setCurrentIndex(element);
        const bool footer = element == 1;
        chart::TitleSettings &title = footer ? f.chart.footer : f.chart.header;
        using R = TChartAppearance;
        auto pick = [footer](auto titleField, auto footField) {
            return footer ? footField : titleField;
        };
        TChartAppearance expected = f.record();

        f.control<QCheckBox>("CWidoczny")->click();
        expected.*pick(&R::TitleVisible, &R::FootVisible) = !footer ? false : true;
        QCOMPARE(title.visible, footer);

        f.control<QCheckBox>("CTloDoTekstu")->click();
        expected.*pick(&R::TitleAdjustFrame, &R::FootAdjustFrame) = true;
        QVERIFY(title.adjustFrame);

        f.control<QCheckBox>("CPrzezroczyste")->click();
        expected.*pick(&R::TitleTransparent, &R::FootTransparent) = false;
        QCOMPARE(title.brush, chart::BrushStyle::bsSolid);

        f.control<QCheckBox>("Cramka")->click();
        expected.*pick(&R::TitleFramed, &R::FootFramed) = true;
        QVERIFY(title.frame.visible);

        f.control<QRadioButton>("RDoPrawej")->click();
        expected.*pick(&R::TitleAlignment, &R::FootAlignment) = 2;
        QCOMPARE(title.alignment, chart::Alignment::taRightJustify);
        f.control<QRadioButton>("RDoLewej")->click();
        expected.*pick(&R::TitleAlignment, &R::FootAlignment) = 0;
        QCOMPARE(title.alignment, chart::Alignment::taLeftJustify);

        QVERIFY(f.record() == expected);
        QVERIFY(f.repaints > 0);
        QVERIFY(f.errors.texts.isEmpty());
    }

    void footerFrameResetsTheHeaderPen()
    {
        DialogFixture f(ChartKindBar);
        f.showPage("TabSheet1");
        f.record().FootFramed = true;
        f.control<QComboBox>("CNaglowek")->setCurrentIndex(1);
        QVERIFY(f.control<QCheckBox>("Cramka")->isChecked());
        f.chart.header.frame = chart::FramePen{true, Qt::red, Qt::DashLine, 3};
        f.chart.footer.frame = chart::FramePen{true, Qt::blue, Qt::DotLine, 2};

        f.control<QCheckBox>("Cramka")->click();
        QVERIFY(!f.record().FootFramed);
        QVERIFY(!f.chart.footer.frame.visible);
        QCOMPARE(f.chart.footer.frame.color, QColor(Qt::blue));
        // The header's pen, though the footer is chosen; the header's frame stays shown.
        QCOMPARE(f.chart.header.frame, (chart::FramePen{true, Qt::black, Qt::SolidLine, 1}));
    }

    void headerColourAndFont()
    {
        DialogFixture f(ChartKindBar);
        f.showPage("TabSheet1");
        auto *box = f.control<QTextEdit>("RENaglowek");
        const TChartAppearance before = f.record();

        // Cancelled dialogs change nothing.
        f.control<QPushButton>("BTloNaglowki")->click();
        f.control<QPushButton>("BCzcionkaNaglowki")->click();
        QVERIFY(f.record() == before);
        QCOMPARE(f.platform.calls.size(), 2);
        QCOMPARE(f.platform.calls.at(0).color, QColor(255, 255, 255));
        QCOMPARE(f.platform.calls.at(1).font.font.family(), u"MS Sans Serif"_s);

        f.control<QComboBox>("CNaglowek")->setCurrentIndex(1);
        f.platform.colorAnswers.push_back(QColor(10, 20, 30));
        f.control<QPushButton>("BTloNaglowki")->click();
        QCOMPARE(f.record().FootColor, AppearanceColor::fromRgb(10, 20, 30));
        QCOMPARE(f.record().TitleColor, before.TitleColor);
        QCOMPARE(f.chart.footer.color, QColor(10, 20, 30));
        box->ensurePolished();
        QCOMPARE(box->palette().color(QPalette::Base), QColor(10, 20, 30));

        QFont chosen(u"DejaVu Serif"_s, 14);
        chosen.setBold(true);
        f.platform.fontAnswers.push_back(FontChoice{chosen, QColor(200, 0, 0)});
        f.control<QPushButton>("BCzcionkaNaglowki")->click();
        QCOMPARE(f.record().FootFont.Name.text(), u"DejaVu Serif"_s);
        QCOMPARE(f.record().FootFont.Size, 14);
        QCOMPARE(f.record().FootFont.Style, std::uint8_t(FontStyleBold));
        QCOMPARE(f.record().FootFont.Color, AppearanceColor::fromRgb(200, 0, 0));
        QCOMPARE(f.record().TitleFont, before.TitleFont);
        QCOMPARE(f.chart.footer.font.font.family(), u"DejaVu Serif"_s);
        QCOMPARE(f.chart.footer.font.color, QColor(200, 0, 0));
        QCOMPARE(box->font().family(), u"DejaVu Serif"_s);
        QCOMPARE(box->toPlainText(), u"Oto stopka"_s);
    }

    void headerTakesTheChosenFontWhileTheRecordCutsItsName()
    {
        DialogFixture f(ChartKindBar);
        f.showPage("TabSheet1");
        const QString longName = u"Serif "_s + QString(54, u'x');
        const QFont chosen(longName, 11);
        f.platform.fontAnswers.push_back(FontChoice{chosen, QColor(0, 90, 0)});
        f.control<QPushButton>("BCzcionkaNaglowki")->click();
        QCOMPARE(f.record().TitleFont.Name.text(), longName.left(50));
        QCOMPARE(f.chart.header.font.font.family(), longName);
        QCOMPARE(f.chart.header.font.color, QColor(0, 90, 0));
    }

    void typedLinesReachTheChartWhole()
    {
        DialogFixture f(ChartKindBar);
        f.showPage("TabSheet1");
        auto *box = f.control<QTextEdit>("RENaglowek");
        box->clear();
        const QString first(30, u'A');
        const QString second = u"Zab "_s + QString(26, u'B');
        QTest::keyClicks(box, first);
        QTest::keyClick(box, Qt::Key_Return);
        QTest::keyClicks(box, second);

        QCOMPARE(f.chart.header.lines, (QStringList{first, second}));
        const QString kept = QString(first + u"\r\n"_s + second + u"\r\n"_s).left(50);
        QCOMPARE(f.record().TitleText.text(), kept);
        QCOMPARE(f.record().TitleText.length(), 50);
        QCOMPARE(f.chart.footer.lines, QStringList{u"Stopka"_s});

        // Filling the page again shows the stored text, line by line.
        f.showPage("TabSheet2");
        f.showPage("TabSheet1");
        QCOMPARE(box->toPlainText(), first + u"\n"_s + kept.mid(32));
    }

    void headerFillShowsTheRecordAndRealignsTheChart()
    {
        DialogFixture f(ChartKindBar);
        f.showPage("TabSheet1");
        f.control<QRadioButton>("RDoPrawej")->click();
        f.record().TitleAlignment = 7;
        f.record().TitleVisible = false;
        f.record().FootTransparent = false;
        f.chart.header.visible = true;
        const QByteArray before = f.record().toBytes();

        f.showPage("TabSheet3");
        f.showPage("TabSheet1");
        QCOMPARE(f.record().toBytes(), before);
        QVERIFY(f.control<QRadioButton>("RDoPrawej")->isChecked());
        QVERIFY(!f.control<QCheckBox>("CWidoczny")->isChecked());
        // Both headers follow the record, whichever is shown on the page.
        QVERIFY(!f.chart.header.visible);
        QCOMPARE(f.chart.footer.brush, chart::BrushStyle::bsSolid);
        QCOMPARE(f.chart.header.alignment, chart::Alignment::taRightJustify);
    }

    void axisPageShowsTheChosenAxis()
    {
        DialogFixture f(ChartKindBar);
        f.record().BottomGridDotted = 0;
        f.record().BottomWallTransparent = true;
        f.showPage("TabSheet2");
        auto *axis = f.control<QComboBox>("Cosie");
        QCOMPARE(axis->currentIndex(), 0);
        QCOMPARE(f.control<QLineEdit>("EopisOsi")->text(), u"Oś Pionowa"_s);
        QCOMPARE(f.control<SpinEdit>("SKont")->text(), u"90"_s);
        QVERIFY(f.control<QRadioButton>("Rprzerywana")->isChecked());
        QVERIFY(!f.control<QCheckBox>("Cprzezr")->isChecked());

        axis->setCurrentIndex(1);
        QCOMPARE(f.control<QLineEdit>("EopisOsi")->text(), u"Oś pozioma"_s);
        QCOMPARE(f.control<SpinEdit>("SKont")->text(), u"0"_s);
        QVERIFY(f.control<QRadioButton>("RCiongla")->isChecked());
        QVERIFY(f.control<QCheckBox>("Cprzezr")->isChecked());

        // Showing the page again starts on the vertical axis.
        f.showPage("TabSheet1");
        f.showPage("TabSheet2");
        QCOMPARE(axis->currentIndex(), 0);
        QCOMPARE(f.control<QLineEdit>("EopisOsi")->text(), u"Oś Pionowa"_s);
    }

    void axisControlsWriteTheChosenAxisOnly_data()
    {
        QTest::addColumn<int>("axis");
        QTest::newRow("Pionowa") << 0;
        QTest::newRow("Pozioma") << 1;
    }

    void axisControlsWriteTheChosenAxisOnly()
    {
        QFETCH(int, axis);
        DialogFixture f(ChartKindLine);
        f.showPage("TabSheet2");
        f.control<QComboBox>("Cosie")->setCurrentIndex(axis);
        const bool bottom = axis == 1;
        chart::AxisSettings &chartAxis = bottom ? f.chart.bottomAxis : f.chart.leftAxis;
        chart::WallSettings &chartWall = bottom ? f.chart.bottomWall : f.chart.leftWall;
        const chart::AxisSettings otherAxis = bottom ? f.chart.leftAxis : f.chart.bottomAxis;
        using R = TChartAppearance;
        auto pick = [bottom](auto left, auto bottomField) {
            return bottom ? bottomField : left;
        };
        TChartAppearance expected = f.record();

        QFont font(u"DejaVu Sans Mono"_s, 11);
        f.platform.fontAnswers = {FontChoice{font, Qt::yellow}, FontChoice{font, Qt::cyan}};
        f.platform.colorAnswers = {QColor(1, 2, 3), QColor(4, 5, 6), QColor(7, 8, 9)};
        f.control<QPushButton>("BFontOsie")->click();
        (expected.*pick(&R::LeftAxisTitleFont, &R::BottomAxisTitleFont))
                .setFromQFont(font, Qt::yellow);
        QCOMPARE(chartAxis.titleFont.color, QColor(Qt::yellow));
        QCOMPARE(chartAxis.titleFont.font.family(), u"DejaVu Sans Mono"_s);
        f.control<QPushButton>("BKolorWartosci")->click();
        (expected.*pick(&R::LeftAxisLabelsFont, &R::BottomAxisLabelsFont))
                .setFromQFont(font, Qt::cyan);
        QCOMPARE(chartAxis.labelsFont.color, QColor(Qt::cyan));
        f.control<QPushButton>("BKolorOsie")->click();
        expected.*pick(&R::LeftAxisColor, &R::BottomAxisColor) = AppearanceColor::fromRgb(1, 2, 3);
        QCOMPARE(chartAxis.axisColor, QColor(1, 2, 3));
        f.control<QPushButton>("BKolorSiatki")->click();
        expected.*pick(&R::LeftGridColor, &R::BottomGridColor) = AppearanceColor::fromRgb(4, 5, 6);
        QCOMPARE(chartAxis.gridColor, QColor(4, 5, 6));
        f.control<QPushButton>("BKolorScianki")->click();
        expected.*pick(&R::LeftWallColor, &R::BottomWallColor) = AppearanceColor::fromRgb(7, 8, 9);
        QCOMPARE(chartWall.color, QColor(7, 8, 9));

        f.control<QCheckBox>("CwidocznaSiatka")->click();
        expected.*pick(&R::LeftGridVisible, &R::BottomGridVisible) = false;
        QVERIFY(!chartAxis.gridVisible);
        f.control<QRadioButton>("RCiongla")->click();
        expected.*pick(&R::LeftGridDotted, &R::BottomGridDotted) = 0;
        QCOMPARE(chartAxis.gridStyle, chart::GridStyle::psSolid);
        f.control<QCheckBox>("Cprzezr")->click();
        expected.*pick(&R::LeftWallTransparent, &R::BottomWallTransparent) = true;
        QCOMPARE(chartWall.brush, chart::BrushStyle::bsClear);

        auto *title = f.control<QLineEdit>("EopisOsi");
        title->clear();
        const QString longTitle = u"Liczba uczniow, ktorzy odpowiedzieli poprawnie na pytanie"_s;
        QTest::keyClicks(title, longTitle);
        (expected.*pick(&R::LeftAxisTitle, &R::BottomAxisTitle)).setText(longTitle);
        QCOMPARE((f.record().*pick(&R::LeftAxisTitle, &R::BottomAxisTitle)).length(), 50);
        QCOMPARE(chartAxis.title, longTitle);

        auto *angle = f.control<SpinEdit>("SKont");
        angle->lineEdit()->selectAll();
        QTest::keyClicks(angle->lineEdit(), u"180"_s);
        expected.*pick(&R::LeftAxisTitleAngle, &R::BottomAxisTitleAngle) = 180;
        QCOMPARE(chartAxis.titleAngle, 180);

        QVERIFY(f.record() == expected);
        const chart::AxisSettings otherNow = bottom ? f.chart.leftAxis : f.chart.bottomAxis;
        QCOMPARE(otherNow.gridColor, otherAxis.gridColor);
        QCOMPARE(otherNow.titleFont, otherAxis.titleFont);
        QCOMPARE(otherNow.title, otherAxis.title);
        QVERIFY(f.errors.texts.isEmpty());
    }

    void angleThatIsNoNumberKeepsTheAngle()
    {
        DialogFixture f(ChartKindBar);
        f.showPage("TabSheet2");
        auto *angle = f.control<SpinEdit>("SKont");
        angle->lineEdit()->clear();
        QCOMPARE(f.errors.texts, QStringList{u"'' is not a valid integer value"_s});
        QCOMPARE(f.record().LeftAxisTitleAngle, 90);
        QCOMPARE(f.chart.leftAxis.titleAngle, 90);

        // A pasted decimal is no integer either; each change reports once.
        angle->lineEdit()->insert(u"4,5"_s);
        QCOMPARE(f.errors.texts.size(), 2);
        QCOMPARE(f.errors.texts.last(), u"'4,5' is not a valid integer value"_s);
        QCOMPARE(f.record().LeftAxisTitleAngle, 90);
    }

    void angleOutOfRangeIsTakenUntilLeaving()
    {
        DialogFixture f(ChartKindBar);
        f.showPage("TabSheet2");
        auto *angle = f.control<SpinEdit>("SKont");
        angle->lineEdit()->selectAll();
        QTest::keyClicks(angle->lineEdit(), u"400"_s);
        QCOMPARE(f.record().LeftAxisTitleAngle, 400);
        QCOMPARE(f.chart.leftAxis.titleAngle, 400);
        leave(angle);
        QCOMPARE(angle->text(), u"360"_s);
        QCOMPARE(f.record().LeftAxisTitleAngle, 360);
        QCOMPARE(f.chart.leftAxis.titleAngle, 360);
        QVERIFY(f.errors.texts.isEmpty());
    }

    void axesPageFollowsTheChartKind()
    {
        DialogFixture f(ChartKindPie);
        const int axes = f.tabs()->indexOf(f.control<QWidget>("TabSheet2"));
        QVERIFY(!f.tabs()->isTabEnabled(axes));
        f.dialog.setAxesPageEnabled(axesPageEnabled(ChartKindLine));
        QVERIFY(f.tabs()->isTabEnabled(axes));
    }
};

QTEST_MAIN(TestTFUstawwykres)
#include "tst_tfustawwykres.moc"
