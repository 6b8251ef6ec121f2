#pragma once

#include <QList>
#include <QPoint>
#include <QSize>
#include <QWidget>

#include <array>

namespace zavevad {

class ClickableLabel;
class Shell;
struct MenuEntry;
struct MenuPanel;

/// The drop-down menu window: one frameless pop-up with six panels, of which
/// the one opened is shown under its label of the main window. It closes on
/// a click outside it (which on a menu label of the main window does nothing
/// else), on a click on its background, when the application loses activation
/// and before every command.
class TFMenu : public QWidget
{
    Q_OBJECT

public:
    enum DropDown { MenuTop, MenuPlik, MenuEdycja, MenuTabele, MenuWykresy, MenuAbout };

    /// Size and offset from the main window's `PTlo` of each drop-down.
    struct Placement
    {
        QSize size;
        QPoint offset;
    };
    static Placement placement(DropDown dropDown);

    explicit TFMenu(Shell &shell);
    ~TFMenu() override;

    /// A menu label of the main window was clicked: closes the menu when it is
    /// shown, else opens `dropDown` under the label.
    void LMenuClick(DropDown dropDown);
    /// Hides the menu window if it is shown.
    void closeMenu();
    /// The drop-down shown, or -1 when the window is hidden.
    int shownDropDown() const;
    /// Every item white with the hand cursor: the look set when the main window is shown.
    void resetLook();

    // ---- Keyboard and assistive technology (the items' own data) ----
    /// Opens `dropDown` (or switches the open menu to it) with the keyboard
    /// cursor on its first live item.
    void openByKeyboard(DropDown dropDown);
    /// The drop-down whose item `widget` is, or -1.
    int dropDownOfItem(const QWidget *widget) const;
    /// Whether the item `widget` can run now (not grey for want of results).
    bool itemAvailable(const QWidget *widget) const;
    /// Runs the item `widget` as its click would.
    void triggerItem(const QWidget *widget);
    /// The item under the keyboard cursor, or null.
    QWidget *keyboardItem() const;
    /// The title of the shown drop-down, empty when the menu is hidden.
    QString shownTitle() const;

    /// Runs the command of `entry` as a click on its item would: everything a
    /// menu item, its key and its accessible action run goes through here.
    void runEntry(const MenuEntry &entry);

    // Click handlers by the items' given names, each running its row of the
    // command table; `runEntry` runs any item.
    void LPlikOpenClick();
    void LPlikOpenKlasyClick();
    void LPlikSaveTxtClick();
    void LPlikSaveHtmlClick();
    void LPlikSavePdfClick();
    void LPlikSaveXlsxClick();
    void LEdycjaCopyHTMLClick();
    void LEdycjaCopyCSVClick();
    void LAnalizaCzasClick();
    void LAnalizaOcenyClick();
    void LAnalizaKlasyClick();

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void hideEvent(QHideEvent *event) override;

private:
    struct Item
    {
        ClickableLabel *label = nullptr;
        const MenuEntry *entry = nullptr;
    };

    struct Panel
    {
        QWidget *widget = nullptr;
        ClickableLabel *background = nullptr;
        QList<Item> items;
        /// The window menu: an item lights up alone, its sibling keeps its colour.
        bool highlightsAlone = false;
    };

    Panel &addPanel(const MenuPanel &panelShape);
    void addItem(Panel &panel, const MenuEntry &entry);
    void addSeparator(Panel &panel, int top);
    /// Runs the row of the item named `name`.
    void runNamed(const char *name);

    bool dataLoaded() const;
    bool takesPart(const Item &item) const;
    void itemHovered(Panel &panel, ClickableLabel *label);
    void backgroundHovered(Panel &panel);
    void updateAvailability(Panel &panel);
    static void setItemColor(ClickableLabel *label, const QColor &color);

    void showDropDown(DropDown dropDown);
    const Item *findItem(const QWidget *widget) const;
    bool itemLive(const Item &item) const;
    /// Moves the keyboard cursor `step` live items on (wrapping); 0 picks the first.
    void moveKeyboardCursor(int step);
    void setKeyboardItem(int index);

    Shell &m_shell;
    std::array<Panel, 6> m_panels;
    int m_shown = -1;
    /// The index of the keyboard cursor's item in the shown drop-down, or -1.
    int m_keyboardItem = -1;
};

} // namespace zavevad
