// The chart window by keyboard: its menu walked as the main window's is (F10
// or Alt alone, the arrows, Enter, Escape), the items' keys, and what
// assistive technology hears of the menu. The items' commands are the rows of
// the chart window's command table, whatever runs them.
#include "charts/window/tfwykres.h"

#include "charts/window/chartmenutable.h"
#include "charts/window/chartwidget.h"
#include "ui/clickablelabel.h"
#include "ui/shellstyle.h"

#include <QAccessible>
#include <QApplication>
#include <QKeyEvent>
#include <QShortcut>

namespace zavevad {

namespace {

constexpr int kTitleCount = 3;

bool isMenuKey(const QKeyEvent &event)
{
    return event.key() == Qt::Key_F10 && event.modifiers() == Qt::NoModifier;
}

} // namespace

void TFWykres::installKeys()
{
    for (const ChartMenuEntry &entry : chartMenuEntries()) {
        if (entry.key == QKeyCombination())
            continue;
        auto *shortcut = new QShortcut(QKeySequence(entry.key), this);
        shortcut->setContext(Qt::WindowShortcut);
        connect(shortcut, &QShortcut::activated, this, [this, &entry] { runEntry(entry); });
    }
    auto *format = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_F), this);
    format->setContext(Qt::WindowShortcut);
    connect(format, &QShortcut::activated, this, &TFWykres::LWykresMenuFormatClick);
}

ClickableLabel *TFWykres::titleLabel(ChartTitle title) const
{
    switch (title) {
    case ChartTitle::File:
        return m_LWykresMenuPlik;
    case ChartTitle::Edit:
        return m_LWykresMenuEdycja;
    case ChartTitle::Format:
        return m_LWykresMenuFormat;
    }
    return nullptr;
}

QString TFWykres::titleName(ChartTitle title) const
{
    return titleLabel(title)->text();
}

std::optional<TFWykres::ChartTitle> TFWykres::titleOfLabel(const QWidget *label) const
{
    for (ChartTitle title : {ChartTitle::File, ChartTitle::Edit, ChartTitle::Format}) {
        if (label && titleLabel(title) == label)
            return title;
    }
    return std::nullopt;
}

QList<ClickableLabel *> TFWykres::shownItems() const
{
    QList<ClickableLabel *> items;
    if (!isChartMenuOpen())
        return items;
    for (ClickableLabel *label : {m_LZapiszFormat, m_LWczytajFormat, m_LZapiszObraz,
                 m_LDrukujWykres, m_LZamknijWykres}) {
        if (!label->isHidden())
            items.append(label);
    }
    return items;
}

bool TFWykres::isShownItem(const QWidget *label) const
{
    const QList<ClickableLabel *> items = shownItems();
    return std::find(items.begin(), items.end(), label) != items.end();
}

QString TFWykres::shownMenuTitle() const
{
    if (!isChartMenuOpen())
        return {};
    return titleName(chartMenu() == ChartMenu::File ? ChartTitle::File : ChartTitle::Edit);
}

QWidget *TFWykres::keyboardItem() const
{
    if (!m_keyboardTitle)
        return nullptr;
    if (*m_keyboardTitle == ChartTitle::Format)
        return m_LWykresMenuFormat;
    return shownItems().value(m_keyboardItem);
}

void TFWykres::setKeyboardCursor(std::optional<ChartTitle> title, int item)
{
    m_keyboardTitle = title;
    m_keyboardItem = item;
    // The keyboard cursor looks like the mouse's highlight; the label's own
    // focus frame marks it too, as the colours alone differ too little.
    const QWidget *cursor = keyboardItem();
    for (ClickableLabel *label : {m_LZapiszFormat, m_LWczytajFormat, m_LZapiszObraz,
                 m_LDrukujWykres, m_LZamknijWykres, m_LWykresMenuFormat}) {
        QPalette palette = label->palette();
        palette.setColor(QPalette::WindowText,
                label == cursor ? shellstyle::menuHighlighted() : shellstyle::menuNormal());
        label->setPalette(palette);
    }
    if (QWidget *label = keyboardItem())
        label->setFocus(Qt::OtherFocusReason);
    else if (isVisible())
        m_Wykres->setFocus(Qt::OtherFocusReason);
}

void TFWykres::openMenuByKeyboard(ChartTitle title)
{
    switch (title) {
    case ChartTitle::File:
        ShowChartMenu(ChartMenu::File);
        break;
    case ChartTitle::Edit:
        ShowChartMenu(ChartMenu::Edit);
        break;
    case ChartTitle::Format:
        PWykresMenuClick();
        break;
    }
    setKeyboardCursor(title, title == ChartTitle::Format ? -1 : 0);
}

void TFWykres::closeMenuByKeyboard()
{
    PWykresMenuClick();
    setKeyboardCursor(std::nullopt, -1);
}

void TFWykres::moveKeyboardItem(int step)
{
    const int count = int(shownItems().size());
    if (count == 0)
        return;
    setKeyboardCursor(m_keyboardTitle, (m_keyboardItem + step + count) % count);
}

void TFWykres::triggerLabel(const QWidget *label)
{
    if (const std::optional<ChartTitle> title = titleOfLabel(label)) {
        if (*title == ChartTitle::Format)
            LWykresMenuFormatClick();
        else
            openMenuByKeyboard(*title);
        return;
    }
    if (!isShownItem(label))
        return;
    const bool walking = m_keyboardTitle.has_value();
    runLabel(static_cast<const ClickableLabel *>(label));
    // The walk ends with the menu; a failed command leaves both as they were.
    if (walking && !isChartMenuOpen())
        setKeyboardCursor(std::nullopt, -1);
}

bool TFWykres::walkMenu(const QKeyEvent &event)
{
    const int title = int(*m_keyboardTitle);
    switch (event.key()) {
    case Qt::Key_Down:
        if (*m_keyboardTitle == ChartTitle::Format)
            LWykresMenuFormatClick();
        else
            moveKeyboardItem(1);
        return true;
    case Qt::Key_Up:
        if (*m_keyboardTitle != ChartTitle::Format)
            moveKeyboardItem(-1);
        return true;
    case Qt::Key_Right:
        openMenuByKeyboard(ChartTitle((title + 1) % kTitleCount));
        return true;
    case Qt::Key_Left:
        openMenuByKeyboard(ChartTitle((title + kTitleCount - 1) % kTitleCount));
        return true;
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Space:
        if (QWidget *item = keyboardItem())
            triggerLabel(item);
        return true;
    case Qt::Key_Escape:
        closeMenuByKeyboard();
        return true;
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
        // The menu is left as a desktop's menu is: the focus goes back to the chart.
        closeMenuByKeyboard();
        return true;
    default:
        return false;
    }
}

void TFWykres::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Alt) {
        if (!event->isAutoRepeat())
            m_altAlone = (event->modifiers() & ~Qt::AltModifier) == Qt::NoModifier;
        QWidget::keyPressEvent(event);
        return;
    }
    m_altAlone = false;
    if (isMenuKey(*event)) {
        if (m_keyboardTitle || isChartMenuOpen())
            closeMenuByKeyboard();
        else
            openMenuByKeyboard(ChartTitle::File);
        event->accept();
        return;
    }
    if (m_keyboardTitle && walkMenu(*event)) {
        event->accept();
        return;
    }
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        // A drop-down the mouse opened goes first, then the window.
        if (isChartMenuOpen())
            closeMenuByKeyboard();
        else
            LCloseWykresClick();
        event->accept();
        return;
    }
    if (event->key() == Qt::Key_F4 && event->modifiers() == Qt::AltModifier) {
        // Where no window manager closes the window, it closes itself.
        LCloseWykresClick();
        event->accept();
        return;
    }
    QWidget::keyPressEvent(event);
}

void TFWykres::keyReleaseEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Alt && !event->isAutoRepeat() && m_altAlone) {
        m_altAlone = false;
        if (m_keyboardTitle || isChartMenuOpen())
            closeMenuByKeyboard();
        else
            openMenuByKeyboard(ChartTitle::File);
        event->accept();
        return;
    }
    QWidget::keyReleaseEvent(event);
}

void TFWykres::hideEvent(QHideEvent *event)
{
    // The keyboard's cursor leaves with the window; the drop-down stays.
    setKeyboardCursor(std::nullopt, -1);
    m_altAlone = false;
    QWidget::hideEvent(event);
}

void TFWykres::announceMenu(bool wasOpen)
{
    const bool open = isChartMenuOpen();
    if (open == wasOpen) {
        if (open) {
            QAccessibleEvent renamed(m_PWykresMenu, QAccessible::NameChanged);
            QAccessible::updateAccessibility(&renamed);
        }
        return;
    }
    QAccessibleEvent event(
            m_PWykresMenu, open ? QAccessible::PopupMenuStart : QAccessible::PopupMenuEnd);
    QAccessible::updateAccessibility(&event);
}

} // namespace zavevad
