#include "charts/window/tfwykres.h"

#include "chartengine/chartrenderer.h"
#include "charts/chartdata.h"
#include "charts/formattemplate.h"
#include "charts/window/chartmenutable.h"
#include "charts/window/chartwidget.h"
#include "charts/window/stripartwork.h"
#include "platform/platform.h"
#include "results/analysisstate.h"
#include "ui/clickablelabel.h"
#include "ui/fixedwindow.h"
#include "ui/runcommand.h"
#include "ui/sharppicture.h"
#include "ui/shellstyle.h"

#include <QDialog>
#include <QDir>
#include <QFontInfo>
#include <QFontMetrics>
#include <QFrame>
#include <QMouseEvent>
#include <QRubberBand>
#include <QWindow>

#include <algorithm>
#include <utility>

namespace zavevad {

namespace {

constexpr int kLeftPartWidth = 339;
constexpr int kRightPartWidth = 30;
constexpr QRect kGripDesignGeometry{535, 355, 17, 17};
/// The grip sits this far from the chart's right and bottom edges after a resize.
constexpr int kGripInset = 19;

constexpr int kMenuTop = 1;
constexpr int kMenuWidth = 121;
constexpr int kMenuDesignLeft = 56;
constexpr int kMenuDesignHeight = 56;
constexpr int kFileMenuLeft = 8;
/// The file menu grew by two rows ("Zapisz obraz ...", "Drukuj wykres ...").
constexpr int kFileMenuHeight = 99;
constexpr int kEditMenuLeft = 56;
constexpr int kEditMenuHeight = 43;
constexpr int kMenuItemLeft = 8;

/// The drop-down items' font: the window's font, made narrower and then
/// smaller while the longest item would not fit the panel (the design font is
/// narrower than the fonts most desktops have).
QFont menuItemFont(const QFont &base, const QStringList &captions, int room)
{
    const int basePixels = QFontInfo(base).pixelSize();
    for (int pixels = basePixels; pixels >= 9; --pixels) {
        for (int stretch : {int(QFont::Unstretched), int(QFont::SemiCondensed)}) {
            QFont font = base;
            font.setPixelSize(pixels);
            font.setStretch(stretch);
            const QFontMetrics metrics(font);
            const bool fits = std::all_of(captions.begin(), captions.end(),
                    [&](const QString &text) { return metrics.horizontalAdvance(text) <= room; });
            if (fits)
                return font;
        }
    }
    return base;
}

/// Widens a label to its text, as labels that size themselves do; never narrower
/// than its design width.
void fitLabelWidth(QLabel *label, int designWidth)
{
    const int textWidth = label->fontMetrics().horizontalAdvance(label->text()) + 1;
    label->resize(std::max(designWidth, textWidth), label->height());
}

QPoint globalPos(const QEvent *event)
{
    return static_cast<const QMouseEvent *>(event)->globalPosition().toPoint();
}

} // namespace

TFWykres::TFWykres(SessionState &state, QWidget *parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint),
      m_state(state)
{
    setObjectName(QStringLiteral("FWykres"));
    // The caption is never drawn (there is no caption bar), but the desktop's
    // task list shows it.
    setWindowTitle(QStringLiteral("Wermo - prezentacja danych"));
    setFont(shellstyle::windowFont());
    setMinimumSize(kMinimumSize);
    resize(kDesignSize);
    setAcceptDrops(true);

    buildTitleStrip();
    buildChart();
    buildDropDown();

    // A top-level band, so that it can reach past the window while it grows;
    // Qt draws and erases it, nothing stays on the screen.
    m_Rameczka = std::make_unique<QRubberBand>(QRubberBand::Rectangle);
    m_Rameczka->setObjectName(QStringLiteral("Rameczka"));

    installKeys();
    layoutWindow();
}

void TFWykres::buildTitleStrip()
{
    m_PListwa = new QWidget(this);
    m_PListwa->setObjectName(QStringLiteral("PListwa"));

    m_PListwaLeft = new QWidget(m_PListwa);
    m_PListwaLeft->setObjectName(QStringLiteral("PListwaLeft"));
    m_PListwaLeft->setGeometry(0, 0, kLeftPartWidth, kStripHeight);
    auto *imListwaLeft = new ClickableLabel(m_PListwaLeft);
    imListwaLeft->setObjectName(QStringLiteral("ImListwaLeft"));
    imListwaLeft->setGeometry(0, 0, kLeftPartWidth, kStripHeight);
    setSharpPicture(*imListwaLeft, stripartwork::leftPicture);
    connect(imListwaLeft, &ClickableLabel::clicked, this, &TFWykres::PWykresMenuClick);

    m_LListwa = addLabel(m_PListwaLeft, "LListwa", QString(), QRect(16, 3, 313, 13), false);
    m_LListwa->setCursor(Qt::ArrowCursor);
    m_LListwa->installEventFilter(this);
    connect(m_LListwa, &ClickableLabel::clicked, this, &TFWykres::PWykresMenuClick);

    m_LWykresMenuPlik = addLabel(
            m_PListwaLeft, "LWykresMenuPlik", QStringLiteral("Plik"), QRect(11, 22, 38, 12), true);
    connect(m_LWykresMenuPlik, &ClickableLabel::clicked, this, &TFWykres::LWykresMenuPlikClick);
    m_LWykresMenuEdycja = addLabel(m_PListwaLeft, "LWykresMenuEdycja", QStringLiteral("Edycja"),
            QRect(59, 21, 46, 14), true);
    connect(m_LWykresMenuEdycja, &ClickableLabel::clicked, this, &TFWykres::LWykresMenuEdycjaClick);
    m_LWykresMenuFormat = addLabel(m_PListwaLeft, "LWykresMenuFormat", QStringLiteral("Formatuj"),
            QRect(115, 21, 46, 14), true);
    connect(m_LWykresMenuFormat, &ClickableLabel::clicked, this, &TFWykres::LWykresMenuFormatClick);
    for (ClickableLabel *label : {m_LWykresMenuPlik, m_LWykresMenuEdycja, m_LWykresMenuFormat})
        fitLabelWidth(label, label->width());

    m_PListwaSrodek = new QWidget(m_PListwa);
    m_PListwaSrodek->setObjectName(QStringLiteral("PListwaSrodek"));
    m_ImListwaSrodek = new ClickableLabel(m_PListwaSrodek);
    m_ImListwaSrodek->setObjectName(QStringLiteral("ImListwaSrodek"));
    setSharpPicture(*m_ImListwaSrodek, stripartwork::middlePicture);
    m_ImListwaSrodek->setScaledContents(true);
    connect(m_ImListwaSrodek, &ClickableLabel::clicked, this, &TFWykres::PWykresMenuClick);

    m_PListwaRight = new QWidget(m_PListwa);
    m_PListwaRight->setObjectName(QStringLiteral("PListwaRight"));
    auto *imListwaRight = new QLabel(m_PListwaRight);
    imListwaRight->setObjectName(QStringLiteral("ImListwaRight"));
    imListwaRight->setGeometry(0, 0, kRightPartWidth, kStripHeight);
    setSharpPicture(*imListwaRight, stripartwork::rightPicture);
    ClickableLabel *close =
            addLabel(m_PListwaRight, "LCloseWykres", QString(), QRect(8, 0, 17, 17), true);
    close->setAccessibleName(QStringLiteral("Zamknij"));
    connect(close, &ClickableLabel::clicked, this, &TFWykres::LCloseWykresClick);
}

void TFWykres::buildChart()
{
    m_PPodWykres = new QWidget(this);
    m_PPodWykres->setObjectName(QStringLiteral("PPodWykres"));
    m_Wykres = new chart::ChartWidget(m_state.chart, m_PPodWykres);
    m_Wykres->setObjectName(QStringLiteral("Wykres"));
    connect(m_Wykres, &chart::ChartWidget::clicked, this, &TFWykres::PWykresMenuClick);

    // ---- The resize grip, inside the chart ----
    m_PRozciong = new QWidget(m_Wykres);
    m_PRozciong->setObjectName(QStringLiteral("PRozciong"));
    m_PRozciong->setGeometry(kGripDesignGeometry);
    m_PRozciong->setToolTip(QStringLiteral("Zmień rozmiar"));
    m_PRozciong->setCursor(Qt::SizeFDiagCursor);
    m_PRozciong->setAutoFillBackground(true);
    QPalette gripPalette = m_PRozciong->palette();
    gripPalette.setColor(QPalette::Window, stripartwork::gripPanelColor());
    m_PRozciong->setPalette(gripPalette);
    m_PRozciong->installEventFilter(this);
    m_ImCiongnij = new ClickableLabel(m_PRozciong);
    m_ImCiongnij->setObjectName(QStringLiteral("ImCiongnij"));
    m_ImCiongnij->setGeometry(1, 1, 15, 15);
    setSharpPicture(*m_ImCiongnij, stripartwork::gripPicture);
    m_ImCiongnij->setToolTip(m_PRozciong->toolTip());
    m_ImCiongnij->installEventFilter(this);
    connect(m_ImCiongnij, &ClickableLabel::clicked, this, &TFWykres::PWykresMenuClick);
}

void TFWykres::buildDropDown()
{
    // Inside the chart: a panel with the raised edge panels have by default, so that it stands
    // out from the grey chart behind it.
    auto *menuPanel = new QFrame(m_Wykres);
    menuPanel->setFrameStyle(QFrame::Panel | QFrame::Raised);
    m_PWykresMenu = menuPanel;
    m_PWykresMenu->setObjectName(QStringLiteral("PWykresMenu"));
    m_PWykresMenu->setGeometry(kMenuDesignLeft, kMenuTop, kMenuWidth, kMenuDesignHeight);
    m_PWykresMenu->setAutoFillBackground(true);
    QPalette menuPalette = m_PWykresMenu->palette();
    const QColor menuColor(141, 141, 141);
    menuPalette.setColor(QPalette::Window, menuColor);
    menuPalette.setColor(QPalette::Light, menuColor.lighter(135));
    menuPalette.setColor(QPalette::Dark, menuColor.darker(160));
    m_PWykresMenu->setPalette(menuPalette);
    m_PWykresMenu->installEventFilter(this);
    const auto caption = [](const char *label) {
        return QString::fromUtf8(
                chartMenuEntry(ChartMenu::File, QString::fromLatin1(label))->caption);
    };
    m_LZapiszFormat = addLabel(
            m_PWykresMenu, "LZapiszFormat", caption("LZapiszFormat"), QRect(8, 8, 89, 13), true);
    connect(m_LZapiszFormat, &ClickableLabel::clicked, this, &TFWykres::LZapiszFormatClick);
    m_LWczytajFormat = addLabel(m_PWykresMenu, "LWczytajFormat", caption("LWczytajFormat"),
            QRect(8, 24, 113, 13), true);
    connect(m_LWczytajFormat, &ClickableLabel::clicked, this, &TFWykres::LWczytajFormatClick);
    m_LZapiszObraz = addLabel(
            m_PWykresMenu, "LZapiszObraz", caption("LZapiszObraz"), QRect(8, 41, 105, 13), true);
    connect(m_LZapiszObraz, &ClickableLabel::clicked, this, &TFWykres::LZapiszObrazClick);
    m_LDrukujWykres = addLabel(
            m_PWykresMenu, "LDrukujWykres", caption("LDrukujWykres"), QRect(8, 58, 105, 13), true);
    connect(m_LDrukujWykres, &ClickableLabel::clicked, this, &TFWykres::LDrukujWykresClick);
    m_LZamknijWykres = addLabel(m_PWykresMenu, "LZamknijWykres", caption("LZamknijWykres"),
            QRect(8, 75, 105, 13), true);
    connect(m_LZamknijWykres, &ClickableLabel::clicked, this, &TFWykres::LZamknijWykresClick);
    QStringList captions;
    for (const ChartMenuEntry &entry : chartMenuEntries())
        captions.append(QString::fromUtf8(entry.caption));
    const QFont itemFont = menuItemFont(font(), captions, kMenuWidth - kMenuItemLeft);
    for (ClickableLabel *label : {m_LZapiszFormat, m_LWczytajFormat, m_LZapiszObraz,
                 m_LDrukujWykres, m_LZamknijWykres}) {
        label->setFont(itemFont);
        fitLabelWidth(label, label->width());
    }
    m_PWykresMenu->hide();
}

TFWykres::~TFWykres() = default;

ClickableLabel *TFWykres::addLabel(QWidget *parent, const char *name, const QString &caption,
        const QRect &geometry, bool menuItem)
{
    auto *label = new ClickableLabel(caption, parent);
    label->setObjectName(QLatin1String(name));
    label->setGeometry(geometry);
    if (menuItem) {
        label->setCursor(Qt::PointingHandCursor);
        QPalette palette = label->palette();
        palette.setColor(QPalette::WindowText, shellstyle::menuNormal());
        label->setPalette(palette);
    }
    return label;
}

chart::Chart &TFWykres::chart()
{
    return m_Wykres->chart();
}

const chart::Chart &TFWykres::chart() const
{
    return m_Wykres->chart();
}

void TFWykres::setAppearanceDialog(AppearanceDialogLink link)
{
    m_dialog = std::move(link);
}

void TFWykres::refreshChart()
{
    m_Wykres->refresh();
}

void TFWykres::layoutWindow()
{
    const int w = width();
    const int h = height();
    m_PListwa->setGeometry(0, 0, w, kStripHeight);
    const int middle = std::max(0, w - kLeftPartWidth - kRightPartWidth);
    m_PListwaSrodek->setGeometry(kLeftPartWidth, 0, middle, kStripHeight);
    m_ImListwaSrodek->setGeometry(0, 0, middle, kStripHeight);
    m_PListwaRight->setGeometry(w - kRightPartWidth, 0, kRightPartWidth, kStripHeight);
    m_PPodWykres->setGeometry(0, kStripHeight, w, std::max(0, h - kStripHeight));
    m_Wykres->setGeometry(m_PPodWykres->rect());
}

void TFWykres::showEvent(QShowEvent *event)
{
    if (!m_placed) {
        m_placed = true;
        centreOnScreen(*this);
    }
    layoutWindow();
    m_drag.release();
    QWidget::showEvent(event);
}

void TFWykres::resizeEvent(QResizeEvent *event)
{
    layoutWindow();
    QWidget::resizeEvent(event);
}

bool TFWykres::eventFilter(QObject *watched, QEvent *event)
{
    const QEvent::Type type = event->type();
    const bool mouse = type == QEvent::MouseButtonPress || type == QEvent::MouseMove
            || type == QEvent::MouseButtonRelease;
    if (!mouse)
        return QWidget::eventFilter(watched, event);

    if (watched == m_LListwa) {
        if (type == QEvent::MouseButtonPress)
            LListwaMouseDown(globalPos(event));
        else if (type == QEvent::MouseMove)
            LListwaMouseMove(globalPos(event));
        else
            LListwaMouseUp();
        return false; // the label still reports its click
    }
    if (watched == m_PRozciong || watched == m_ImCiongnij) {
        if (type == QEvent::MouseButtonPress)
            PRozciongMouseDown(globalPos(event));
        else if (type == QEvent::MouseMove)
            PRozciongMouseMove(globalPos(event));
        else
            PRozciongMouseUp(globalPos(event));
        // The picture still reports its click; the panel's own events must
        // not reach the chart underneath, which would start panning.
        return watched == m_PRozciong;
    }
    if (watched == m_PWykresMenu) {
        const auto *mouseEvent = static_cast<QMouseEvent *>(event);
        if (type == QEvent::MouseButtonRelease
                && m_PWykresMenu->rect().contains(mouseEvent->position().toPoint()))
            PWykresMenuClick();
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

// ---- Drop-down ----

bool TFWykres::isChartMenuOpen() const
{
    return !m_PWykresMenu->isHidden();
}

TFWykres::ChartMenu TFWykres::chartMenu() const
{
    // The panel's height tells the two menus apart.
    return m_PWykresMenu->height() == kEditMenuHeight ? ChartMenu::Edit : ChartMenu::File;
}

void TFWykres::ShowChartMenu(ChartMenu menu)
{
    const bool wasOpen = isChartMenuOpen();
    if (menu == ChartMenu::File)
        m_PWykresMenu->setGeometry(kFileMenuLeft, kMenuTop, kMenuWidth, kFileMenuHeight);
    else
        m_PWykresMenu->setGeometry(kEditMenuLeft, kMenuTop, kMenuWidth, kEditMenuHeight);
    // A label with no row in the menu is hidden: in the edit menu "Zamknij"
    // would otherwise show the top of its letters in the panel's last rows.
    for (ClickableLabel *label : {m_LZapiszFormat, m_LWczytajFormat, m_LZapiszObraz,
                 m_LDrukujWykres, m_LZamknijWykres}) {
        const ChartMenuEntry *entry = chartMenuEntry(menu, label->objectName());
        label->setVisible(entry != nullptr);
        if (entry)
            label->setText(QString::fromUtf8(entry->caption));
    }
    for (ClickableLabel *label : {m_LZapiszFormat, m_LWczytajFormat})
        fitLabelWidth(label, 0);
    m_PWykresMenu->setAccessibleName(
            titleName(menu == ChartMenu::File ? ChartTitle::File : ChartTitle::Edit));
    m_PWykresMenu->raise();
    m_PWykresMenu->show();
    announceMenu(wasOpen);
}

void TFWykres::PWykresMenuClick()
{
    if (isChartMenuOpen()) {
        m_PWykresMenu->hide();
        announceMenu(true);
    }
}

void TFWykres::LWykresMenuPlikClick()
{
    ShowChartMenu(ChartMenu::File);
}

void TFWykres::LWykresMenuEdycjaClick()
{
    ShowChartMenu(ChartMenu::Edit);
}

template<typename F>
void TFWykres::runMenuItem(F &&command)
{
    // A failed command leaves the drop-down open; a cancelled dialog is no failure.
    if (runCommand(this, std::forward<F>(command)))
        PWykresMenuClick();
}

void TFWykres::runLabel(const ClickableLabel *label)
{
    if (const ChartMenuEntry *entry = chartMenuEntry(chartMenu(), label->objectName()))
        runEntry(*entry);
}

void TFWykres::runEntry(const ChartMenuEntry &entry)
{
    if (entry.hidesMenu)
        runMenuItem([this, &entry] { entry.command(*this); });
    else
        entry.command(*this);
}

void TFWykres::LZapiszFormatClick()
{
    runLabel(m_LZapiszFormat);
}

void TFWykres::LWczytajFormatClick()
{
    runLabel(m_LWczytajFormat);
}

void TFWykres::LZapiszObrazClick()
{
    runLabel(m_LZapiszObraz);
}

void TFWykres::LDrukujWykresClick()
{
    runLabel(m_LDrukujWykres);
}

void TFWykres::LZamknijWykresClick()
{
    // Only the window goes; the drop-down is still open when it shows again.
    runLabel(m_LZamknijWykres);
}

void TFWykres::LCloseWykresClick()
{
    hide();
}

void TFWykres::LWykresMenuFormatClick()
{
    PWykresMenuClick();
    SelectAppearanceTarget();
    if (QDialog *dialog = m_dialog.dialog) {
        // This window stays on top, so a dialog of its own must be tied to it
        // to come up above it rather than hidden behind it, blocking the input.
        if (!dialog->parentWidget() && windowHandle()) {
            dialog->winId();
            if (QWindow *handle = dialog->windowHandle())
                handle->setTransientParent(windowHandle());
        }
        dialog->exec();
    }
    // Whatever the dialog chose for the projection, the chart kind decides it.
    if (applyKindProjection(
                m_state.chartKind.ChartKind, m_state.appearances.CurrentAppearance, chart()))
        refreshChart();
    // Back from the dialog, the keyboard is where it was before the menu.
    setKeyboardCursor(std::nullopt, -1);
}

// ---- Moving and resizing ----

void TFWykres::LListwaMouseDown(QPoint globalPos)
{
    m_drag.press(globalPos);
}

void TFWykres::LListwaMouseMove(QPoint globalPos)
{
    m_drag.moveTo(*this, globalPos);
}

void TFWykres::LListwaMouseUp()
{
    m_drag.release();
}

void TFWykres::PRozciongMouseDown(QPoint globalPos)
{
    m_resizing = true;
    m_bandTopLeft = mapToGlobal(QPoint(0, 0));
    updateBand(globalPos);
    m_Rameczka->show();
}

void TFWykres::PRozciongMouseMove(QPoint globalPos)
{
    if (m_resizing)
        updateBand(globalPos);
}

void TFWykres::PRozciongMouseUp(QPoint globalPos)
{
    if (!m_resizing)
        return;
    updateBand(globalPos);
    m_resizing = false;
    m_Rameczka->hide();
    resize(std::max(kMinimumSize.width(), m_bandBottomRight.x() - m_bandTopLeft.x()),
            std::max(kMinimumSize.height(), m_bandBottomRight.y() - m_bandTopLeft.y()));
    // Lay out now rather than at the window system's resize event, so the grip
    // goes to the chart's new corner.
    layoutWindow();
    m_PRozciong->move(m_PPodWykres->width() - kGripInset, m_PPodWykres->height() - kGripInset);
}

void TFWykres::updateBand(QPoint globalPos)
{
    m_bandBottomRight = globalPos;
    m_Rameczka->setGeometry(QRect(m_bandTopLeft, m_bandBottomRight).normalized());
}

} // namespace zavevad
