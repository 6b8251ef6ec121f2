#pragma once

#include "results/analysisstate.h"

#include <QList>
#include <QPointer>
#include <QWidget>

class QMimeData;
class QPushButton;

namespace zavevad {

class ClickableLabel;
class Shell;
class TablePanel;

/// The main window: frameless and black over the desktop work area, with the
/// artwork panel `PTlo` centred in it. Its menu bar is drawn as labels that
/// open the drop-downs of the menu window; the table panel shows the grid.
class TFGlowny : public QWidget
{
    Q_OBJECT

public:
    static constexpr QSize kPTloSize{750, 560};
    /// The caption before any load.
    static QString defaultCaption();
    /// The caption after a load of `testName`.
    static QString loadedCaption(const QString &testName);

    /// Top-left corner that centres `inner` in `outer`, halves rounded to even.
    static QPoint centredOrigin(QSize outer, QSize inner);

    explicit TFGlowny(Shell &shell);
    ~TFGlowny() override;

    /// The artwork panel; the drop-downs are placed relative to it.
    QWidget *PTlo() const { return m_PTlo; }
    /// The table panel, shown after the first successful load.
    TablePanel *PTabela() const { return m_PTabela; }
    /// Whether `widget` is one of the labels that open a drop-down.
    bool isMenuLabel(const QWidget *widget) const;
    /// The drop-down (TFMenu::DropDown) that the menu label `widget` opens, or -1.
    int dropDownOfLabel(const QWidget *widget) const;
    /// The title of a drop-down as assistive technology names it.
    QString menuTitle(int dropDown) const;
    /// Opens a drop-down with the keyboard cursor in it (a title's press action).
    void openMenuByKeyboard(int dropDown);
    /// The button that holds the keyboard focus out of sight.
    QWidget *focusHolder() const;

    /// The show-time set-up: start directory, placement, centring, thresholds, resets.
    void FormShow();
    void FormKeyDown(QKeyEvent *event);

    void LMTopClick();
    void LMenuPlikClick();
    void LMenuEdycjaClick();
    void LMenuTabeleClick();
    void LMenuWykresyClick();
    void LMenuAboutClick();
    void ImTloGlownyClick();
    void LMinimizeClick();
    void LCloseClick();

    /// The load of a set of result files, run by "Wczytaj wyniki testu ...".
    void Wczytaj();
    /// The load of the classes in the subfolders of one folder, run by
    /// "Wczytaj klasy z folderu ...".
    void WczytajKlasy();
    /// The load after the dialog: reads `paths` in this order, shows the
    /// warnings (naming `unreadableFolders`, class folders left out) and,
    /// when the whole load succeeded, the results table.
    void loadFiles(const QStringList &paths, const QStringList &unreadableFolders = {});
    /// The load of several tests of one class, run by "Wczytaj testy z
    /// folderu ...".
    void WczytajTesty();
    /// Loads every test in `folder` and its subfolders: the other tables show
    /// the newest as if it alone had been loaded, the prompt says how many
    /// tests were found. A bad file changes nothing.
    void loadTests(const QString &folder);
    /// The folder of `--testy`, loaded once the event loop runs.
    void openTestsFolder(const QString &folder);
    /// Files and folders from the command line or a drop, opened once the
    /// event loop runs: result files and folders load as one set, a format
    /// template (`*.ssw`) waits for the first chart.
    void openPaths(const QStringList &paths);
    /// The local files and folders of a drag that the window takes: result
    /// files, folders and templates; empty when it takes none of them.
    static QStringList droppablePaths(const QMimeData *data);
    /// Shows the table of `kind` (1, 2, 3, 4) and makes it the current table mode.
    void PokazTabele(TableKind kind);

    /// Ends the program: the message loop stops, nothing is asked or saved.
    static void terminate();
    /// Minimises the application: the main window, and its other open windows
    /// leave the screen with it until it is restored.
    void minimizeApplication();

protected:
    void showEvent(QShowEvent *event) override;
    void changeEvent(QEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dropEvent(QDropEvent *event) override;

private:
    /// The results table of the test just committed, and its caption.
    void showLoadedTest(const QString &testName);
    ClickableLabel *addLabel(const char *name, const QString &caption, QPoint pos);
    void placeTablePanel();
    Shell &m_shell;
    QWidget *m_PTlo = nullptr;
    ClickableLabel *m_ImTloGlowny = nullptr;
    ClickableLabel *m_LTopKomentarz = nullptr;
    TablePanel *m_PTabela = nullptr;
    QPushButton *m_ZZBFocus = nullptr;
    QList<const QWidget *> m_menuLabels;
    /// The windows hidden by the last minimise, shown again on restore.
    QList<QPointer<QWidget>> m_hiddenWhileMinimized;
};

} // namespace zavevad
