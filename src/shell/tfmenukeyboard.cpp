// The drop-down menu's keyboard walk and what assistive technology asks of its
// items; kept apart from the mouse-driven menu so that both read the same
// item data, however many items the drop-downs hold.
#include "shell/tfmenu.h"

#include "shell/menutable.h"
#include "shell/shell.h"
#include "shell/tfglowny.h"
#include "ui/clickablelabel.h"
#include "ui/shellstyle.h"

#include <QAccessible>
#include <QKeyEvent>

namespace zavevad {

namespace {

/// The titles of the menu bar in their order on screen; the window menu
/// behind the icon is reached by the mouse and by its own buttons.
constexpr TFMenu::DropDown kFirstTitle = TFMenu::MenuPlik;
constexpr TFMenu::DropDown kLastTitle = TFMenu::MenuAbout;

} // namespace

const TFMenu::Item *TFMenu::findItem(const QWidget *widget) const
{
    for (const Panel &panel : m_panels) {
        for (const Item &item : panel.items) {
            if (item.label == widget)
                return &item;
        }
    }
    return nullptr;
}

bool TFMenu::itemLive(const Item &item) const
{
    return !item.entry->needsData() || dataLoaded();
}

int TFMenu::dropDownOfItem(const QWidget *widget) const
{
    for (int d = 0; d < int(m_panels.size()); ++d) {
        for (const Item &item : m_panels[std::size_t(d)].items) {
            if (item.label == widget)
                return d;
        }
    }
    return -1;
}

bool TFMenu::itemAvailable(const QWidget *widget) const
{
    const Item *item = findItem(widget);
    return item && itemLive(*item);
}

void TFMenu::triggerItem(const QWidget *widget)
{
    const Item *item = findItem(widget);
    if (item && itemLive(*item))
        runEntry(*item->entry);
}

QWidget *TFMenu::keyboardItem() const
{
    if (m_shown < 0 || m_keyboardItem < 0)
        return nullptr;
    const Panel &panel = m_panels[std::size_t(m_shown)];
    return m_keyboardItem < panel.items.size() ? panel.items[m_keyboardItem].label : nullptr;
}

QString TFMenu::shownTitle() const
{
    return shownDropDown() < 0 ? QString() : m_shell.glowny().menuTitle(m_shown);
}

void TFMenu::openByKeyboard(DropDown dropDown)
{
    showDropDown(dropDown);
    moveKeyboardCursor(0);
}

void TFMenu::setKeyboardItem(int index)
{
    Panel &panel = m_panels[std::size_t(m_shown)];
    m_keyboardItem = index;
    // The keyboard cursor looks like the mouse's highlight.
    for (int i = 0; i < panel.items.size(); ++i) {
        const Item &item = panel.items[i];
        if (takesPart(item))
            setItemColor(item.label,
                    i == index ? shellstyle::menuHighlighted() : shellstyle::menuNormal());
    }
    if (index >= 0)
        panel.items[index].label->setFocus(Qt::OtherFocusReason);
}

void TFMenu::moveKeyboardCursor(int step)
{
    if (m_shown < 0)
        return;
    const Panel &panel = m_panels[std::size_t(m_shown)];
    const int count = int(panel.items.size());
    if (count == 0)
        return;
    int index = step == 0 ? -1 : m_keyboardItem;
    const int direction = step < 0 ? -1 : 1;
    for (int tried = 0; tried < count; ++tried) {
        index = index < 0 && direction < 0 ? count - 1 : (index + direction + count) % count;
        if (itemLive(panel.items[index])) {
            setKeyboardItem(index);
            return;
        }
    }
    setKeyboardItem(-1);
}

void TFMenu::keyPressEvent(QKeyEvent *event)
{
    const int titles = kLastTitle - kFirstTitle + 1;
    const int title = m_shown < kFirstTitle ? -1 : m_shown - kFirstTitle;
    switch (event->key()) {
    case Qt::Key_Down:
        moveKeyboardCursor(1);
        break;
    case Qt::Key_Up:
        moveKeyboardCursor(-1);
        break;
    case Qt::Key_Right:
        openByKeyboard(DropDown(kFirstTitle + (title + 1) % titles));
        break;
    case Qt::Key_Left:
        openByKeyboard(
                DropDown(kFirstTitle + (title < 0 ? titles - 1 : (title + titles - 1) % titles)));
        break;
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Space:
        if (QWidget *item = keyboardItem())
            triggerItem(item);
        break;
    case Qt::Key_Escape:
    case Qt::Key_F10:
        closeMenu();
        break;
    default:
        QWidget::keyPressEvent(event);
        return;
    }
    event->accept();
}

void TFMenu::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    QAccessibleEvent started(this, QAccessible::PopupMenuStart);
    QAccessible::updateAccessibility(&started);
}

void TFMenu::hideEvent(QHideEvent *event)
{
    // The keyboard's highlight leaves with the menu, as the mouse's would.
    if (QWidget *item = keyboardItem())
        setItemColor(static_cast<ClickableLabel *>(item), shellstyle::menuNormal());
    m_keyboardItem = -1;
    QAccessibleEvent ended(this, QAccessible::PopupMenuEnd);
    QAccessible::updateAccessibility(&ended);
    QWidget::hideEvent(event);
}

} // namespace zavevad
