#include "shell/tfmenu.h"

#include "results/analysisstate.h"
#include "shell/artwork.h"
#include "shell/menutable.h"
#include "shell/shell.h"
#include "shell/tfglowny.h"
#include "tables/tablekinds.h"
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
        // rows of the students' cards, by the report without names and the
        // load of several tests at its end, and wide enough for their captions.
        return {{172, 264}, {16, 48}};
    case MenuEdycja:
        // Grown by three items below the two copies.
        return {{148, 124}, {67, 48}};
    case MenuTabele:
        // A row of 21 pixels per table kind below a margin of 12.
        return {{160, 12 + 21 * static_cast<int>(tableKinds().size())}, {121, 48}};
    case MenuWykresy:
        // A row of 21 pixels per chart: the three of the table, then the
        // distribution, time, progress and question charts.
        return {{145, 159}, {177, 48}};
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

    for (const MenuPanel &panelShape : menuPanels()) {
        Panel &panel = addPanel(panelShape);
        for (const MenuEntry &entry : menuEntries()) {
            if (entry.dropDown != panelShape.dropDown)
                continue;
            if (entry.isSeparator())
                addSeparator(panel, entry.top);
            else
                addItem(panel, entry);
        }
    }

    // Switching to another program closes the drop-down, as losing focus would.
    connect(qApp, &QGuiApplication::applicationStateChanged, this,
            [this](Qt::ApplicationState state) {
                if (state != Qt::ApplicationActive)
                    closeMenu();
            });
}

TFMenu::~TFMenu() = default;

TFMenu::Panel &TFMenu::addPanel(const MenuPanel &panelShape)
{
    const QSize size = placement(panelShape.dropDown).size;
    Panel &panel = m_panels[panelShape.dropDown];
    panel.highlightsAlone = panelShape.highlightsAlone;
    panel.widget = new QWidget(this);
    panel.widget->setObjectName(QLatin1String(panelShape.panelName));
    panel.widget->setGeometry(QRect(QPoint(0, 0), size));
    panel.widget->hide();

    panel.background = new ClickableLabel(panel.widget);
    panel.background->setObjectName(QLatin1String(panelShape.pictureName));
    panel.background->setGeometry(QRect(QPoint(0, 0), size));
    artwork::setPicture(*panel.background, QLatin1String(panelShape.artwork), size);
    connect(panel.background, &ClickableLabel::clicked, this, &TFMenu::closeMenu);
    connect(panel.background, &ClickableLabel::hovered, this,
            [this, &panel] { backgroundHovered(panel); });
    return panel;
}

void TFMenu::addItem(Panel &panel, const MenuEntry &entry)
{
    auto *label = new ClickableLabel(QString::fromUtf8(entry.caption), panel.widget);
    label->setObjectName(QLatin1String(entry.name));
    label->setToolTip(QString::fromUtf8(entry.hint));
    label->move(kItemLeft, entry.top);
    label->adjustSize();
    label->setCursor(Qt::PointingHandCursor);
    setItemColor(label, shellstyle::menuNormal());
    connect(label, &ClickableLabel::clicked, this, [this, &entry] { runEntry(entry); });
    connect(label, &ClickableLabel::hovered, this,
            [this, &panel, label] { itemHovered(panel, label); });
    panel.items.append({label, &entry});
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
    return item.entry->hover == MenuHover::Always || dataLoaded();
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
        } else if (item.entry->needsData()) {
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

void TFMenu::runEntry(const MenuEntry &entry)
{
    if (entry.run == MenuRun::AtOnce) {
        entry.execute(m_shell.hooks());
        return;
    }
    // The drop-down leaves the screen before the work starts.
    closeMenu();
    QCoreApplication::processEvents();
    if (entry.needsData() && !dataLoaded())
        return;
    runCommand(&m_shell.glowny(), [this, &entry] { entry.execute(m_shell.hooks()); });
}

void TFMenu::runNamed(const char *name)
{
    const MenuEntry *entry = menuEntry(name);
    Q_ASSERT(entry);
    if (entry)
        runEntry(*entry);
}

void TFMenu::LPlikOpenClick()
{
    runNamed("LPlikOpen");
}

void TFMenu::LPlikOpenKlasyClick()
{
    runNamed("LPlikOpenKlasy");
}

void TFMenu::LPlikSaveTxtClick()
{
    runNamed("LPlikSaveTxt");
}

void TFMenu::LPlikSaveHtmlClick()
{
    runNamed("LPlikSaveHtml");
}

void TFMenu::LPlikSavePdfClick()
{
    runNamed("LPlikSavePdf");
}

void TFMenu::LPlikSaveXlsxClick()
{
    runNamed("LPlikSaveXlsx");
}

void TFMenu::LEdycjaCopyHTMLClick()
{
    runNamed("LEdycjaCopyHTML");
}

void TFMenu::LEdycjaCopyCSVClick()
{
    runNamed("LEdycjaCopyCSV");
}

void TFMenu::LAnalizaCzasClick()
{
    runNamed("LAnalizaCzas");
}

void TFMenu::LAnalizaOcenyClick()
{
    runNamed("LAnalizaOceny");
}

void TFMenu::LAnalizaKlasyClick()
{
    runNamed("LAnalizaKlasy");
}

} // namespace zavevad
