#include "shell/shellaccessible.h"

#include "charts/window/chartaccessible.h"
#include "charts/window/tfwykres.h"
#include "shell/tfglowny.h"
#include "shell/tfmenu.h"
#include "tables/view/gridaccessible.h"
#include "ui/accessiblerenew.h"
#include "ui/clickablelabel.h"
#include "ui/spineditaccessible.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QApplication>

#include <algorithm>

namespace zavevad {

namespace {

/// A label drawn over artwork: a menu title, a menu item, a picture button or
/// a picture. What it is depends on the window that holds it and is asked
/// anew each time, because the factory may be asked before the window has
/// finished listing its labels.
class ClickableLabelAccessible : public QAccessibleWidget
{
public:
    explicit ClickableLabelAccessible(ClickableLabel *label)
        : QAccessibleWidget(label, QAccessible::StaticText)
    { }

    QAccessible::Role role() const override
    {
        if (title() >= 0 || chartMenuTitle())
            return QAccessible::PopupMenu;
        if (item() || chartItem())
            return QAccessible::MenuItem;
        if (isButton())
            return QAccessible::Button;
        if (isPicture())
            return QAccessible::Graphic;
        return QAccessible::StaticText;
    }

    QString text(QAccessible::Text t) const override
    {
        const int dropDown = title();
        switch (t) {
        case QAccessible::Name:
            if (dropDown >= 0)
                return glowny()->menuTitle(dropDown);
            if (item() || chartMenuTitle() || chartFormatTitle() || chartItem())
                return label()->text();
            if (!label()->accessibleName().isEmpty())
                return label()->accessibleName();
            if (isPicture() && isButton())
                return label()->toolTip();
            return label()->text();
        case QAccessible::Description:
            if (item() || (isButton() && !isPicture()))
                return label()->toolTip();
            return {};
        default:
            return QAccessibleWidget::text(t);
        }
    }

    QAccessible::State state() const override
    {
        QAccessible::State s = QAccessibleWidget::state();
        if (const TFMenu *menu = item()) {
            s.disabled = !menu->itemAvailable(label());
            s.focusable = true;
            s.focused = menu->keyboardItem() == label();
        } else if (TFWykres *chartWindow = chartItem()) {
            s.focusable = true;
            s.focused = chartWindow->keyboardItem() == label();
        } else if (chartFormatTitle()) {
            s.focusable = true;
        } else if (title() >= 0 || chartMenuTitle()) {
            s.hasPopup = true;
        } else if (isPicture() && !isButton() && label()->accessibleName().isEmpty()) {
            // Artwork says nothing to a listener.
            s.invisible = true;
        }
        return s;
    }

    QStringList actionNames() const override
    {
        if (title() >= 0 || item() || isButton() || chartWindow())
            return {pressAction()};
        return {};
    }

    void doAction(const QString &actionName) override
    {
        if (actionName != pressAction())
            return;
        if (const int dropDown = title(); dropDown >= 0)
            glowny()->openMenuByKeyboard(dropDown);
        else if (TFMenu *menu = item())
            menu->triggerItem(label());
        else if (TFWykres *window = chartWindow())
            window->triggerLabel(label());
        else if (isButton())
            Q_EMIT label()->clicked();
    }

    QStringList keyBindingsForAction(const QString &) const override { return {}; }

private:
    ClickableLabel *label() const { return static_cast<ClickableLabel *>(widget()); }
    TFGlowny *glowny() const { return qobject_cast<TFGlowny *>(label()->window()); }
    int title() const
    {
        const TFGlowny *window = glowny();
        return window ? window->dropDownOfLabel(label()) : -1;
    }
    TFMenu *item() const
    {
        auto *menu = qobject_cast<TFMenu *>(label()->window());
        return menu && menu->dropDownOfItem(label()) >= 0 ? menu : nullptr;
    }
    /// The chart window of a label of its menu (a title or a shown item).
    TFWykres *chartWindow() const
    {
        auto *window = qobject_cast<TFWykres *>(label()->window());
        return window && (window->titleOfLabel(label()) || window->isShownItem(label())) ? window
                                                                                         : nullptr;
    }
    /// "Plik" or "Edycja" on the chart window's strip: menus of their own.
    bool chartMenuTitle() const
    {
        const TFWykres *window = chartWindow();
        const auto title = window ? window->titleOfLabel(label()) : std::nullopt;
        return title && *title != TFWykres::ChartTitle::Format;
    }
    /// "Formatuj" on the chart window's strip: an item that opens a dialog.
    TFWykres *chartFormatTitle() const
    {
        TFWykres *window = chartWindow();
        const auto title = window ? window->titleOfLabel(label()) : std::nullopt;
        return title == TFWykres::ChartTitle::Format ? window : nullptr;
    }
    TFWykres *chartItem() const
    {
        TFWykres *window = chartWindow();
        return window && window->isShownItem(label()) ? window : nullptr;
    }
    /// No word on it: a picture, or a sign such as "[X]".
    bool isPicture() const
    {
        const QString text = label()->text();
        return std::count_if(text.cbegin(), text.cend(), [](QChar c) { return c.isLetter(); }) < 2;
    }
    /// A label whose click does something and that says what: a button. A
    /// picture says it with its tool tip or accessible name, a text with itself.
    bool isButton() const
    {
        if (!label()->isClickable())
            return false;
        return !isPicture() || !label()->toolTip().isEmpty()
                || !label()->accessibleName().isEmpty();
    }
};

/// The drop-down window: a menu named after its title.
class MenuWindowAccessible : public QAccessibleWidget
{
public:
    explicit MenuWindowAccessible(TFMenu *menu)
        : QAccessibleWidget(menu, QAccessible::PopupMenu) { }

    QString text(QAccessible::Text t) const override
    {
        if (t == QAccessible::Name)
            return static_cast<TFMenu *>(widget())->shownTitle();
        return QAccessibleWidget::text(t);
    }

    QAccessibleInterface *focusChild() const override
    {
        if (QWidget *item = static_cast<TFMenu *>(widget())->keyboardItem())
            return QAccessible::queryAccessibleInterface(item);
        return QAccessibleWidget::focusChild();
    }

    /// A pop-up is no child of the application for assistive technology: the
    /// open drop-down belongs to the main window, so a reader finds it there.
    QAccessibleInterface *parent() const override
    {
        if (TFGlowny *main = mainWindow())
            return QAccessible::queryAccessibleInterface(main);
        return QAccessibleWidget::parent();
    }

private:
    static TFGlowny *mainWindow()
    {
        const QWidgetList windows = QApplication::topLevelWidgets();
        for (QWidget *window : windows) {
            if (auto *main = qobject_cast<TFGlowny *>(window))
                return main;
        }
        return nullptr;
    }
};

/// The focus holder is no control a user can see or use: hidden, nameless.
class FocusHolderAccessible : public QAccessibleWidget
{
public:
    explicit FocusHolderAccessible(QWidget *button) : QAccessibleWidget(button, QAccessible::Client)
    { }

    QString text(QAccessible::Text) const override { return {}; }
    QAccessible::State state() const override
    {
        QAccessible::State s;
        s.invisible = true;
        s.offscreen = true;
        return s;
    }
    QStringList actionNames() const override { return {}; }
};

/// A frameless top-level window of ours is a window (a frame) to assistive
/// technology, named by its title, which it can bring forward.
class TopWindowAccessible : public QAccessibleWidget
{
public:
    explicit TopWindowAccessible(QWidget *window) : QAccessibleWidget(window, QAccessible::Window)
    { }

    QStringList actionNames() const override { return {setFocusAction()}; }
    void doAction(const QString &actionName) override
    {
        if (actionName != setFocusAction())
            return;
        widget()->raise();
        widget()->activateWindow();
    }

    // The main window's open drop-down is its last child.
    int childCount() const override
    {
        return QAccessibleWidget::childCount() + (openMenu() ? 1 : 0);
    }
    QAccessibleInterface *child(int index) const override
    {
        const int own = QAccessibleWidget::childCount();
        if (index == own && openMenu())
            return QAccessible::queryAccessibleInterface(openMenu());
        return QAccessibleWidget::child(index);
    }
    int indexOfChild(const QAccessibleInterface *child) const override
    {
        if (child && openMenu() && child->object() == openMenu())
            return QAccessibleWidget::childCount();
        return QAccessibleWidget::indexOfChild(child);
    }

private:
    TFMenu *openMenu() const
    {
        if (!qobject_cast<TFGlowny *>(widget()))
            return nullptr;
        const QWidgetList windows = QApplication::topLevelWidgets();
        for (QWidget *window : windows) {
            auto *menu = qobject_cast<TFMenu *>(window);
            if (menu && menu->isVisible())
                return menu;
        }
        return nullptr;
    }
};

QAccessibleInterface *shellFactory(const QString &className, QObject *object)
{
    auto *widget = qobject_cast<QWidget *>(object);
    if (!widget)
        return nullptr;
    if (className == QLatin1String(ClickableLabel::staticMetaObject.className()))
        return new ClickableLabelAccessible(static_cast<ClickableLabel *>(widget));
    if (className == QLatin1String(TFGlowny::staticMetaObject.className())
            || className == QLatin1String(TFWykres::staticMetaObject.className()))
        return new TopWindowAccessible(widget);
    if (className == QLatin1String(TFMenu::staticMetaObject.className()))
        return new MenuWindowAccessible(static_cast<TFMenu *>(widget));
    if (className == QLatin1String("QPushButton")) {
        const auto *window = qobject_cast<const TFGlowny *>(widget->window());
        if (window && window->focusHolder() == widget)
            return new FocusHolderAccessible(widget);
    }
    return nullptr;
}

} // namespace

void installAccessibility()
{
    static bool installed = false;
    if (!installed) {
        installed = true;
        QAccessible::installFactory(shellFactory);
        QAccessible::installFactory(gridAccessibleFactory);
        QAccessible::installFactory(chart::chartAccessibleFactory);
        QAccessible::installFactory(spinEditAccessibleFactory);
    }
    // The windows are complete now: what they said while being built is asked again.
    const QWidgetList widgets = QApplication::allWidgets();
    for (QWidget *widget : widgets)
        renewAccessibleInterface(widget);
}

} // namespace zavevad
