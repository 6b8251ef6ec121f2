#include "modalhelper.h"
#include "platform/commanderror.h"
#include "scriptedplatform.h"
#include "shell/shell.h"
#include "shell/tfglowny.h"
#include "shell/tfmenu.h"
#include "tables/view/tablepanel.h"
#include "ui/clickablelabel.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace zavevad;
using namespace Qt::StringLiterals;

namespace {

const QColor kMenuWhite(255, 255, 255);
const QColor kMenuYellow(255, 255, 0);
const QColor kMenuGrey(128, 128, 128);

} // namespace

class TestMenuWindow : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void init();
    void cleanup();

    void dropDownGeometry_data();
    void dropDownGeometry();
    void secondClickOnlyCloses();
    void otherLabelWhileOpenOnlyCloses();
    void outsideClickClosesWithoutReopening();
    void outsideClickGoesOnToOtherControls();
    void backgroundClickCloses();
    void mainWindowBackgroundAndMinimizeClose();
    void itemsAndHints_data();
    void itemsAndHints();
    void greyItemsBeforeLoad_data();
    void greyItemsBeforeLoad();
    void hoverAfterLoad();
    void windowMenuHighlightsOnlyItself();
    void plikKeepsGreyOfUnavailableItems();
    void plikGreyItemStillWhitensItsAvailableSiblings();
    void onlyTheLeftButtonClicks();
    void separatorsAreNoBackground();
    void tableItemsSwitchTables_data();
    void tableItemsSwitchTables();
    void exportAndChartHooks();
    void commandErrorShowsMessageAndKeepsState();
    void aboutAndHelpItems();

private:
    QLabel *item(const char *name) const;
    void open(const char *menuLabel);
    void click(const char *name);
    void hover(QWidget *widget);
    /// A small loaded set, as a successful load leaves it.
    void fakeLoad();

    QTemporaryDir m_startDir;
    QString m_previousDir;
    std::unique_ptr<test::ScriptedPlatform> m_platform;
    std::unique_ptr<Shell> m_shell;
};

void TestMenuWindow::initTestCase()
{
    QLocale::setDefault(QLocale(QLocale::Polish, QLocale::Poland));
    QVERIFY(m_startDir.isValid());
    m_previousDir = QDir::currentPath();
}

void TestMenuWindow::init()
{
    QVERIFY(QDir::setCurrent(m_startDir.path()));
    m_platform = std::make_unique<test::ScriptedPlatform>();
    m_shell = std::make_unique<Shell>(m_platform.get());
    m_shell->start();
    QVERIFY(QTest::qWaitForWindowExposed(&m_shell->glowny()));
}

void TestMenuWindow::cleanup()
{
    m_shell.reset();
    m_platform.reset();
    QDir::setCurrent(m_previousDir);
}

QLabel *TestMenuWindow::item(const char *name) const
{
    return m_shell->menu().findChild<QLabel *>(QLatin1String(name));
}

void TestMenuWindow::open(const char *menuLabel)
{
    auto *label = m_shell->glowny().findChild<QLabel *>(QLatin1String(menuLabel));
    QVERIFY(label);
    QTest::mouseClick(label, Qt::LeftButton);
}

void TestMenuWindow::click(const char *name)
{
    QWidget *widget = m_shell->menu().findChild<QWidget *>(QLatin1String(name));
    QVERIFY2(widget, name);
    QTest::mouseClick(widget, Qt::LeftButton);
}

void TestMenuWindow::hover(QWidget *widget)
{
    QMouseEvent move(QEvent::MouseMove, QPointF(3, 3), widget->mapToGlobal(QPointF(3, 3)),
            Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(widget, &move);
}

void TestMenuWindow::fakeLoad()
{
    Session &session = m_shell->session();
    UczenAll student;
    student.Nazwisko = u"Lis"_s;
    student.Imie = u"Ewa"_s;
    student.NazwaTestu = u"Test"_s;
    student.LiczbaPytan = 3;
    student.Odpowiedzi = {1, 0, 1};
    student.Suma = 2;
    student.Procent = 67;
    student.Ocena = u"Dst"_s;
    session.analysis.students = {student};
    session.analysis.studentCount = 1;
    session.analysis.questionCount = 3;
    session.analysis.dataLoaded = true;
    session.analysis.tableMode = TableResults;
}

void TestMenuWindow::dropDownGeometry_data()
{
    QTest::addColumn<QString>("label");
    QTest::addColumn<QString>("panel");
    QTest::addColumn<QRect>("geometry"); // relative to PTlo
    QTest::newRow("window menu") << u"LMTop"_s << u"PMenuTop"_s << QRect(1, 22, 86, 46);
    QTest::newRow("Plik") << u"LMenuPlik"_s << u"PPlik"_s << QRect(16, 48, 172, 264);
    QTest::newRow("Edycja") << u"LMenuEdycja"_s << u"Pedycja"_s << QRect(67, 48, 148, 124);
    QTest::newRow("Tabele") << u"LMenuTabele"_s << u"PTabele"_s << QRect(121, 48, 160, 222);
    QTest::newRow("Wykresy") << u"LMenuWykresy"_s << u"PWykresy"_s << QRect(177, 48, 145, 159);
    QTest::newRow("O programie") << u"LMenuAbout"_s << u"PAbout"_s << QRect(237, 48, 146, 55);
}

void TestMenuWindow::dropDownGeometry()
{
    QFETCH(QString, label);
    QFETCH(QString, panel);
    QFETCH(QRect, geometry);

    open(label.toLatin1().constData());
    TFMenu &menu = m_shell->menu();
    QVERIFY(menu.isVisible());
    const QPoint origin = m_shell->glowny().PTlo()->mapToGlobal(QPoint(0, 0));
    QCOMPARE(menu.geometry(), geometry.translated(origin));
    const QStringList panels{
            u"PMenuTop"_s, u"PPlik"_s, u"Pedycja"_s, u"PTabele"_s, u"PWykresy"_s, u"PAbout"_s};
    for (const QString &name : panels) {
        auto *widget = menu.findChild<QWidget *>(name);
        QVERIFY(widget);
        QCOMPARE(widget->isVisible(), name == panel);
        if (name == panel)
            QCOMPARE(widget->geometry(), QRect(QPoint(0, 0), geometry.size()));
    }
}

void TestMenuWindow::secondClickOnlyCloses()
{
    TFMenu &menu = m_shell->menu();
    open("LMenuPlik");
    QVERIFY(menu.isVisible());
    QCOMPARE(menu.shownDropDown(), int(TFMenu::MenuPlik));
    QCOMPARE(menu.size(), QSize(172, 264));
    open("LMenuPlik");
    QVERIFY(!menu.isVisible());
    QCOMPARE(menu.shownDropDown(), -1);
    open("LMenuPlik");
    QVERIFY(menu.isVisible());
}

void TestMenuWindow::otherLabelWhileOpenOnlyCloses()
{
    TFMenu &menu = m_shell->menu();
    open("LMenuPlik");
    open("LMenuTabele");
    QVERIFY(!menu.isVisible());
    open("LMenuTabele");
    QVERIFY(menu.isVisible());
    QCOMPARE(menu.shownDropDown(), int(TFMenu::MenuTabele));
}

void TestMenuWindow::outsideClickClosesWithoutReopening()
{
    // Through the window system, as a person clicks: the press outside the
    // pop-up closes it and is not passed on to the label beneath.
    TFMenu &menu = m_shell->menu();
    TFGlowny &main = m_shell->glowny();
    auto *plik = main.findChild<QLabel *>(u"LMenuPlik"_s);
    const QPoint inWindow = plik->mapTo(&main, plik->rect().center());
    QTest::mouseClick(main.windowHandle(), Qt::LeftButton, {}, inWindow);
    QTRY_VERIFY(menu.isVisible());
    QTest::mouseClick(main.windowHandle(), Qt::LeftButton, {}, inWindow);
    QTRY_VERIFY(!menu.isVisible());
    QTest::qWait(50);
    QVERIFY(!menu.isVisible());

    // Nor to another menu label.
    auto *tabele = main.findChild<QLabel *>(u"LMenuTabele"_s);
    QTest::mouseClick(main.windowHandle(), Qt::LeftButton, {}, inWindow);
    QTRY_VERIFY(menu.isVisible());
    QTest::mouseClick(
            main.windowHandle(), Qt::LeftButton, {}, tabele->mapTo(&main, tabele->rect().center()));
    QTRY_VERIFY(!menu.isVisible());
    QTest::qWait(50);
    QVERIFY(!menu.isVisible());
}

void TestMenuWindow::outsideClickGoesOnToOtherControls()
{
    // Only the menu labels keep the press that closes the drop-down to
    // themselves; any other control of the main window gets it as well.
    TFMenu &menu = m_shell->menu();
    TFGlowny &main = m_shell->glowny();
    open("LMenuEdycja");
    QVERIFY(menu.isVisible());
    auto *minimize = main.findChild<QLabel *>(u"LMinimize"_s);
    const QPoint at = minimize->mapTo(&main, minimize->rect().center());
    // A quick click: the release follows before anything else is processed.
    QTest::mouseClick(main.windowHandle(), Qt::LeftButton, {}, at);
    QVERIFY(!menu.isVisible());
    QTRY_VERIFY(main.isMinimized());
}

void TestMenuWindow::backgroundClickCloses()
{
    const char *pictures[][2] = {{"LMTop", "ImmenuTop"}, {"LMenuPlik", "ImPlik"},
            {"LMenuEdycja", "Imedycja"}, {"LMenuTabele", "ImTabele"}, {"LMenuWykresy", "ImWykresy"},
            {"LMenuAbout", "Image1"}};
    for (const auto &pair : pictures) {
        open(pair[0]);
        QVERIFY2(m_shell->menu().isVisible(), pair[0]);
        click(pair[1]);
        QVERIFY2(!m_shell->menu().isVisible(), pair[1]);
    }
}

void TestMenuWindow::mainWindowBackgroundAndMinimizeClose()
{
    TFGlowny &main = m_shell->glowny();
    open("LMenuEdycja");
    QTest::mouseClick(
            main.findChild<QLabel *>(u"ImTloGlowny"_s), Qt::LeftButton, {}, QPoint(400, 300));
    QVERIFY(!m_shell->menu().isVisible());

    open("LMenuEdycja");
    QTest::mouseClick(main.findChild<QLabel *>(u"LMinimize"_s), Qt::LeftButton);
    QVERIFY(!m_shell->menu().isVisible());
    QTRY_VERIFY(main.isMinimized());
}

void TestMenuWindow::itemsAndHints_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("hint");
    QTest::newRow("LM1minimize") << u"LM1minimize"_s << u"Minimalizuj"_s << u"Zminimalizuj okno"_s;
    QTest::newRow("LM1Close") << u"LM1Close"_s << u"Zamknij"_s << u"Zamknij program"_s;
    QTest::newRow("LPlikOpen") << u"LPlikOpen"_s << u"Wczytaj wyniki testu ..."_s
                               << u"Wczytuje wyniki testu do analizy"_s;
    QTest::newRow("LPlikOpenKlasy")
            << u"LPlikOpenKlasy"_s << u"Wczytaj klasy z folderu ..."_s
            << u"Wczytuje wyniki kilku klas: każdy podfolder to jedna klasa"_s;
    QTest::newRow("LPlikSaveTxt") << u"LPlikSaveTxt"_s << u"Zapisz tabelę jako txt"_s
                                  << u"Zapisuje tabelę jako plik txt"_s;
    QTest::newRow("LPlikSaveHtml") << u"LPlikSaveHtml"_s << u"Zapisz tabelę jako html"_s
                                   << u"Zapisuje tabelę jako plik html"_s;
    QTest::newRow("LPlikSavePdf") << u"LPlikSavePdf"_s << u"Zapisz raport PDF ..."_s
                                  << u"Zapisuje pełny raport z analizy testu jako PDF"_s;
    QTest::newRow("LPlikSaveXlsx") << u"LPlikSaveXlsx"_s << u"Zapisz jako arkusz xlsx ..."_s
                                   << u"Zapisuje wszystkie tabele do skoroszytu"_s;
    QTest::newRow("LPlikPrint") << u"LPlikPrint"_s << u"Drukuj raport ..."_s
                                << u"Drukuje pełny raport z analizy testu"_s;
    QTest::newRow("LPlikSaveCards") << u"LPlikSaveCards"_s << u"Zapisz karty uczniów PDF ..."_s
                                    << u"Zapisuje kartę wyników każdego ucznia jako PDF"_s;
    QTest::newRow("LPlikPrintCards") << u"LPlikPrintCards"_s << u"Drukuj karty uczniów ..."_s
                                     << u"Drukuje kartę wyników każdego ucznia"_s;
    QTest::newRow("LZamknij") << u"LZamknij"_s << u"Zamknij"_s << u"Kończy pracę z programem"_s;
    QTest::newRow("LPlikSaveAnonymous")
            << u"LPlikSaveAnonymous"_s << u"Raport bez nazwisk ..."_s
            << u"Zapisuje raport PDF i skoroszyt z uczniami oznaczonymi numerami zamiast nazwisk"_s;
    QTest::newRow("LPlikOpenTesty")
            << u"LPlikOpenTesty"_s << u"Wczytaj testy z folderu ..."_s
            << u"Wczytuje wszystkie testy z folderu, by pokazać postępy uczniów"_s;
    QTest::newRow("LEdycjaCopyHTML") << u"LEdycjaCopyHTML"_s << u"Kopiuj tabelę jako html"_s
                                     << u"Kopiuje tabelę w formacie html"_s;
    QTest::newRow("LEdycjaCopyCSV")
            << u"LEdycjaCopyCSV"_s << u"Kopiuj tabelę jako csv"_s << u"Kopiuje tabelę jako tekst"_s;
    QTest::newRow("LEdycjaProgi") << u"LEdycjaProgi"_s << u"Progi ocen ..."_s
                                  << u"Pozwala zmienić progi ocen i od razu zobaczyć skutek"_s;
    QTest::newRow("LAnalizaPunktacja") << u"LAnalizaPunktacja"_s << u"Tabela - Wyniki testu"_s
                                       << u"Prezentuje wyniki testu w postaci tabeli"_s;
    QTest::newRow("LAnalizaCzas") << u"LAnalizaCzas"_s << u"Tabela - Czas pracy"_s
                                  << u"Prezentuje zestawienie czasu pracy w postaci tabeli"_s;
    QTest::newRow("LAnalizaOceny") << u"LAnalizaOceny"_s << u"Tabela - Ilość ocen"_s
                                   << u"Prezentuje zestawienie ocen z testu"_s;
    QTest::newRow("LAnalizaPytan")
            << u"LAnalizaPytan"_s << u"Tabela - Analiza pytań"_s
            << u"Prezentuje łatwość i moc różnicującą pytań oraz rzetelność testu"_s;
    QTest::newRow("LAnalizaUmiejetnosci")
            << u"LAnalizaUmiejetnosci"_s << u"Tabela - Umiejętności"_s
            << u"Prezentuje wykonanie umiejętności sprawdzanych przez test"_s;
    QTest::newRow("LEdycjaKartoteka") << u"LEdycjaKartoteka"_s << u"Kartoteka testu ..."_s
                                      << u"Pozwala przypisać pytania do umiejętności"_s;
    QTest::newRow("LEdycjaRaport")
            << u"LEdycjaRaport"_s << u"Wnioski i dane raportu ..."_s
            << u"Pozwala wpisać szkołę, nauczyciela oraz wnioski i rekomendacje do raportu"_s;
    QTest::newRow("LAnalizaKlasy")
            << u"LAnalizaKlasy"_s << u"Tabela - Porównanie klas"_s << u"Porównuje wyniki klas"_s;
    QTest::newRow("LAnalizaPytaniaKlas")
            << u"LAnalizaPytaniaKlas"_s << u"Tabela - Pytania w klasach"_s
            << u"Porównuje łatwość każdego pytania w klasach"_s;
    QTest::newRow("LWykresSlupkowy") << u"LWykresSlupkowy"_s << u"Wykres słupkowy"_s
                                     << u"Prezentuje dane z tabeli w postaci wykresu słupkowego"_s;
    QTest::newRow("LWykresKolowy") << u"LWykresKolowy"_s << u"Wykres kołowy"_s
                                   << u"Prezentuje dane z tabeli w postaci wykresu kołowego"_s;
    QTest::newRow("LWykresLiniowy") << u"LWykresLiniowy"_s << u"Wykres liniowy"_s
                                    << u"Prezentuje dane z tabeli w postaci wykresu liniowego"_s;
    QTest::newRow("LWykresRozklad") << u"LWykresRozklad"_s << u"Rozkład punktów"_s
                                    << u"Pokazuje, ilu uczniów zdobyło każdą liczbę punktów"_s;
    QTest::newRow("LWykresCzasWynik")
            << u"LWykresCzasWynik"_s << u"Czas a wynik"_s
            << u"Pokazuje, czy szybkie oddanie testu szło w parze z wynikiem"_s;
    QTest::newRow("LWykresMapaPytan") << u"LWykresMapaPytan"_s << u"Mapa pytań"_s
                                      << u"Pokazuje łatwość i moc różnicującą każdego pytania"_s;
    QTest::newRow("LAboutWinietka") << u"LAboutWinietka"_s << u"O programie"_s << u"O programie"_s;
    QTest::newRow("LAboutPomoc") << u"LAboutPomoc"_s << u"Pomoc"_s << u"Pomoc"_s;
}

void TestMenuWindow::itemsAndHints()
{
    QFETCH(QString, name);
    QFETCH(QString, caption);
    QFETCH(QString, hint);
    auto *label = m_shell->menu().findChild<QLabel *>(name);
    QVERIFY(label);
    QCOMPARE(label->text(), caption);
    QCOMPARE(label->toolTip(), hint);
    // Every item fits in its panel.
    QVERIFY(label->parentWidget()->rect().contains(label->geometry()));
}

void TestMenuWindow::greyItemsBeforeLoad_data()
{
    QTest::addColumn<QString>("menuLabel");
    QTest::addColumn<QString>("name");
    QTest::newRow("save txt") << u"LMenuPlik"_s << u"LPlikSaveTxt"_s;
    QTest::newRow("save html") << u"LMenuPlik"_s << u"LPlikSaveHtml"_s;
    QTest::newRow("save pdf") << u"LMenuPlik"_s << u"LPlikSavePdf"_s;
    QTest::newRow("save xlsx") << u"LMenuPlik"_s << u"LPlikSaveXlsx"_s;
    QTest::newRow("print") << u"LMenuPlik"_s << u"LPlikPrint"_s;
    QTest::newRow("save cards") << u"LMenuPlik"_s << u"LPlikSaveCards"_s;
    QTest::newRow("print cards") << u"LMenuPlik"_s << u"LPlikPrintCards"_s;
    QTest::newRow("copy html") << u"LMenuEdycja"_s << u"LEdycjaCopyHTML"_s;
    QTest::newRow("copy csv") << u"LMenuEdycja"_s << u"LEdycjaCopyCSV"_s;
    QTest::newRow("thresholds") << u"LMenuEdycja"_s << u"LEdycjaProgi"_s;
    QTest::newRow("results table") << u"LMenuTabele"_s << u"LAnalizaPunktacja"_s;
    QTest::newRow("time table") << u"LMenuTabele"_s << u"LAnalizaCzas"_s;
    QTest::newRow("grade table") << u"LMenuTabele"_s << u"LAnalizaOceny"_s;
    QTest::newRow("item analysis") << u"LMenuTabele"_s << u"LAnalizaPytan"_s;
    QTest::newRow("skills") << u"LMenuTabele"_s << u"LAnalizaUmiejetnosci"_s;
    QTest::newRow("blueprint") << u"LMenuEdycja"_s << u"LEdycjaKartoteka"_s;
    QTest::newRow("class comparison") << u"LMenuTabele"_s << u"LAnalizaKlasy"_s;
    QTest::newRow("questions in the classes") << u"LMenuTabele"_s << u"LAnalizaPytaniaKlas"_s;
    QTest::newRow("bar chart") << u"LMenuWykresy"_s << u"LWykresSlupkowy"_s;
    QTest::newRow("pie chart") << u"LMenuWykresy"_s << u"LWykresKolowy"_s;
    QTest::newRow("line chart") << u"LMenuWykresy"_s << u"LWykresLiniowy"_s;
    QTest::newRow("score distribution") << u"LMenuWykresy"_s << u"LWykresRozklad"_s;
    QTest::newRow("time and score") << u"LMenuWykresy"_s << u"LWykresCzasWynik"_s;
    QTest::newRow("progress") << u"LMenuWykresy"_s << u"LWykresPostepy"_s;
    QTest::newRow("question map") << u"LMenuWykresy"_s << u"LWykresMapaPytan"_s;
}

void TestMenuWindow::greyItemsBeforeLoad()
{
    QFETCH(QString, menuLabel);
    QFETCH(QString, name);
    int hookCalls = 0;
    CommandHooks &hooks = m_shell->hooks();
    hooks.ZapiszTxt = hooks.ZapiszHtml = hooks.KopiujHtml = hooks.KopiujCsv =
            hooks.ZapiszRaportPdf = hooks.ZapiszArkusz = hooks.DrukujRaport = [&hookCalls] {
                ++hookCalls;
            };
    hooks.Wykres = [&hookCalls](int) {
        ++hookCalls;
    };

    open(menuLabel.toLatin1().constData());
    auto *label = m_shell->menu().findChild<QLabel *>(name);
    QVERIFY(label);
    QCOMPARE(label->palette().color(QPalette::WindowText), kMenuGrey);
    QCOMPARE(label->cursor().shape(), Qt::ArrowCursor);
    hover(label);
    QCOMPARE(label->palette().color(QPalette::WindowText), kMenuGrey);

    QTest::mouseClick(label, Qt::LeftButton);
    QVERIFY(!m_shell->menu().isVisible());
    QCOMPARE(hookCalls, 0);
    const Session &session = m_shell->session();
    QCOMPARE(session.analysis.tableMode, TableNone);
    QCOMPARE(session.gridState.tableKind, TableNone);
    QVERIFY(m_shell->glowny().PTabela()->isHidden());
    QVERIFY(m_platform->calls.isEmpty());
}

void TestMenuWindow::hoverAfterLoad()
{
    fakeLoad();
    open("LMenuTabele");
    QLabel *results = item("LAnalizaPunktacja");
    QLabel *time = item("LAnalizaCzas");
    QLabel *grades = item("LAnalizaOceny");
    for (QLabel *label : {results, time, grades}) {
        QCOMPARE(label->palette().color(QPalette::WindowText), kMenuWhite);
        QCOMPARE(label->cursor().shape(), Qt::PointingHandCursor);
    }
    hover(time);
    QCOMPARE(time->palette().color(QPalette::WindowText), kMenuYellow);
    QCOMPARE(results->palette().color(QPalette::WindowText), kMenuWhite);
    hover(grades);
    QCOMPARE(time->palette().color(QPalette::WindowText), kMenuWhite);
    QCOMPARE(grades->palette().color(QPalette::WindowText), kMenuYellow);
    hover(m_shell->menu().findChild<QWidget *>(u"ImTabele"_s));
    QCOMPARE(grades->palette().color(QPalette::WindowText), kMenuWhite);
}

void TestMenuWindow::windowMenuHighlightsOnlyItself()
{
    open("LMTop");
    QLabel *minimize = item("LM1minimize");
    QLabel *close = item("LM1Close");
    hover(minimize);
    hover(close);
    // The first stays lit until the mouse crosses the background.
    QCOMPARE(minimize->palette().color(QPalette::WindowText), kMenuYellow);
    QCOMPARE(close->palette().color(QPalette::WindowText), kMenuYellow);
    hover(m_shell->menu().findChild<QWidget *>(u"ImmenuTop"_s));
    QCOMPARE(minimize->palette().color(QPalette::WindowText), kMenuWhite);
    QCOMPARE(close->palette().color(QPalette::WindowText), kMenuWhite);

    // Opening again starts from white.
    hover(close);
    open("LMTop");
    open("LMTop");
    QCOMPARE(close->palette().color(QPalette::WindowText), kMenuWhite);
}

void TestMenuWindow::plikKeepsGreyOfUnavailableItems()
{
    open("LMenuPlik");
    QLabel *load = item("LPlikOpen");
    QLabel *saveTxt = item("LPlikSaveTxt");
    QLabel *quit = item("LZamknij");
    hover(load);
    QCOMPARE(load->palette().color(QPalette::WindowText), kMenuYellow);
    QCOMPARE(saveTxt->palette().color(QPalette::WindowText), kMenuGrey);
    hover(quit);
    QCOMPARE(load->palette().color(QPalette::WindowText), kMenuWhite);
    QCOMPARE(quit->palette().color(QPalette::WindowText), kMenuYellow);
    hover(m_shell->menu().findChild<QWidget *>(u"ImPlik"_s));
    QCOMPARE(quit->palette().color(QPalette::WindowText), kMenuWhite);
    QCOMPARE(saveTxt->palette().color(QPalette::WindowText), kMenuGrey);
    QCOMPARE(load->cursor().shape(), Qt::PointingHandCursor);

    open("LMenuPlik");
    fakeLoad();
    open("LMenuPlik");
    QCOMPARE(saveTxt->palette().color(QPalette::WindowText), kMenuWhite);
    hover(saveTxt);
    QCOMPARE(saveTxt->palette().color(QPalette::WindowText), kMenuYellow);
}

void TestMenuWindow::plikGreyItemStillWhitensItsAvailableSiblings()
{
    // Before a load the save items keep their grey under the mouse, but the
    // load and "Zamknij" items still go back to white.
    open("LMenuPlik");
    QLabel *load = item("LPlikOpen");
    QLabel *saveHtml = item("LPlikSaveHtml");
    QLabel *quit = item("LZamknij");
    hover(load);
    QCOMPARE(load->palette().color(QPalette::WindowText), kMenuYellow);
    hover(saveHtml);
    QCOMPARE(saveHtml->palette().color(QPalette::WindowText), kMenuGrey);
    QCOMPARE(load->palette().color(QPalette::WindowText), kMenuWhite);
    QCOMPARE(quit->palette().color(QPalette::WindowText), kMenuWhite);
    QCOMPARE(item("LPlikSaveTxt")->palette().color(QPalette::WindowText), kMenuGrey);
}

void TestMenuWindow::onlyTheLeftButtonClicks()
{
    TFMenu &menu = m_shell->menu();
    auto *plik = m_shell->glowny().findChild<QLabel *>(u"LMenuPlik"_s);
    for (const Qt::MouseButton button : {Qt::RightButton, Qt::MiddleButton}) {
        QTest::mouseClick(plik, button);
        QVERIFY(!menu.isVisible());
    }

    open("LMenuPlik");
    QTest::mouseClick(item("LPlikOpen"), Qt::RightButton);
    QVERIFY(m_platform->calls.isEmpty());
    QVERIFY(menu.isVisible());
    QTest::mouseClick(menu.findChild<QWidget *>(u"ImPlik"_s), Qt::RightButton);
    QVERIFY(menu.isVisible());
}

void TestMenuWindow::separatorsAreNoBackground()
{
    // A separator is a label of its own: the mouse over it leaves the colours
    // alone, and a click on it does nothing.
    TFMenu &menu = m_shell->menu();
    open("LMenuPlik");
    QLabel *load = item("LPlikOpen");
    QLabel *separator = nullptr;
    for (QLabel *label : menu.findChildren<QLabel *>()) {
        if (label->text() == u"-------------------"_s && label->isVisible())
            separator = label;
    }
    QVERIFY(separator);
    const QPoint at = separator->mapTo(&menu, separator->rect().center());
    QTest::mouseMove(menu.windowHandle(), load->mapTo(&menu, load->rect().center()));
    QTRY_COMPARE(load->palette().color(QPalette::WindowText), kMenuYellow);
    QTest::mouseMove(menu.windowHandle(), at);
    QTest::qWait(20);
    QCOMPARE(load->palette().color(QPalette::WindowText), kMenuYellow);
    QTest::mouseClick(menu.windowHandle(), Qt::LeftButton, {}, at);
    QTest::qWait(20);
    QVERIFY(menu.isVisible());
}

void TestMenuWindow::tableItemsSwitchTables_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("kind");
    QTest::newRow("working time") << u"LAnalizaCzas"_s << int(TableWorkingTime);
    QTest::newRow("grade count") << u"LAnalizaOceny"_s << int(TableGradeCount);
    QTest::newRow("item analysis") << u"LAnalizaPytan"_s << int(TableItemAnalysis);
    QTest::newRow("skills") << u"LAnalizaUmiejetnosci"_s << int(TableSkills);
    QTest::newRow("class comparison") << u"LAnalizaKlasy"_s << int(TableClassComparison);
    QTest::newRow("questions in the classes")
            << u"LAnalizaPytaniaKlas"_s << int(TableClassQuestions);
    QTest::newRow("results") << u"LAnalizaPunktacja"_s << int(TableResults);
}

void TestMenuWindow::tableItemsSwitchTables()
{
    QFETCH(QString, name);
    QFETCH(int, kind);
    fakeLoad();
    m_shell->session().analysis.tableMode = TableNone;
    open("LMenuTabele");
    click(name.toLatin1().constData());
    QVERIFY(!m_shell->menu().isVisible());
    QCOMPARE(m_shell->session().analysis.tableMode, kind);
    QCOMPARE(m_shell->session().gridState.tableKind, kind);
}

void TestMenuWindow::exportAndChartHooks()
{
    fakeLoad();
    QStringList ran;
    CommandHooks &hooks = m_shell->hooks();
    // Each command starts with the drop-down already gone.
    auto record = [this, &ran](const QString &name) {
        return [this, &ran, name] {
            QVERIFY(!m_shell->menu().isVisible());
            ran.append(name);
        };
    };
    hooks.ZapiszTxt = record(u"txt"_s);
    hooks.ZapiszHtml = record(u"html"_s);
    hooks.ZapiszRaportPdf = record(u"pdf"_s);
    hooks.ZapiszArkusz = record(u"xlsx"_s);
    hooks.DrukujRaport = record(u"print"_s);
    hooks.ZapiszKartyPdf = record(u"save cards"_s);
    hooks.DrukujKarty = record(u"print cards"_s);
    hooks.KopiujHtml = record(u"copy html"_s);
    hooks.KopiujCsv = record(u"copy csv"_s);
    hooks.Wykres = [this, &ran](int kind) {
        QVERIFY(!m_shell->menu().isVisible());
        ran.append(u"chart "_s + QString::number(kind));
    };

    const char *clicks[][2] = {{"LMenuPlik", "LPlikSaveTxt"}, {"LMenuPlik", "LPlikSaveHtml"},
            {"LMenuPlik", "LPlikSavePdf"}, {"LMenuPlik", "LPlikSaveXlsx"},
            {"LMenuPlik", "LPlikPrint"}, {"LMenuPlik", "LPlikSaveCards"},
            {"LMenuPlik", "LPlikPrintCards"}, {"LMenuEdycja", "LEdycjaCopyHTML"},
            {"LMenuEdycja", "LEdycjaCopyCSV"}, {"LMenuWykresy", "LWykresSlupkowy"},
            {"LMenuWykresy", "LWykresKolowy"}, {"LMenuWykresy", "LWykresLiniowy"}};
    for (const auto &pair : clicks) {
        open(pair[0]);
        click(pair[1]);
    }
    QCOMPARE(ran,
            (QStringList{u"txt"_s, u"html"_s, u"pdf"_s, u"xlsx"_s, u"print"_s, u"save cards"_s,
                    u"print cards"_s, u"copy html"_s, u"copy csv"_s, u"chart 1"_s, u"chart 2"_s,
                    u"chart 3"_s}));
}

void TestMenuWindow::commandErrorShowsMessageAndKeepsState()
{
    fakeLoad();
    m_shell->hooks().KopiujCsv = [] {
        throw CommandError(u"Cannot open clipboard"_s);
    };
    QString title;
    QString text;
    test::ModalAnswerer answerer([&title, &text](QWidget *modal) {
        title = modal->windowTitle();
        if (auto *label = modal->findChild<QLabel *>(u"qt_msgbox_label"_s))
            text = label->text();
        modal->close();
    });
    open("LMenuEdycja");
    click("LEdycjaCopyCSV");
    QCOMPARE(title, u"Kalmo - Zavevad"_s);
    QCOMPARE(text, u"Cannot open clipboard"_s);
    QVERIFY(m_shell->session().analysis.dataLoaded);
    QCOMPARE(m_shell->session().analysis.tableMode, TableResults);
}

void TestMenuWindow::aboutAndHelpItems()
{
    bool aboutShown = false;
    test::ModalAnswerer answerer([&aboutShown](QWidget *modal) {
        aboutShown = modal->objectName() == u"FAbout"_s;
        auto *close = modal->findChild<ClickableLabel *>(u"Label4"_s);
        QVERIFY(close);
        QCOMPARE(close->text(), u"[X]"_s);
        QTest::mouseClick(close, Qt::LeftButton);
    });
    open("LMenuAbout");
    click("LAboutWinietka");
    QVERIFY(aboutShown);
    QVERIFY(!m_shell->menu().isVisible());

    // With the help file in the start directory it is the help file that opens.
    QFile chm(m_startDir.filePath(u"Kalmo_Analiza.chm"_s));
    QVERIFY(chm.open(QIODevice::WriteOnly));
    chm.close();
    open("LMenuAbout");
    click("LAboutPomoc");
    QCOMPARE(m_platform->openedDocuments,
            QStringList{QDir(m_startDir.path()).filePath(u"Kalmo_Analiza.chm"_s)});
}

QTEST_MAIN(TestMenuWindow)
#include "tst_menuwindow.moc"
