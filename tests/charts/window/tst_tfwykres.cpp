#include "charts/window/tfwykres.h"

#include "../../report/reporttools.h"
#include "../../tables/analysisbuilder.h"
#include "appearance/chartappearance.h"
#include "messageboxcatcher.h"
#include "scriptedplatform.h"
#include "specialfiles.h"
#include "tables/analysistables.h"
#include "tables/gridmodel.h"
#include "tables/gridstate.h"
#include "ui/runcommand.h"

#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QLabel>
#include <QMessageBox>
#include <QMimeData>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QXmlStreamReader>

#include <memory>

using namespace zavevad;
using zavevad::test::ScriptedPlatform;

namespace {

/// The analysis state, the grid and its table builders of one load.
struct Loaded
{
    explicit Loaded(AnalysisState state) : analysis(std::move(state))
    {
        tables.PokazTabele(TableResults);
    }

    void show(int kind)
    {
        tables.PokazTabele(TableKind(kind));
        analysis.tableMode = TableKind(kind);
    }

    AnalysisState analysis;
    GridModel grid;
    GridState gridState;
    AnalysisTables tables{grid, gridState, analysis};
};

/// What the chart window told the appearance dialog.
struct DialogRecord
{
    int panelKind = 0;
    std::optional<bool> axesPageEnabled;

    AppearanceDialogLink link(QDialog *dialog)
    {
        return {dialog, [this](int kind) { panelKind = kind; },
                [this](bool enabled) {
                    axesPageEnabled = enabled;
                }};
    }
};

using test::MessageBoxCatcher;

QString studentName(int index)
{
    return QStringLiteral("Uczeń%1 Anna").arg(index, 3, 10, QLatin1Char('0'));
}

QByteArray readFile(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
}

bool writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

QSize svgSize(const QByteArray &svg)
{
    QXmlStreamReader reader(svg);
    while (reader.readNextStartElement()) {
        if (reader.name() == QLatin1String("svg")) {
            const auto attributes = reader.attributes();
            auto number = [&](QLatin1String name) {
                QString text = attributes.value(name).toString();
                text.remove(QStringLiteral("mm")).remove(QStringLiteral("px"));
                return text.toDouble();
            };
            const QStringList viewBox =
                    attributes.value(QLatin1String("viewBox")).toString().split(QLatin1Char(' '));
            if (viewBox.size() == 4)
                return QSize(viewBox[2].toInt(), viewBox[3].toInt());
            return QSize(qRound(number(QLatin1String("width"))),
                    qRound(number(QLatin1String("height"))));
        }
    }
    return {};
}

} // namespace

class TestTFWykres : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<ScriptedPlatform> m_platform;
    std::unique_ptr<SessionState> m_state;
    Appearances *m_appearances = nullptr;
    std::unique_ptr<TFWykres> m_window;
    std::unique_ptr<DialogRecord> m_hooks;

    TFWykres &window() { return *m_window; }
    QWidget *child(const char *name) const
    {
        return m_window->findChild<QWidget *>(QLatin1String(name));
    }
    QString caption(const char *name) const
    {
        auto *label = m_window->findChild<QLabel *>(QLatin1String(name));
        return label ? label->text() : QString();
    }
    void click(const char *name)
    {
        QWidget *widget = child(name);
        QVERIFY2(widget, name);
        QTest::mouseClick(widget, Qt::LeftButton, {}, widget->rect().center());
    }
    int activeSeries() const
    {
        int index = -1;
        for (int i = 0; i < 3; ++i) {
            if (m_window->chart().series(i).active) {
                if (index >= 0)
                    return -2; // more than one
                index = i;
            }
        }
        return index;
    }
    void draw(Loaded &loaded, int kind)
    {
        m_window->chartCommand(ChartKindCode(kind), loaded.analysis, loaded.grid, loaded.gridState);
    }

private Q_SLOTS:
    void init()
    {
        QLocale::setDefault(QLocale(QLocale::Polish, QLocale::Poland));
        m_platform = std::make_unique<ScriptedPlatform>();
        m_state = std::make_unique<SessionState>();
        m_appearances = &m_state->appearances;
        FillAppearanceDefaults(*m_appearances);
        m_window = std::make_unique<TFWykres>(*m_state);
        m_hooks = std::make_unique<DialogRecord>();
        m_window->setAppearanceDialog(m_hooks->link(nullptr));
    }

    void cleanup()
    {
        m_window.reset();
        m_hooks.reset();
        m_state.reset();
        m_platform.reset();
        QLocale::setDefault(QLocale::c());
    }

    // ---- Window ----

    void createdHiddenAtDesignSize()
    {
        QVERIFY(window().isHidden());
        QCOMPARE(window().size(), QSize(555, 420));
        QCOMPARE(window().minimumSize(), QSize(400, 400));
        QVERIFY(window().windowFlags().testFlag(Qt::FramelessWindowHint));
        QVERIFY(window().windowFlags().testFlag(Qt::WindowStaysOnTopHint));
        QCOMPARE(child("Wykres")->size(), QSize(555, 376));
        QCOMPARE(child("PRozciong")->geometry(), QRect(535, 355, 17, 17));
        QCOMPARE(child("PRozciong")->toolTip(), QStringLiteral("Zmień rozmiar"));
        QVERIFY(child("PWykresMenu")->isHidden());
        QCOMPARE(caption("LWykresMenuPlik"), QStringLiteral("Plik"));
        QCOMPARE(caption("LWykresMenuEdycja"), QStringLiteral("Edycja"));
        QCOMPARE(caption("LWykresMenuFormat"), QStringLiteral("Formatuj"));
    }

    void firstShowCentresThenKeepsPlace()
    {
        window().show();
        QVERIFY(QTest::qWaitForWindowExposed(&window()));
        const QRect screen = QGuiApplication::primaryScreen()->geometry();
        QCOMPARE(window().geometry().center().x(), screen.center().x());
        QVERIFY(qAbs(window().geometry().center().y() - screen.center().y()) <= 1);

        window().move(window().pos() + QPoint(-37, 23));
        const QPoint moved = window().pos();
        window().hide();
        window().show();
        QCOMPARE(window().pos(), moved);
    }

    void stripFollowsWidth_data()
    {
        QTest::addColumn<QSize>("size");
        QTest::newRow("design") << QSize(555, 420);
        QTest::newRow("wide") << QSize(900, 700);
        QTest::newRow("minimum") << QSize(400, 400);
    }
    void stripFollowsWidth()
    {
        QFETCH(QSize, size);
        window().show();
        window().resize(size);
        QCOMPARE(child("PListwaLeft")->geometry(), QRect(0, 0, 339, 44));
        QCOMPARE(child("PListwaSrodek")->geometry(), QRect(339, 0, size.width() - 369, 44));
        QCOMPARE(child("ImListwaSrodek")->size(), QSize(size.width() - 369, 44));
        QCOMPARE(child("PListwaRight")->geometry(), QRect(size.width() - 30, 0, 30, 44));
        QCOMPARE(child("LCloseWykres")->geometry(), QRect(8, 0, 17, 17));
        QCOMPARE(child("Wykres")->size(), QSize(size.width(), size.height() - 44));
    }

    void dragMovesTheWindow()
    {
        window().show();
        const QPoint start = window().pos();
        window().LListwaMouseDown(QPoint(300, 200));
        window().LListwaMouseMove(QPoint(310, 195));
        window().LListwaMouseMove(QPoint(340, 230));
        window().LListwaMouseUp();
        QCOMPARE(window().pos(), start + QPoint(40, 30));
        // Moves without the button do nothing.
        window().LListwaMouseMove(QPoint(500, 500));
        QCOMPARE(window().pos(), start + QPoint(40, 30));
    }

    void dragFlagClearedOnShow()
    {
        window().show();
        window().LListwaMouseDown(QPoint(10, 10));
        QVERIFY(window().isDragging());
        window().hide();
        window().show();
        QVERIFY(!window().isDragging());
    }

    void resizeByGrip_data()
    {
        QTest::addColumn<QPoint>("cursor"); // relative to the window's top-left corner
        QTest::addColumn<QSize>("expected");
        QTest::newRow("larger") << QPoint(700, 520) << QSize(700, 520);
        QTest::newRow("narrower than 400") << QPoint(250, 520) << QSize(400, 520);
        QTest::newRow("lower than 400") << QPoint(600, 120) << QSize(600, 400);
        QTest::newRow("above and left") << QPoint(-50, -20) << QSize(400, 400);
        QTest::newRow("exactly 400") << QPoint(400, 400) << QSize(400, 400);
    }
    void resizeByGrip()
    {
        QFETCH(QPoint, cursor);
        QFETCH(QSize, expected);
        window().show();
        QVERIFY(QTest::qWaitForWindowExposed(&window()));
        const QPoint origin = window().mapToGlobal(QPoint(0, 0));
        QWidget *grip = child("PRozciong");

        // Driven with the mouse: press on the grip, move, release.
        QTest::mousePress(grip, Qt::LeftButton, {}, QPoint(8, 8));
        QVERIFY(window().isResizing());
        window().PRozciongMouseMove(origin + QPoint(480, 470));
        window().PRozciongMouseMove(origin + cursor);
        window().PRozciongMouseUp(origin + cursor);
        QVERIFY(!window().isResizing());

        QCOMPARE(window().size(), expected);
        QCOMPARE(child("PListwaRight")->x(), expected.width() - 30);
        QCOMPARE(child("PPodWykres")->size(), QSize(expected.width(), expected.height() - 44));
        // The grip stays 2 pixels inside the chart's bottom-right corner.
        QCOMPARE(grip->geometry(),
                QRect(expected.width() - 19, expected.height() - 44 - 19, 17, 17));
    }

    void gripClickWithoutMoveShrinks()
    {
        window().show();
        QVERIFY(QTest::qWaitForWindowExposed(&window()));
        QWidget *picture = child("ImCiongnij");
        const QPoint local(7, 7);
        const QPoint expected = picture->mapTo(&window(), local);
        QTest::mouseClick(picture, Qt::LeftButton, {}, local);
        QCOMPARE(window().size(), QSize(expected.x(), expected.y()));
        QVERIFY(window().width() < 555);
    }

    // ---- Drop-down ----

    void editThenFileSwitchItems()
    {
        window().show();
        click("LWykresMenuEdycja");
        QWidget *menu = child("PWykresMenu");
        QVERIFY(!menu->isHidden());
        QCOMPARE(menu->geometry(), QRect(56, 1, 121, 43));
        QCOMPARE(caption("LZapiszFormat"), QStringLiteral("Kopiuj jako BMP"));
        QCOMPARE(caption("LWczytajFormat"), QStringLiteral("Kopiuj jako WMF"));
        // The file menu's further items do not show; their captions are kept.
        QVERIFY(!child("LZamknijWykres")->isVisibleTo(menu));
        QVERIFY(!child("LZapiszObraz")->isVisibleTo(menu));
        QVERIFY(!child("LDrukujWykres")->isVisibleTo(menu));
        QCOMPARE(caption("LZamknijWykres"), QStringLiteral("Zamknij"));
        QVERIFY(window().chartMenu() == TFWykres::ChartMenu::Edit);

        click("LWykresMenuPlik");
        QVERIFY(!menu->isHidden());
        // Two rows taller than it was: "Zapisz obraz ..." and "Drukuj wykres ...".
        QCOMPARE(menu->geometry(), QRect(8, 1, 121, 99));
        QCOMPARE(caption("LZapiszFormat"), QStringLiteral("Zapisz jako wzór..."));
        QCOMPARE(caption("LWczytajFormat"), QStringLiteral("Wczytaj wzór formatu..."));
        QCOMPARE(caption("LZapiszObraz"), QStringLiteral("Zapisz obraz ..."));
        QCOMPARE(caption("LDrukujWykres"), QStringLiteral("Drukuj wykres ..."));
        QCOMPARE(caption("LZamknijWykres"), QStringLiteral("Zamknij"));
        int previousBottom = 0;
        for (const char *item : {"LZapiszFormat", "LWczytajFormat", "LZapiszObraz", "LDrukujWykres",
                     "LZamknijWykres"}) {
            QWidget *label = child(item);
            QVERIFY2(label->isVisibleTo(menu), item);
            QVERIFY2(label->geometry().top() > previousBottom, item);
            QVERIFY2(label->geometry().right() < menu->width(), item);
            previousBottom = label->geometry().bottom();
        }
        QVERIFY(previousBottom < menu->height());

        // Opening again does not toggle.
        click("LWykresMenuPlik");
        QVERIFY(!menu->isHidden());
        QVERIFY(window().chartMenu() == TFWykres::ChartMenu::File);
    }

    void clicksThatHideTheDropDown_data()
    {
        QTest::addColumn<QByteArray>("target");
        for (const char *name : {"ImListwaLeft", "LListwa", "ImListwaSrodek", "Wykres",
                     "ImCiongnij", "PWykresMenu"})
            QTest::newRow(name) << QByteArray(name);
    }
    void clicksThatHideTheDropDown()
    {
        QFETCH(QByteArray, target);
        window().show();
        QVERIFY(QTest::qWaitForWindowExposed(&window()));
        window().ShowChartMenu(TFWykres::ChartMenu::File);
        QWidget *widget = child(target.constData());
        QVERIFY(widget);
        // A corner of the picture or panel where no item lies.
        QPoint where = widget->rect().center();
        if (target == "PWykresMenu")
            where = QPoint(widget->width() - 3, widget->height() - 3);
        if (target == "Wykres")
            where = QPoint(widget->width() / 2, widget->height() - 40);
        QTest::mouseClick(widget, Qt::LeftButton, {}, where);
        QVERIFY(child("PWykresMenu")->isHidden());
    }

    void zamknijKeepsDropDownForNextShowing()
    {
        Loaded loaded(test::makeAnalysis(5, 10));
        draw(loaded, ChartKindBar);
        QVERIFY(window().isVisible());
        click("LWykresMenuPlik");
        click("LZamknijWykres");
        QVERIFY(window().isHidden());
        QVERIFY(!child("PWykresMenu")->isHidden());

        draw(loaded, ChartKindPie);
        QVERIFY(window().isVisible());
        QVERIFY(child("PWykresMenu")->isVisible());
        QVERIFY(window().chartMenu() == TFWykres::ChartMenu::File);

        click("LCloseWykres");
        QVERIFY(window().isHidden());
        QVERIFY(!child("PWykresMenu")->isHidden());
    }

    // ---- Chart commands ----

    void chartCommandShowsKind_data()
    {
        QTest::addColumn<int>("table");
        QTest::addColumn<int>("kind");
        QTest::addColumn<int>("points");
        QTest::addColumn<QString>("header");
        for (int kind : {ChartKindBar, ChartKindPie, ChartKindLine}) {
            QTest::addRow("results %d", kind) << 1 << kind << 21 << QStringLiteral("Wyniki testu");
            QTest::addRow("time %d", kind) << 2 << kind << 21 << QStringLiteral("Czas pracy");
            QTest::addRow("grades %d", kind)
                    << 3 << kind << 6 << QStringLiteral("Zestawienie ocen");
        }
    }
    void chartCommandShowsKind()
    {
        QFETCH(int, table);
        QFETCH(int, kind);
        QFETCH(int, points);
        QFETCH(QString, header);
        Loaded loaded(test::makeAnalysis(21, 10));
        loaded.show(table);

        draw(loaded, kind);

        QVERIFY(window().isVisible());
        QCOMPARE(window().kindState().ChartKind, kind);
        QCOMPARE(window().kindState().ShownChartKind, kind);
        QCOMPARE(activeSeries(), kind - 1);
        QCOMPARE(m_hooks->panelKind, kind);
        QCOMPARE(*m_hooks->axesPageEnabled, kind != ChartKindPie);
        QCOMPARE(m_appearances->CurrentAppearance.TitleText.text(), header);
        QCOMPARE(window().chart().header.lines, QStringList{header});
        QCOMPARE(bool(m_appearances->CurrentAppearance.Perspective), kind != ChartKindPie);
        QCOMPARE(window().chart().view3D.orthogonal, kind != ChartKindPie);

        const chart::Series &series = window().chart().series(kind - 1);
        QCOMPARE(series.count(), points);
        for (int r = 1; r <= points; ++r) {
            const chart::Point &point = series.points.at(r - 1);
            QCOMPARE(point.label, loaded.grid.text(0, r));
        }
        // Rows 1, 20 and 21 are blue; the colours follow the rows.
        const QColor blue(0, 0, 255);
        QCOMPARE(series.points.at(0).color, blue);
        QCOMPARE(series.points.at(1).color, QColor(255, 0, 0));
        if (points >= 21) {
            QCOMPARE(series.points.at(19).color, blue);
            QCOMPARE(series.points.at(20).color, blue);
            QCOMPARE(series.points.at(0).label, studentName(1));
            QCOMPARE(series.points.at(20).label, studentName(21));
        } else {
            QStringList grades;
            for (const chart::Point &point : series.points)
                grades.append(point.label);
            QCOMPARE(grades,
                    (QStringList{QStringLiteral("Cel"), QStringLiteral("Bdb"), QStringLiteral("Db"),
                            QStringLiteral("Dst"), QStringLiteral("Dop"), QStringLiteral("Ndst")}));
        }
    }

    void workingTimeInWholeMinutes()
    {
        AnalysisState state;
        const double start = test::kTestDay + 8 * 60 * test::kMinute;
        state.students.push_back(
                test::makeStudent(QStringLiteral("Adamczyk"), QStringLiteral("Ola"), 0x3FF, 10,
                        start, start + 65 * test::kMinute + 30 * test::kSecond));
        state.students.push_back(test::makeStudent(QStringLiteral("Bąk"), QStringLiteral("Jan"),
                0x3FF, 10, start, start + 59 * test::kSecond));
        test::finishAnalysis(state, 10);
        Loaded loaded(std::move(state));
        loaded.show(TableWorkingTime);
        QCOMPARE(loaded.grid.text(3, 1), QStringLiteral("01:05:30"));

        draw(loaded, ChartKindLine);

        const chart::Series &line = window().chart().line;
        QCOMPARE(line.count(), 2);
        QCOMPARE(line.points.at(0).value, 65.0);
        QCOMPARE(line.points.at(1).value, 0.0);
        QCOMPARE(window().chart().pie.points.at(0).value, 65.0);
        QCOMPARE(window().chart().bottomAxis.title, QStringLiteral("Czas pracy [min]"));
    }

    void secondQuestionPageGivesTheSameChart()
    {
        Loaded loaded(test::makeAnalysis(7, 25));
        draw(loaded, ChartKindBar);
        const QList<chart::Point> firstPage = window().chart().bar.points;

        loaded.tables.ImTabelaWPrawoClick();
        QVERIFY(!loaded.gridState.firstQuestionPage);
        QCOMPARE(resultsSumaColumn(loaded.gridState, loaded.analysis), 11);
        draw(loaded, ChartKindBar);

        QCOMPARE(window().chart().bar.points, firstPage);
        QCOMPARE(firstPage.size(), 7);
    }

    void kindsInSequence()
    {
        Loaded loaded(test::makeAnalysis(4, 10));
        draw(loaded, ChartKindPie);
        QCOMPARE(activeSeries(), int(chart::PieSeriesIndex));
        draw(loaded, ChartKindLine);
        QCOMPARE(window().kindState().ChartKind, 3);
        QCOMPARE(activeSeries(), int(chart::LineSeriesIndex));
        QCOMPARE(m_hooks->panelKind, 3);
        QCOMPARE(*m_hooks->axesPageEnabled, true);
    }

    void nothingBeforeALoad()
    {
        AnalysisState empty;
        GridModel grid;
        m_appearances->CurrentAppearance.TitleAlignment = 2;
        const TChartAppearance before = m_appearances->CurrentAppearance;
        window().chartCommand(ChartKindBar, empty, grid, GridState{});
        QCOMPARE(window().kindState().ChartKind, int(ChartKindNone));
        QVERIFY(m_appearances->CurrentAppearance == before);
        QVERIFY(window().isHidden());
    }

    void badCellIsReportedAndNothingShown_data()
    {
        QTest::addColumn<int>("table");
        QTest::addColumn<int>("column");
        QTest::addColumn<QString>("message");
        QTest::newRow("number") << 1 << 11
                                << QStringLiteral("'x1' is not a valid floating point value");
        QTest::newRow("time") << 2 << 3 << QStringLiteral("'x1' is not a valid time");
    }
    void badCellIsReportedAndNothingShown()
    {
        QFETCH(int, table);
        QFETCH(int, column);
        QFETCH(QString, message);
        Loaded loaded(test::makeAnalysis(5, 10));
        loaded.show(table);
        loaded.grid.setText(column, 3, QStringLiteral("x1"));

        MessageBoxCatcher catcher;
        const bool ran = runCommand(&window(), [&] { draw(loaded, ChartKindBar); });
        QVERIFY(!ran);
        QCOMPARE(catcher.texts, QStringList{message});
        QVERIFY(window().isHidden());
        QCOMPARE(window().kindState().ShownChartKind, int(ChartKindNone));
        // The points before the bad cell stay.
        QCOMPARE(window().chart().bar.count(), 2);
        QVERIFY(m_appearances->CurrentAppearance == m_appearances->DefaultAppearance);
    }

    void applyChartKindIgnoresOtherKinds()
    {
        window().ApplyChartKind(4);
        QVERIFY(window().isHidden());
        QCOMPARE(window().kindState().ShownChartKind, int(ChartKindNone));
        QCOMPARE(m_hooks->panelKind, 0);
        QVERIFY(!m_hooks->axesPageEnabled);
    }

    // ---- Formatuj ----

    void formatujFixesProjection_data()
    {
        QTest::addColumn<int>("kind");
        QTest::newRow("bar") << int(ChartKindBar);
        QTest::newRow("pie") << int(ChartKindPie);
        QTest::newRow("line") << int(ChartKindLine);
    }
    void formatujFixesProjection()
    {
        QFETCH(int, kind);
        Loaded loaded(test::makeAnalysis(5, 10));
        draw(loaded, kind);
        click("LWykresMenuEdycja");

        QDialog dialog;
        bool wasModal = false;
        // The dialog sets the projection the other way; closing it puts it back.
        QTimer::singleShot(0, &dialog, [&] {
            wasModal = dialog.isModal() && dialog.isVisible();
            window().chart().view3D.orthogonal = kind == ChartKindPie;
            m_appearances->CurrentAppearance.Perspective = kind == ChartKindPie;
            dialog.accept();
        });
        m_hooks->axesPageEnabled.reset();
        window().setAppearanceDialog(m_hooks->link(&dialog));
        click("LWykresMenuFormat");

        QVERIFY(wasModal);
        QVERIFY(child("PWykresMenu")->isHidden());
        QCOMPARE(window().kindState().CurrentSeries, kind - 1);
        QCOMPARE(*m_hooks->axesPageEnabled, kind != ChartKindPie);
        QCOMPARE(window().chart().view3D.orthogonal, kind != ChartKindPie);
        QCOMPARE(bool(m_appearances->CurrentAppearance.Perspective), kind != ChartKindPie);
    }

    // ---- Templates ----

    void saveAndLoadGiveBackTheSameBytes()
    {
        QTemporaryDir dir;
        Loaded loaded(test::makeAnalysis(5, 10));
        draw(loaded, ChartKindBar);
        m_appearances->CurrentAppearance.LegendTopPos = 33;
        m_appearances->CurrentAppearance.pad2FB[0] = 0x5A; // padding survives too
        const QByteArray saved = m_appearances->CurrentAppearance.toBytes();

        click("LWykresMenuPlik");
        m_platform->saveAnswers.push_back(dir.filePath(QStringLiteral("wzor")));
        click("LZapiszFormat");
        QVERIFY(child("PWykresMenu")->isHidden());
        QCOMPARE(m_platform->calls.size(), 1);
        QCOMPARE(m_platform->calls.at(0).defaultExtension, QStringLiteral("ssw"));
        QCOMPARE(m_platform->saveFilter(), QStringLiteral("Plik tekstowy (*.ssw)|*.ssw"));
        QCOMPARE(m_platform->calls.at(0).title, QStringLiteral("Zapisz tabelę jako..."));
        const QString path = dir.filePath(QStringLiteral("wzor.ssw"));
        QCOMPARE(readFile(path), saved);

        m_appearances->CurrentAppearance = m_appearances->DefaultAppearance;
        click("LWykresMenuPlik");
        m_platform->saveAnswers.push_back(path);
        click("LWczytajFormat");
        QVERIFY(child("PWykresMenu")->isHidden());
        QCOMPARE(m_appearances->CurrentAppearance.toBytes(), saved);
        QCOMPARE(window().chart().legend.topPos, 33);
    }

    void longerFileLoadsItsFirst944Bytes()
    {
        QTemporaryDir dir;
        Loaded loaded(test::makeAnalysis(5, 10));
        draw(loaded, ChartKindPie);
        TChartAppearance record = m_appearances->DefaultAppearance;
        record.PieRotation = 45;
        const QString path = dir.filePath(QStringLiteral("dlugi.ssw"));
        QVERIFY(writeFile(path, record.toBytes() + QByteArray(100, '\x7f')));

        m_platform->saveAnswers.push_back(path);
        window().ShowChartMenu(TFWykres::ChartMenu::File);
        click("LWczytajFormat");
        QCOMPARE(m_appearances->CurrentAppearance.toBytes(), record.toBytes());
        QCOMPARE(window().chart().pie.rotation, 45);
    }

    void shortFileFailsAndChangesNothing_data()
    {
        QTest::addColumn<int>("size");
        QTest::newRow("empty") << 0;
        QTest::newRow("943 bytes") << 943;
    }
    void shortFileFailsAndChangesNothing()
    {
        QFETCH(int, size);
        QTemporaryDir dir;
        Loaded loaded(test::makeAnalysis(5, 10));
        draw(loaded, ChartKindBar);
        TChartAppearance other = m_appearances->DefaultAppearance;
        other.BarWidthPercent = 77;
        const QString path = dir.filePath(QStringLiteral("krotki.ssw"));
        QVERIFY(writeFile(path, other.toBytes().left(size)));
        const TChartAppearance before = m_appearances->CurrentAppearance;
        const int barWidth = window().chart().bar.widthPercent;

        window().ShowChartMenu(TFWykres::ChartMenu::File);
        m_platform->saveAnswers.push_back(path);
        MessageBoxCatcher catcher;
        click("LWczytajFormat");

        QCOMPARE(catcher.texts, QStringList{QStringLiteral("Read beyond end of file")});
        QVERIFY(m_appearances->CurrentAppearance == before);
        QCOMPARE(window().chart().bar.widthPercent, barWidth);
        QVERIFY(!child("PWykresMenu")->isHidden());
    }

    void fullDiskKeepsTheOldTemplate()
    {
        QTemporaryDir dir;
        Loaded loaded(test::makeAnalysis(5, 10));
        draw(loaded, ChartKindBar);
        const QString path = dir.filePath(QStringLiteral("wzor.ssw"));
        TChartAppearance older = m_appearances->DefaultAppearance;
        older.PieRotation = 123;
        QVERIFY(writeFile(path, older.toBytes()));

        window().ShowChartMenu(TFWykres::ChartMenu::File);
        m_platform->saveAnswers.push_back(path);
        MessageBoxCatcher catcher;
        {
            const test::FileSizeLimit full(500);
            if (!full.active())
                QSKIP("needs a file size limit");
            click("LZapiszFormat");
        }
        QCOMPARE(catcher.texts,
                QStringList{QStringLiteral("Disk full: ") + QDir::toNativeSeparators(path)});
        QCOMPARE(readFile(path), older.toBytes());
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).size(), 1);
        QVERIFY(!child("PWykresMenu")->isHidden());
    }

    void fifoTemplateIsRefusedWithoutWaiting()
    {
#ifdef Q_OS_UNIX
        QTemporaryDir dir;
        Loaded loaded(test::makeAnalysis(5, 10));
        draw(loaded, ChartKindBar);
        const test::Fifo fifo(dir.filePath(QStringLiteral("wzor.ssw")));
        QVERIFY(fifo.made());
        const TChartAppearance before = m_appearances->CurrentAppearance;

        window().ShowChartMenu(TFWykres::ChartMenu::File);
        m_platform->saveAnswers.push_back(dir.filePath(QStringLiteral("wzor.ssw")));
        MessageBoxCatcher catcher;
        click("LWczytajFormat");
        QCOMPARE(catcher.texts, QStringList{QStringLiteral("File access denied")});
        QVERIFY(!fifo.releasedAReader());
        QVERIFY(m_appearances->CurrentAppearance == before);
#else
        QSKIP("FIFOs are POSIX files");
#endif
    }

    void templateBringsAxisTitlesNotHeader()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("czas.ssw"));
        Loaded loaded(test::makeAnalysis(5, 10));
        loaded.show(TableWorkingTime);
        draw(loaded, ChartKindBar);
        window().ShowChartMenu(TFWykres::ChartMenu::File);
        m_platform->saveAnswers.push_back(path);
        click("LZapiszFormat");

        loaded.show(TableGradeCount);
        draw(loaded, ChartKindBar);
        QCOMPARE(window().chart().leftAxis.title, QStringLiteral("Ocena"));
        window().ShowChartMenu(TFWykres::ChartMenu::File);
        m_platform->saveAnswers.push_back(path);
        click("LWczytajFormat");

        QCOMPARE(window().chart().leftAxis.title, QStringLiteral("Nazwisko i imię"));
        QCOMPARE(window().chart().bottomAxis.title, QStringLiteral("Czas pracy [min]"));
        QCOMPARE(window().chart().header.lines, QStringList{QStringLiteral("Zestawienie ocen")});
        QCOMPARE(m_appearances->CurrentAppearance.TitleText.text(), QStringLiteral("Czas pracy"));
    }

    void cancelledTemplateDialogChangesNothing()
    {
        Loaded loaded(test::makeAnalysis(5, 10));
        draw(loaded, ChartKindBar);
        const TChartAppearance before = m_appearances->CurrentAppearance;
        for (const char *item : {"LZapiszFormat", "LWczytajFormat"}) {
            window().ShowChartMenu(TFWykres::ChartMenu::File);
            m_platform->saveAnswers.push_back(std::nullopt);
            click(item);
            QVERIFY(child("PWykresMenu")->isHidden());
        }
        QVERIFY(m_appearances->CurrentAppearance == before);
    }

    // ---- Clipboard ----

    void copyAsBitmapHasTheChartSize()
    {
        Loaded loaded(test::makeAnalysis(5, 10));
        draw(loaded, ChartKindBar);
        click("LWykresMenuEdycja");
        click("LZapiszFormat");
        QVERIFY(child("PWykresMenu")->isHidden());
        QVERIFY(m_platform->clipboard());
        const QImage image = qvariant_cast<QImage>(m_platform->clipboard()->imageData());
        QCOMPARE(image.size(), QSize(555, 376));
        QVERIFY(!m_platform->clipboard()->hasFormat(QStringLiteral("image/svg+xml")));
    }

    void copyAsMetafileIsOnePixelSmaller_data()
    {
        QTest::addColumn<QSize>("windowSize");
        QTest::addColumn<QSize>("expected");
        QTest::newRow("design") << QSize(555, 420) << QSize(554, 375);
        QTest::newRow("resized") << QSize(640, 480) << QSize(639, 435);
    }
    void copyAsMetafileIsOnePixelSmaller()
    {
        QFETCH(QSize, windowSize);
        QFETCH(QSize, expected);
        Loaded loaded(test::makeAnalysis(5, 10));
        draw(loaded, ChartKindPie);
        window().resize(windowSize);
        click("LWykresMenuEdycja");
        click("LWczytajFormat");
        QVERIFY(child("PWykresMenu")->isHidden());
        const QMimeData *data = m_platform->clipboard();
        QVERIFY(data && data->hasFormat(QStringLiteral("image/svg+xml")));
        QCOMPARE(svgSize(data->data(QStringLiteral("image/svg+xml"))), expected);
        QCOMPARE(qvariant_cast<QImage>(data->imageData()).size(), expected);
    }

    // ---- Picture files and printing ----

    void pictureFilesHaveTheChartSizeAndHeader()
    {
        Loaded loaded(test::makeAnalysis(5, 10));
        draw(loaded, ChartKindBar);
        window().resize(640, 480);
        const QSize chartSize(640, 480 - TFWykres::kStripHeight);
        QTemporaryDir dir;
        QVERIFY(dir.isValid());

        m_platform->saveAnswers.push_back(dir.filePath(QStringLiteral("wykres")));
        click("LWykresMenuPlik");
        click("LZapiszObraz");
        QVERIFY(child("PWykresMenu")->isHidden());
        const auto &call = m_platform->calls.constLast();
        QCOMPARE(call.filter, QStringLiteral("Obraz PNG (*.png);;Obraz SVG (*.svg)"));
        QCOMPARE(call.defaultExtension, QStringLiteral("png"));
        QImage png;
        QVERIFY(png.loadFromData(readFile(dir.filePath(QStringLiteral("wykres.png"))), "PNG"));
        // For print: A4 wide at 300 dpi, in the chart's proportions.
        QCOMPARE(png.width(), 2480);
        QCOMPARE(png.height(), qRound(2480.0 * chartSize.height() / chartSize.width()));
        QCOMPARE(qRound(png.dotsPerMeterX() * 0.0254), 300);
        // The picture the bitmap copy holds, drawn larger.
        click("LWykresMenuEdycja");
        click("LZapiszFormat");
        const QImage copy = qvariant_cast<QImage>(m_platform->clipboard()->imageData());
        QCOMPARE(copy.size(), chartSize);
        const QImage back = png.scaled(chartSize, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        qint64 difference = 0;
        for (int y = 0; y < chartSize.height(); ++y) {
            for (int x = 0; x < chartSize.width(); ++x)
                difference += std::abs(qGray(copy.pixel(x, y)) - qGray(back.pixel(x, y)));
        }
        QVERIFY(difference / (chartSize.width() * chartSize.height()) < 12);

        m_platform->saveAnswers.push_back(dir.filePath(QStringLiteral("wykres.SVG")));
        click("LWykresMenuPlik");
        click("LZapiszObraz");
        const QByteArray svg = readFile(dir.filePath(QStringLiteral("wykres.SVG")));
        QCOMPARE(svgSize(svg), chartSize);
        QVERIFY(svg.contains("<title>Wyniki testu</title>"));
        QVERIFY(svg.contains(">Wyniki testu</text>"));

        // Cancelled: nothing written. Failed at the very end: the old file stays.
        const QStringList before = QDir(dir.path()).entryList(QDir::Files | QDir::Hidden);
        m_platform->saveAnswers.push_back(std::nullopt);
        click("LWykresMenuPlik");
        click("LZapiszObraz");
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), before);
        const QString longName = QString(246, QLatin1Char('n')) + QStringLiteral(".png");
        QVERIFY(writeFile(dir.filePath(longName), "stary obraz"));
        // An existing picture is kept unless the user lets it be replaced.
        m_platform->saveAnswers.push_back(dir.filePath(longName));
        click("LWykresMenuPlik");
        click("LZapiszObraz");
        QCOMPARE(m_platform->replaceQuestions, QStringList{dir.filePath(longName)});
        QCOMPARE(readFile(dir.filePath(longName)), QByteArray("stary obraz"));
        m_platform->saveAnswers.push_back(dir.filePath(longName));
        m_platform->replaceAnswers.push_back(true);
        MessageBoxCatcher catcher;
        click("LWykresMenuPlik");
        click("LZapiszObraz");
        QCOMPARE(catcher.texts.size(), 1);
        QVERIFY2(catcher.texts.constFirst().startsWith(QStringLiteral("Nie można zapisać pliku ")
                         + QDir::toNativeSeparators(dir.filePath(longName)) + QStringLiteral(": ")),
                qPrintable(catcher.texts.constFirst()));
        QCOMPARE(readFile(dir.filePath(longName)), QByteArray("stary obraz"));
        QVERIFY(!child("PWykresMenu")->isHidden());
    }

    void printsTheChartOnOnePage()
    {
        Loaded loaded(test::makeAnalysis(5, 10));
        loaded.show(TableGradeCount);
        draw(loaded, ChartKindPie);
        m_platform->printAnswers = {false, true};
        click("LWykresMenuPlik");
        click("LDrukujWykres");
        QVERIFY(m_platform->printed.isEmpty());
        click("LWykresMenuPlik");
        click("LDrukujWykres");
        QVERIFY(child("PWykresMenu")->isHidden());
        QCOMPARE(m_platform->printed.size(), 1);
        QCOMPARE(m_platform->printed.constFirst().title, QStringLiteral("Zestawienie ocen"));
        const QByteArray pdf = m_platform->printed.constFirst().pdf;
        QCOMPARE(test::pdfPageSizes(pdf).size(), 1);
        const QString text = test::pdfPageTexts(pdf).join(QChar(u'\n'));
        for (const char *label : {"Zestawienie ocen", "Cel", "Ndst"})
            QVERIFY2(text.contains(QLatin1String(label)), label);
    }

    void printedChartNamesEveryoneTheWindowNames()
    {
        // A class of 28 under a bar chart: the page shows the names the
        // window shows, laid out as the window lays them out.
        Loaded loaded(test::makeAnalysis(28, 30));
        draw(loaded, ChartKindBar);
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        m_platform->saveAnswers.push_back(dir.filePath(QStringLiteral("wykres.svg")));
        click("LWykresMenuPlik");
        click("LZapiszObraz");
        const QString svg = QString::fromUtf8(readFile(dir.filePath(QStringLiteral("wykres.svg"))));
        m_platform->printAnswers = {true};
        click("LWykresMenuPlik");
        click("LDrukujWykres");
        QCOMPARE(m_platform->printed.size(), 1);
        const QString text =
                test::pdfPageTexts(m_platform->printed.constFirst().pdf).join(QChar(u'\n'));
        int inWindow = 0;
        int onPaper = 0;
        for (const UczenAll &student : loaded.analysis.students) {
            inWindow += svg.contains(QLatin1Char('>') + student.displayName() + QLatin1Char('<'));
            onPaper += text.contains(student.displayName());
        }
        QVERIFY(inWindow >= 14);
        QCOMPARE(onPaper, inWindow);
    }

    void failedCopyLeavesDropDownOpen()
    {
        Loaded loaded(test::makeAnalysis(5, 10));
        draw(loaded, ChartKindBar);
        m_platform->clipboardFails = true;
        click("LWykresMenuEdycja");
        MessageBoxCatcher catcher;
        click("LZapiszFormat");
        QCOMPARE(catcher.texts, QStringList{QStringLiteral("Cannot open clipboard")});
        QVERIFY(!child("PWykresMenu")->isHidden());
    }
};

QTEST_MAIN(TestTFWykres)
#include "tst_tfwykres.moc"
