#include "shell/tfglowny.h"

#include "charts/window/tfwykres.h"
#include "platform/help.h"
#include "platform/nativename.h"
#include "platform/platform.h"
#include "results/loader.h"
#include "results/reportnotes.h"
#include "results/resultpaths.h"
#include "results/rounding.h"
#include "results/thresholds.h"
#include "shell/artwork.h"
#include "shell/shell.h"
#include "shell/tfmenu.h"
#include "shell/tfmonit.h"
#include "tables/view/tablepanel.h"
#include "ui/clickablelabel.h"
#include "ui/dropascopy.h"
#include "ui/runcommand.h"
#include "ui/shellstyle.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QDropEvent>
#include <QFile>
#include <QFileInfo>
#include <QKeyEvent>
#include <QMimeData>
#include <QPushButton>
#include <QScreen>
#include <QShowEvent>
#include <QUrl>

#include <algorithm>
#include <filesystem>
#include <system_error>
#include <utility>

namespace zavevad {

QString TFGlowny::defaultCaption()
{
    return QStringLiteral("Kalmo - Zavevad - Program do analizy wyników testu wyboru");
}

QString TFGlowny::loadedCaption(const QString &testName)
{
    return QStringLiteral("Kalmo - Zavevad - Przetwarzanie testu: ") + testName;
}

QPoint TFGlowny::centredOrigin(QSize outer, QSize inner)
{
    // round((outer - inner) / 2) with halves to the even neighbour.
    return {static_cast<int>(roundHalfEven(outer.width() - inner.width(), 2)),
            static_cast<int>(roundHalfEven(outer.height() - inner.height(), 2))};
}

TFGlowny::TFGlowny(Shell &shell)
    : QWidget(nullptr, Qt::Window | Qt::FramelessWindowHint), m_shell(shell)
{
    setObjectName(QStringLiteral("FGlowny"));
    setWindowTitle(shellstyle::applicationTitle());
    setWindowIcon(artwork::applicationIcon());
    setFont(shellstyle::windowFont());
    resize(785, 556);
    setAutoFillBackground(true);
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, Qt::black);
    setPalette(palette);

    m_PTlo = new QWidget(this);
    m_PTlo->setObjectName(QStringLiteral("PTlo"));
    m_PTlo->setFixedSize(kPTloSize);

    m_ImTloGlowny = new ClickableLabel(m_PTlo);
    m_ImTloGlowny->setObjectName(QStringLiteral("ImTloGlowny"));
    m_ImTloGlowny->setGeometry(0, 0, kPTloSize.width(), kPTloSize.height());
    artwork::setPicture(*m_ImTloGlowny, QStringLiteral("glowny"), kPTloSize);
    connect(m_ImTloGlowny, &ClickableLabel::clicked, this, &TFGlowny::ImTloGlownyClick);

    ClickableLabel *top = addLabel("LMTop", QString(), {8, 2});
    top->resize(14, 14);
    connect(top, &ClickableLabel::clicked, this, &TFGlowny::LMTopClick);
    m_menuLabels.append(top);
    ClickableLabel *minimize = addLabel("LMinimize", QString(), {702, 3});
    minimize->resize(14, 14);
    minimize->setToolTip(QStringLiteral("Minimalizuj"));
    connect(minimize, &ClickableLabel::clicked, this, &TFGlowny::LMinimizeClick);
    ClickableLabel *close = addLabel("LClose", QString(), {722, 4});
    close->resize(14, 14);
    close->setToolTip(QStringLiteral("Zamknij"));
    connect(close, &ClickableLabel::clicked, this, &TFGlowny::LCloseClick);

    m_LTopKomentarz = addLabel("LTopKomentarz", defaultCaption(), {40, 3});
    m_LTopKomentarz->resize(481, m_LTopKomentarz->sizeHint().height());
    m_LTopKomentarz->setCursor(Qt::ArrowCursor);
    m_LTopKomentarz->setStyleSheet(QStringLiteral("color: rgb(232, 236, 240);"));
    // The caption is part of the title band: a click on it is a click on the artwork.
    m_LTopKomentarz->setAttribute(Qt::WA_TransparentForMouseEvents);

    struct MenuLabel
    {
        const char *name;
        const char *caption;
        int left;
        void (TFGlowny::*handler)();
    };
    static const MenuLabel menuLabels[] = {
            {"LMenuPlik", "Plik", 20, &TFGlowny::LMenuPlikClick},
            {"LMenuEdycja", "Edycja", 67, &TFGlowny::LMenuEdycjaClick},
            {"LMenuTabele", "Tabele", 120, &TFGlowny::LMenuTabeleClick},
            {"LMenuWykresy", "Wykresy", 175, &TFGlowny::LMenuWykresyClick},
            {"LMenuAbout", "O programie", 237, &TFGlowny::LMenuAboutClick},
    };
    for (const MenuLabel &item : menuLabels) {
        ClickableLabel *label =
                addLabel(item.name, QString::fromUtf8(item.caption), {item.left, 27});
        label->setStyleSheet(QStringLiteral("color: rgb(255, 255, 255);"));
        connect(label, &ClickableLabel::clicked, this, item.handler);
        m_menuLabels.append(label);
    }

    Session &session = m_shell.session();
    m_PTabela = new TablePanel(
            session.grid, session.gridState, session.itemAnalysisStash, session.analysis, m_PTlo);
    m_PTabela->setObjectName(QStringLiteral("PTabela"));
    m_PTabela->move(36, 192);
    m_PTabela->hide();

    // Holds the keyboard focus out of sight, so no visible control looks focused.
    m_ZZBFocus = new QPushButton(QStringLiteral("ZZBFocus"), m_PTlo);
    m_ZZBFocus->setObjectName(QStringLiteral("ZZBFocus"));
    m_ZZBFocus->move(1500, 184);
    // Tab never lands on it: a keyboard or screen reader user would meet nothing.
    m_ZZBFocus->setFocusPolicy(Qt::NoFocus);

    setAcceptDrops(true);
}

TFGlowny::~TFGlowny() = default;

bool TFGlowny::isMenuLabel(const QWidget *widget) const
{
    return widget && m_menuLabels.contains(widget);
}

int TFGlowny::dropDownOfLabel(const QWidget *widget) const
{
    // The labels were added in the order of TFMenu::DropDown.
    return widget ? int(m_menuLabels.indexOf(widget)) : -1;
}

QString TFGlowny::menuTitle(int dropDown) const
{
    if (dropDown == TFMenu::MenuTop)
        return QStringLiteral("Menu okna");
    const auto *label = qobject_cast<const QLabel *>(m_menuLabels.value(dropDown));
    return label ? label->text() : QString();
}

void TFGlowny::openMenuByKeyboard(int dropDown)
{
    if (dropDown >= 0 && dropDown < m_menuLabels.size())
        m_shell.menu().openByKeyboard(TFMenu::DropDown(dropDown));
}

QWidget *TFGlowny::focusHolder() const
{
    return m_ZZBFocus;
}

ClickableLabel *TFGlowny::addLabel(const char *name, const QString &caption, QPoint pos)
{
    auto *label = new ClickableLabel(caption, m_PTlo);
    label->setObjectName(QLatin1String(name));
    label->move(pos);
    label->adjustSize();
    label->setCursor(Qt::PointingHandCursor);
    return label;
}

void TFGlowny::showEvent(QShowEvent *event)
{
    // The window system's own show events (a restore from the task bar) are
    // no new start: they must not reset the loaded results.
    if (!event->spontaneous())
        FormShow();
    QWidget::showEvent(event);
}

void TFGlowny::FormShow()
{
    Session &session = m_shell.session();
    session.analysis.startDirectory = QDir::currentPath();

    QRect workArea(0, 0, 785, 556);
    if (const QScreen *screen = QGuiApplication::primaryScreen())
        workArea = screen->availableGeometry();
    setGeometry(workArea);
    m_PTlo->move(centredOrigin(workArea.size(), kPTloSize));

    session.analysis.thresholds = loadThresholds(session.analysis.startDirectory);

    session.gridState.firstQuestionPage = true;
    m_shell.menu().resetLook();
    session.analysis.dataLoaded = false;
    session.gridState.reset();
    session.analysis.students.clear();
    session.analysis.studentCount = 0;
    session.gridState.tableKind = TableNone;

    // The window itself holds the focus until a table takes it: a reader
    // names the window, never the hidden filler, which takes no focus.
    setFocus(Qt::OtherFocusReason);
}

void TFGlowny::keyPressEvent(QKeyEvent *event)
{
    FormKeyDown(event);
    if (!event->isAccepted())
        QWidget::keyPressEvent(event);
}

void TFGlowny::FormKeyDown(QKeyEvent *event)
{
    if (event->key() == Qt::Key_F1) {
        runCommand(this, [this] { openHelp(m_shell.session().analysis.startDirectory); });
        event->accept();
        return;
    }
    event->ignore();
}

void TFGlowny::LMTopClick()
{
    m_shell.menu().LMenuClick(TFMenu::MenuTop);
}

void TFGlowny::LMenuPlikClick()
{
    m_shell.menu().LMenuClick(TFMenu::MenuPlik);
}

void TFGlowny::LMenuEdycjaClick()
{
    m_shell.menu().LMenuClick(TFMenu::MenuEdycja);
}

void TFGlowny::LMenuTabeleClick()
{
    m_shell.menu().LMenuClick(TFMenu::MenuTabele);
}

void TFGlowny::LMenuWykresyClick()
{
    m_shell.menu().LMenuClick(TFMenu::MenuWykresy);
}

void TFGlowny::LMenuAboutClick()
{
    m_shell.menu().LMenuClick(TFMenu::MenuAbout);
}

void TFGlowny::ImTloGlownyClick()
{
    m_shell.menu().closeMenu();
}

void TFGlowny::LMinimizeClick()
{
    m_shell.menu().closeMenu();
    minimizeApplication();
}

void TFGlowny::LCloseClick()
{
    terminate();
}

void TFGlowny::closeEvent(QCloseEvent *event)
{
    // The window system closing the main window ends the program, like its
    // "Zamknij" controls, also while the chart window is still open.
    QWidget::closeEvent(event);
    if (event->isAccepted())
        terminate();
}

void TFGlowny::terminate()
{
    QCoreApplication::quit();
}

void TFGlowny::minimizeApplication()
{
    // The chart window stays on top of everything: left on the desktop it
    // would float over the other programs while the application is minimised.
    m_hiddenWhileMinimized.clear();
    const QWidgetList windows = QApplication::topLevelWidgets();
    for (QWidget *window : windows) {
        const Qt::WindowType type = window->windowType();
        if (window != this && window->isVisible() && (type == Qt::Window || type == Qt::Dialog)) {
            m_hiddenWhileMinimized.append(window);
            window->hide();
        }
    }
    showMinimized();
}

void TFGlowny::changeEvent(QEvent *event)
{
    QWidget::changeEvent(event);
    if (event->type() != QEvent::WindowStateChange || isMinimized())
        return;
    const QList<QPointer<QWidget>> hidden = std::exchange(m_hiddenWhileMinimized, {});
    for (const QPointer<QWidget> &window : hidden) {
        if (window)
            window->show();
    }
}

void TFGlowny::Wczytaj()
{
    Platform &platform = Platform::current();
    const std::optional<QStringList> paths = platform.openFiles(QStringLiteral("Wybierz pliki"),
            QStringLiteral("Pliki wyniku testu (*.dat)|*.dat"),
            platform.dialogFolder(m_shell.session().analysis.startDirectory));
    if (!paths || paths->isEmpty())
        return;
    platform.rememberFolder(paths->constFirst());
    loadFiles(*paths);
}

void TFGlowny::WczytajKlasy()
{
    Platform &platform = Platform::current();
    const std::optional<QString> folder = platform.openFolder(QStringLiteral("Wybierz folder klas"),
            platform.dialogFolder(m_shell.session().analysis.startDirectory));
    if (!folder || folder->isEmpty())
        return;
    const ResultPaths listed = listClassFolders(*folder);
    const QStringList &paths = listed.files;
    if (paths.isEmpty() && !listed.unreadableFolders.isEmpty()) {
        m_shell.Monit(TFMonit::ModeMessage, unreadableFoldersWarning(listed.unreadableFolders));
        return;
    }
    if (paths.isEmpty()) {
        m_shell.Monit(TFMonit::ModeMessage,
                QStringLiteral("W folderze ") + QDir::toNativeSeparators(*folder)
                        + QStringLiteral(
                                " ani w jego podfolderach nie ma plików wyników (*.dat)."));
        return;
    }
    // As for a drop: the folder the files came from is the one the user works in.
    platform.rememberFolder(paths.constFirst());
    loadFiles(paths, listed.unreadableFolders);
}

void TFGlowny::loadFiles(const QStringList &paths, const QStringList &unreadableFolders)
{
    Session &session = m_shell.session();
    // The files are read into a new set; the live state changes only when the
    // whole load succeeded, so a bad file leaves screen and data as they were.
    LoadOutcome outcome = loadResults(paths, session.analysis.thresholds);
    if (outcome.status == LoadStatus::BadFile) {
        m_shell.Monit(TFMonit::ModeMessage, badFileWarning(paths.value(outcome.failedIndex)));
        return;
    }
    if (!outcome.loaded())
        return;
    if (outcome.otherTestsSkipped)
        m_shell.Monit(TFMonit::ModeMessage, sameTestWarning(outcome.testName));
    if (!outcome.otherCountFiles.isEmpty())
        m_shell.Monit(TFMonit::ModeMessage,
                otherCountWarning(
                        outcome.testName, outcome.set.questionCount, outcome.otherCountFiles));
    if (!unreadableFolders.isEmpty())
        m_shell.Monit(TFMonit::ModeMessage, unreadableFoldersWarning(unreadableFolders));
    if (!outcome.blueprint.warning.isEmpty())
        m_shell.Monit(TFMonit::ModeMessage, outcome.blueprint.warning);

    const QString testName = outcome.testName;
    commitLoad(std::move(outcome), session.analysis);
    // No save may replace a file the load read, nor the teacher's notes
    // beside it (only their own dialog writes them).
    session.loadedInputs =
            paths + sideInputPaths(paths.constFirst(), session.analysis.startDirectory);
    const QString notesWarning = readReportNotes(session.analysis.blueprintFolder).warning;
    if (!notesWarning.isEmpty())
        m_shell.Monit(TFMonit::ModeMessage, notesWarning);
    showLoadedTest(testName);
}

void TFGlowny::showLoadedTest(const QString &testName)
{
    PokazTabele(TableResults);
    m_LTopKomentarz->setText(loadedCaption(testName));
    m_shell.session().analysis.dataLoaded = true;
    if (m_PTabela->isHidden())
        m_PTabela->show();
}

void TFGlowny::PokazTabele(TableKind kind)
{
    // The one place the window's shown table changes: the grid, then the
    // mode the charts read.
    m_PTabela->showTable(kind);
    placeTablePanel();
    m_shell.session().analysis.tableMode = kind;
}

namespace {

bool isTemplateFile(const QString &path)
{
    return path.endsWith(QLatin1String(".ssw"), Qt::CaseInsensitive);
}

// The local path of a dropped URL. A name in no valid encoding comes
// percent-encoded byte by byte; its bytes are kept so that it still opens.
QString localPathOf(const QUrl &url)
{
    if (!url.isLocalFile())
        return QString();
    const QString path = url.toLocalFile();
#ifndef Q_OS_WIN
    const QByteArray bytes =
            QByteArray::fromPercentEncoding(url.path(QUrl::FullyEncoded).toLatin1());
    if (QFile::encodeName(QFile::decodeName(bytes)) != bytes)
        return fileNameFromNative(bytes);
#endif
    return path;
}

bool isFolder(const QString &path)
{
    std::error_code error;
    return std::filesystem::is_directory(filesystemPath(path), error);
}

} // namespace

void TFGlowny::openPaths(const QStringList &paths)
{
    if (paths.isEmpty())
        return;
    // Queued: the window is on screen before a warning asks for a click, and
    // a drop is over before a prompt runs its own event loop.
    QMetaObject::invokeMethod(
            this,
            [this, paths] {
                QStringList results;
                for (const QString &path : paths) {
                    if (isTemplateFile(path))
                        m_shell.wykres().applyTemplateToNextChart(path);
                    else
                        results.append(path);
                }
                const ResultPaths expanded = expandPaths(results);
                if (expanded.files.isEmpty()) {
                    if (!expanded.unreadableFolders.isEmpty())
                        m_shell.Monit(TFMonit::ModeMessage,
                                unreadableFoldersWarning(expanded.unreadableFolders));
                    return;
                }
                // The folder the files came from is the one the user works in.
                Platform::current().rememberFolder(expanded.files.constFirst());
                loadFiles(expanded.files, expanded.unreadableFolders);
            },
            Qt::QueuedConnection);
}

QStringList TFGlowny::droppablePaths(const QMimeData *data)
{
    QStringList paths;
    if (!data || !data->hasUrls())
        return paths;
    const QList<QUrl> urls = data->urls();
    for (const QUrl &url : urls) {
        const QString path = localPathOf(url);
        if (!path.isEmpty() && (isResultFileName(path) || isTemplateFile(path) || isFolder(path)))
            paths.append(path);
    }
    return paths;
}

void TFGlowny::dragEnterEvent(QDragEnterEvent *event)
{
    if (!droppablePaths(event->mimeData()).isEmpty())
        acceptAsCopy(event);
}

void TFGlowny::dropEvent(QDropEvent *event)
{
    const QStringList paths = droppablePaths(event->mimeData());
    if (paths.isEmpty())
        return;
    if (!acceptAsCopy(event))
        return;
    m_shell.menu().closeMenu();
    openPaths(paths);
}

void TFGlowny::placeTablePanel()
{
    // Every table fits the card's table area: a wider one pages sideways.
    m_PTabela->move(36, 192);
    m_PTabela->raise();
}

} // namespace zavevad
