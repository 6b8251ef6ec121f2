#include "shell/tfmenu.h"

#include "charts/window/tfwykres.h"
#include "platform/help.h"
#include "results/analysisstate.h"
#include "shell/artwork.h"
#include "shell/shell.h"
#include "shell/tfabout.h"
#include "shell/tfglowny.h"
#include "shell/tfkartoteka.h"
#include "shell/tfprogi.h"
#include "ui/clickablelabel.h"
#include "ui/runcommand.h"
#include "ui/shellstyle.h"

#include <QApplication>
#include <QLabel>
#include <QMouseEvent>
#include <QWindow>

#include <utility>

namespace zavevad {

namespace {

constexpr int kItemLeft = 8;

QString separatorText()
{
    return QStringLiteral("-------------------");
}

} // namespace

TFMenu::Placement TFMenu::placement(DropDown dropDown)
{
    switch (dropDown) {
    case MenuTop:
        return {{86, 46}, {1, 22}};
    case MenuPlik:
        // Grown by the load of classes below the load of one test, by the two
        // rows of the students' cards, and wide enough for their captions.
        return {{172, 225}, {16, 48}};
    case MenuEdycja:
        // Grown by two items below the two copies.
        return {{148, 102}, {67, 48}};
    case MenuTabele:
        // Three items more than the three it was drawn for: 21 pixels taller each.
        return {{145, 138}, {121, 48}};
    case MenuWykresy:
        // Grown by the two charts of the scores below the three of the table.
        return {{145, 117}, {177, 48}};
    case MenuAbout:
        return {{146, 55}, {237, 48}};
    }
    return {};
}

TFMenu::TFMenu(Shell &shell)
    : QWidget(nullptr, Qt::Popup | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint),
      m_shell(shell)
{
    setObjectName(QStringLiteral("FMenu"));
    setFont(shellstyle::windowFont());
    setMouseTracking(true);

    Panel &top = addPanel(MenuTop, "PMenuTop", "ImmenuTop", QStringLiteral("menu-top"));
    top.highlightsAlone = true;
    addItem(top, "LM1minimize", QStringLiteral("Minimalizuj"), QStringLiteral("Zminimalizuj okno"),
            7, false, Hover::Always, &TFMenu::LM1minimizeClick);
    addItem(top, "LM1Close", QStringLiteral("Zamknij"), QStringLiteral("Zamknij program"), 25,
            false, Hover::Always, &TFMenu::LM1CloseClick);

    Panel &plik = addPanel(MenuPlik, "PPlik", "ImPlik", QStringLiteral("menu-plik"));
    addItem(plik, "LPlikOpen", QStringLiteral("Wczytaj wyniki testu ..."),
            QStringLiteral("Wczytuje wyniki testu do analizy"), 8, false, Hover::Always,
            &TFMenu::LPlikOpenClick);
    // Every item below moves down by the row of the load of classes.
    addItem(plik, "LPlikOpenKlasy", QStringLiteral("Wczytaj klasy z folderu ..."),
            QStringLiteral("Wczytuje wyniki kilku klas: każdy podfolder to jedna klasa"), 26, false,
            Hover::Always, &TFMenu::LPlikOpenKlasyClick);
    addSeparator(plik, 42);
    addItem(plik, "LPlikSaveTxt", QStringLiteral("Zapisz tabelę jako txt"),
            QStringLiteral("Zapisuje tabelę jako plik txt"), 58, true, Hover::WhileLoaded,
            &TFMenu::LPlikSaveTxtClick);
    addItem(plik, "LPlikSaveHtml", QStringLiteral("Zapisz tabelę jako html"),
            QStringLiteral("Zapisuje tabelę jako plik html"), 76, true, Hover::WhileLoaded,
            &TFMenu::LPlikSaveHtmlClick);
    // The whole analysis at once; the drop-down grows by their rows.
    addItem(plik, "LPlikSavePdf", QStringLiteral("Zapisz raport PDF ..."),
            QStringLiteral("Zapisuje pełny raport z analizy testu jako PDF"), 94, true,
            Hover::WhileLoaded, &TFMenu::LPlikSavePdfClick);
    addItem(plik, "LPlikSaveXlsx", QStringLiteral("Zapisz jako arkusz xlsx ..."),
            QStringLiteral("Zapisuje wszystkie tabele do skoroszytu"), 112, true,
            Hover::WhileLoaded, &TFMenu::LPlikSaveXlsxClick);
    addItem(plik, "LPlikPrint", QStringLiteral("Drukuj raport ..."),
            QStringLiteral("Drukuje pełny raport z analizy testu"), 130, true, Hover::WhileLoaded,
            &TFMenu::LPlikPrintClick);
    addItem(plik, "LPlikSaveCards", QStringLiteral("Zapisz karty uczniów PDF ..."),
            QStringLiteral("Zapisuje kartę wyników każdego ucznia jako PDF"), 148, true,
            Hover::WhileLoaded, &TFMenu::LPlikSaveCardsClick);
    addItem(plik, "LPlikPrintCards", QStringLiteral("Drukuj karty uczniów ..."),
            QStringLiteral("Drukuje kartę wyników każdego ucznia"), 166, true, Hover::WhileLoaded,
            &TFMenu::LPlikPrintCardsClick);
    addSeparator(plik, 182);
    addItem(plik, "LZamknij", QStringLiteral("Zamknij"), QStringLiteral("Kończy pracę z programem"),
            200, false, Hover::Always, &TFMenu::LZamknijClick);

    Panel &edycja = addPanel(MenuEdycja, "Pedycja", "Imedycja", QStringLiteral("menu-edycja"));
    addItem(edycja, "LEdycjaCopyHTML", QStringLiteral("Kopiuj tabelę jako html"),
            QStringLiteral("Kopiuje tabelę w formacie html"), 10, true, Hover::WhileLoaded,
            &TFMenu::LEdycjaCopyHTMLClick);
    addItem(edycja, "LEdycjaCopyCSV", QStringLiteral("Kopiuj tabelę jako csv"),
            QStringLiteral("Kopiuje tabelę jako tekst"), 32, true, Hover::WhileLoaded,
            &TFMenu::LEdycjaCopyCSVClick);
    addItem(edycja, "LEdycjaProgi", QStringLiteral("Progi ocen ..."),
            QStringLiteral("Pozwala zmienić progi ocen i od razu zobaczyć skutek"), 54, true,
            Hover::WhileLoaded, &TFMenu::LEdycjaProgiClick);
    addItem(edycja, "LEdycjaKartoteka", QStringLiteral("Kartoteka testu ..."),
            QStringLiteral("Pozwala przypisać pytania do umiejętności"), 76, true,
            Hover::WhileLoaded, &TFMenu::LEdycjaKartotekaClick);

    Panel &tabele = addPanel(MenuTabele, "PTabele", "ImTabele", QStringLiteral("menu-tabele"));
    addItem(tabele, "LAnalizaPunktacja", QStringLiteral("Tabela - Wyniki testu"),
            QStringLiteral("Prezentuje wyniki testu w postaci tabeli"), 9, true, Hover::WhileLoaded,
            &TFMenu::LAnalizaPunktacjaClick);
    addItem(tabele, "LAnalizaCzas", QStringLiteral("Tabela - Czas pracy"),
            QStringLiteral("Prezentuje zestawienie czasu pracy w postaci tabeli"), 30, true,
            Hover::WhileLoaded, &TFMenu::LAnalizaCzasClick);
    addItem(tabele, "LAnalizaOceny", QStringLiteral("Tabela - Ilość ocen"),
            QStringLiteral("Prezentuje zestawienie ocen z testu"), 51, true, Hover::WhileLoaded,
            &TFMenu::LAnalizaOcenyClick);
    addItem(tabele, "LAnalizaPytan", QStringLiteral("Tabela - Analiza pytań"),
            QStringLiteral("Prezentuje łatwość i moc różnicującą pytań oraz rzetelność testu"), 72,
            true, Hover::WhileLoaded, &TFMenu::LAnalizaPytanClick);
    addItem(tabele, "LAnalizaUmiejetnosci", QStringLiteral("Tabela - Umiejętności"),
            QStringLiteral("Prezentuje wykonanie umiejętności sprawdzanych przez test"), 93, true,
            Hover::WhileLoaded, &TFMenu::LAnalizaUmiejetnosciClick);
    addItem(tabele, "LAnalizaKlasy", QStringLiteral("Tabela - Porównanie klas"),
            QStringLiteral("Porównuje wyniki klas"), 114, true, Hover::WhileLoaded,
            &TFMenu::LAnalizaKlasyClick);

    Panel &wykresy = addPanel(MenuWykresy, "PWykresy", "ImWykresy", QStringLiteral("menu-wykresy"));
    addItem(wykresy, "LWykresSlupkowy", QStringLiteral("Wykres słupkowy"),
            QStringLiteral("Prezentuje dane z tabeli w postaci wykresu słupkowego"), 9, true,
            Hover::WhileLoaded, &TFMenu::LWykresSlupkowyClick);
    addItem(wykresy, "LWykresKolowy", QStringLiteral("Wykres kołowy"),
            QStringLiteral("Prezentuje dane z tabeli w postaci wykresu kołowego"), 30, true,
            Hover::WhileLoaded, &TFMenu::LWykresKolowyClick);
    addItem(wykresy, "LWykresLiniowy", QStringLiteral("Wykres liniowy"),
            QStringLiteral("Prezentuje dane z tabeli w postaci wykresu liniowego"), 51, true,
            Hover::WhileLoaded, &TFMenu::LWykresLiniowyClick);
    addItem(wykresy, "LWykresRozklad", QStringLiteral("Rozkład punktów"),
            QStringLiteral("Pokazuje, ilu uczniów zdobyło każdą liczbę punktów"), 72, true,
            Hover::WhileLoaded, &TFMenu::LWykresRozkladClick);
    addItem(wykresy, "LWykresCzasWynik", QStringLiteral("Czas a wynik"),
            QStringLiteral("Pokazuje, czy szybkie oddanie testu szło w parze z wynikiem"), 93, true,
            Hover::WhileLoaded, &TFMenu::LWykresCzasWynikClick);

    Panel &about = addPanel(MenuAbout, "PAbout", "Image1", QStringLiteral("menu-about"));
    addItem(about, "LAboutWinietka", QStringLiteral("O programie"), QStringLiteral("O programie"),
            9, false, Hover::Always, &TFMenu::LAboutWinietkaClick);
    addItem(about, "LAboutPomoc", QStringLiteral("Pomoc"), QStringLiteral("Pomoc"), 30, false,
            Hover::Always, &TFMenu::LAboutPomocClick);

    // Switching to another program closes the drop-down, as losing focus would.
    connect(qApp, &QGuiApplication::applicationStateChanged, this,
            [this](Qt::ApplicationState state) {
                if (state != Qt::ApplicationActive)
                    closeMenu();
            });
}

TFMenu::~TFMenu() = default;

TFMenu::Panel &TFMenu::addPanel(
        DropDown dropDown, const char *panelName, const char *pictureName, const QString &artwork)
{
    const QSize size = placement(dropDown).size;
    Panel &panel = m_panels[dropDown];
    panel.widget = new QWidget(this);
    panel.widget->setObjectName(QLatin1String(panelName));
    panel.widget->setGeometry(QRect(QPoint(0, 0), size));
    panel.widget->hide();

    panel.background = new ClickableLabel(panel.widget);
    panel.background->setObjectName(QLatin1String(pictureName));
    panel.background->setGeometry(QRect(QPoint(0, 0), size));
    artwork::setPicture(*panel.background, artwork, size);
    connect(panel.background, &ClickableLabel::clicked, this, &TFMenu::closeMenu);
    connect(panel.background, &ClickableLabel::hovered, this,
            [this, &panel] { backgroundHovered(panel); });
    return panel;
}

ClickableLabel *TFMenu::addItem(Panel &panel, const char *name, const QString &caption,
        const QString &hint, int top, bool needsData, Hover hover, void (TFMenu::*command)())
{
    auto *label = new ClickableLabel(caption, panel.widget);
    label->setObjectName(QLatin1String(name));
    label->setToolTip(hint);
    label->move(kItemLeft, top);
    label->adjustSize();
    label->setCursor(Qt::PointingHandCursor);
    setItemColor(label, shellstyle::menuNormal());
    connect(label, &ClickableLabel::clicked, this, command);
    connect(label, &ClickableLabel::hovered, this,
            [this, &panel, label] { itemHovered(panel, label); });
    panel.items.append({label, needsData, hover, command});
    return label;
}

void TFMenu::addSeparator(Panel &panel, int top)
{
    // Not the panel's picture: the mouse over it changes no colour and a
    // click on it does not close the menu.
    auto *label = new QLabel(separatorText(), panel.widget);
    label->move(kItemLeft, top);
    label->adjustSize();
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, QColor(196, 202, 210));
    label->setPalette(palette);
}

void TFMenu::setItemColor(ClickableLabel *label, const QColor &color)
{
    QPalette palette = label->palette();
    if (palette.color(QPalette::WindowText) == color)
        return;
    palette.setColor(QPalette::WindowText, color);
    label->setPalette(palette);
}

bool TFMenu::dataLoaded() const
{
    return m_shell.session().analysis.dataLoaded;
}

bool TFMenu::takesPart(const Item &item) const
{
    return item.hover == Hover::Always || dataLoaded();
}

void TFMenu::itemHovered(Panel &panel, ClickableLabel *label)
{
    // Each item takes part on its own terms: an unavailable item keeps its grey
    // under the mouse, yet the available siblings still go back to white.
    for (const Item &item : std::as_const(panel.items)) {
        if (!takesPart(item))
            continue;
        if (item.label == label)
            setItemColor(item.label, shellstyle::menuHighlighted());
        else if (!panel.highlightsAlone)
            setItemColor(item.label, shellstyle::menuNormal());
    }
}

void TFMenu::backgroundHovered(Panel &panel)
{
    for (const Item &item : std::as_const(panel.items)) {
        if (takesPart(item))
            setItemColor(item.label, shellstyle::menuNormal());
    }
}

void TFMenu::updateAvailability(Panel &panel)
{
    const bool loaded = dataLoaded();
    for (const Item &item : std::as_const(panel.items)) {
        if (panel.highlightsAlone) {
            setItemColor(item.label, shellstyle::menuNormal());
        } else if (item.needsData) {
            setItemColor(
                    item.label, loaded ? shellstyle::menuNormal() : shellstyle::menuUnavailable());
            item.label->setCursor(loaded ? Qt::PointingHandCursor : Qt::ArrowCursor);
        }
    }
}

void TFMenu::resetLook()
{
    for (Panel &panel : m_panels) {
        for (const Item &item : std::as_const(panel.items)) {
            setItemColor(item.label, shellstyle::menuNormal());
            item.label->setCursor(Qt::PointingHandCursor);
        }
    }
}

void TFMenu::LMenuClick(DropDown dropDown)
{
    if (isVisible()) {
        closeMenu();
        return;
    }
    showDropDown(dropDown);
}

void TFMenu::showDropDown(DropDown dropDown)
{
    Panel &panel = m_panels[dropDown];
    if (dropDown != MenuAbout)
        updateAvailability(panel);
    for (Panel &other : m_panels)
        other.widget->setVisible(&other == &panel);
    m_shown = dropDown;
    m_keyboardItem = -1;

    const Placement where = placement(dropDown);
    const QPoint origin = m_shell.glowny().PTlo()->mapToGlobal(QPoint(0, 0));
    setGeometry(QRect(origin + where.offset, where.size));
    show();
}

void TFMenu::closeMenu()
{
    if (isVisible())
        hide();
    m_shown = -1;
    m_keyboardItem = -1;
}

int TFMenu::shownDropDown() const
{
    return isVisible() ? m_shown : -1;
}

void TFMenu::mousePressEvent(QMouseEvent *event)
{
    if (rect().contains(event->position().toPoint())) {
        QWidget::mousePressEvent(event);
        return;
    }
    // A press outside the pop-up closes it. On a menu label of the main window
    // that is all it does (passed on, it would open a drop-down again);
    // anywhere else it goes on to what lies beneath, so that "Minimalizuj",
    // "Zamknij" or the paging arrows work with a drop-down open. Qt replays
    // such a press only where the platform lets a pop-up grab the mouse, so
    // the press is passed on here, the same way everywhere.
    setAttribute(Qt::WA_NoMouseReplay);
    const QPoint global = event->globalPosition().toPoint();
    QWidget *beneath = QApplication::widgetAt(global);
    closeMenu();
    event->accept();
    if (!beneath || m_shell.glowny().isMenuLabel(beneath))
        return;
    QWidget *window = beneath->window();
    QWindow *handle = window->windowHandle();
    if (!handle)
        return;
    if (!window->isActiveWindow())
        window->activateWindow();
    // Delivered at once: the release of a quick click may already wait in the
    // queue, and it must find the press done.
    const QPointF local = window->mapFromGlobal(event->globalPosition());
    QMouseEvent press(QEvent::MouseButtonPress, local, local, event->globalPosition(),
            event->button(), event->buttons(), event->modifiers(), event->pointingDevice());
    press.setTimestamp(event->timestamp());
    QCoreApplication::sendEvent(handle, &press);
}

void TFMenu::runItem(bool needsData, const std::function<void()> &command)
{
    // The drop-down leaves the screen before the work starts.
    closeMenu();
    QCoreApplication::processEvents();
    if ((needsData && !dataLoaded()) || !command)
        return;
    runCommand(&m_shell.glowny(), command);
}

void TFMenu::LPlikOpenClick()
{
    runItem(false, [this] { m_shell.glowny().Wczytaj(); });
}

void TFMenu::LPlikOpenKlasyClick()
{
    runItem(false, [this] { m_shell.glowny().WczytajKlasy(); });
}

void TFMenu::LPlikSaveTxtClick()
{
    runItem(true, m_shell.hooks().ZapiszTxt);
}

void TFMenu::LPlikSaveHtmlClick()
{
    runItem(true, m_shell.hooks().ZapiszHtml);
}

void TFMenu::LPlikSavePdfClick()
{
    runItem(true, m_shell.hooks().ZapiszRaportPdf);
}

void TFMenu::LPlikSaveXlsxClick()
{
    runItem(true, m_shell.hooks().ZapiszArkusz);
}

void TFMenu::LPlikPrintClick()
{
    runItem(true, m_shell.hooks().DrukujRaport);
}

void TFMenu::LPlikSaveCardsClick()
{
    runItem(true, m_shell.hooks().ZapiszKartyPdf);
}

void TFMenu::LPlikPrintCardsClick()
{
    runItem(true, m_shell.hooks().DrukujKarty);
}

void TFMenu::LZamknijClick()
{
    TFGlowny::terminate();
}

void TFMenu::LM1CloseClick()
{
    TFGlowny::terminate();
}

void TFMenu::LM1minimizeClick()
{
    closeMenu();
    m_shell.glowny().minimizeApplication();
}

void TFMenu::LEdycjaCopyHTMLClick()
{
    runItem(true, m_shell.hooks().KopiujHtml);
}

void TFMenu::LEdycjaCopyCSVClick()
{
    runItem(true, m_shell.hooks().KopiujCsv);
}

void TFMenu::LEdycjaProgiClick()
{
    runItem(true, [this] {
        TFProgi dialog(m_shell);
        dialog.exec();
    });
}

void TFMenu::LAnalizaPunktacjaClick()
{
    runItem(true, [this] { m_shell.glowny().PokazTabele(TableResults); });
}

void TFMenu::LAnalizaCzasClick()
{
    runItem(true, [this] { m_shell.glowny().PokazTabele(TableWorkingTime); });
}

void TFMenu::LAnalizaOcenyClick()
{
    runItem(true, [this] { m_shell.glowny().PokazTabele(TableGradeCount); });
}

void TFMenu::LAnalizaPytanClick()
{
    runItem(true, [this] { m_shell.glowny().PokazTabele(TableItemAnalysis); });
}

void TFMenu::LAnalizaUmiejetnosciClick()
{
    runItem(true, [this] { m_shell.glowny().PokazTabele(TableSkills); });
}

void TFMenu::LEdycjaKartotekaClick()
{
    runItem(true, [this] {
        TFKartoteka dialog(m_shell);
        dialog.exec();
    });
}

void TFMenu::LAnalizaKlasyClick()
{
    runItem(true, [this] { m_shell.glowny().PokazTabele(TableClassComparison); });
}

void TFMenu::runChart(int chartKind)
{
    runItem(true, [this, chartKind] {
        if (m_shell.hooks().Wykres)
            m_shell.hooks().Wykres(chartKind);
    });
}

void TFMenu::LWykresSlupkowyClick()
{
    runChart(1);
}

void TFMenu::LWykresKolowyClick()
{
    runChart(2);
}

void TFMenu::LWykresLiniowyClick()
{
    runChart(3);
}

void TFMenu::LWykresRozkladClick()
{
    runItem(true, [this] {
        m_shell.wykres().scoreChartCommand(ScoreChart::Distribution, m_shell.session().analysis);
    });
}

void TFMenu::LWykresCzasWynikClick()
{
    runItem(true, [this] {
        m_shell.wykres().scoreChartCommand(ScoreChart::TimeScore, m_shell.session().analysis);
    });
}

void TFMenu::LAboutWinietkaClick()
{
    runItem(false, [this] { m_shell.about().showModal(); });
}

void TFMenu::LAboutPomocClick()
{
    runItem(false, [this] { openHelp(m_shell.session().analysis.startDirectory); });
}

} // namespace zavevad
