#pragma once

#include <QColor>
#include <QFont>
#include <QPageLayout>
#include <QString>
#include <QStringList>

#include <functional>
#include <memory>
#include <optional>

class QMimeData;
class QPagedPaintDevice;
class QPainter;

namespace zavevad {

/// A font with its colour, as the font dialog edits them together.
struct FontChoice
{
    QFont font;
    QColor color;

    friend bool operator==(const FontChoice &, const FontChoice &) = default;
};

/// Converts a filter of "Description|pattern" pairs ("Pliki wyniku testu (*.dat)|*.dat",
/// several pairs separated by "|" too) into Qt's "Description (pattern);;..." form.
QString qtFileFilter(const QString &pairedFilter);

/// `path` with ".extension" appended when its file name has no extension of its own.
QString withDefaultExtension(const QString &path, const QString &extension);

/// The common dialogs, the clipboard and opening documents: everything a
/// command asks of the desktop. Commands reach it through Platform::current(),
/// so tests can answer the dialogs and read the clipboard without a person.
///
/// Dialogs return std::nullopt when the user cancels; a cancelled dialog ends
/// the caller's command with no change and no message. Clipboard failures
/// throw CommandError("Cannot open clipboard").
class Platform
{
public:
    /// Title of the shared save dialog `SaveTabele`.
    static QString saveTabeleTitle() { return QStringLiteral("Zapisz tabelę jako..."); }

    Platform();
    virtual ~Platform();
    Platform(const Platform &) = delete;
    Platform &operator=(const Platform &) = delete;

    /// The platform every command uses. Set by the shell at start (and by tests).
    static Platform &current();
    /// Makes `platform` the current one (nullptr clears it); returns the previous one.
    static Platform *setCurrent(Platform *platform);

    /// File-open dialog, several files may be chosen. `filter` in the paired form
    /// ("Pliki wyniku testu (*.dat)|*.dat"). Returns the chosen paths in the dialog's order.
    virtual std::optional<QStringList> openFiles(
            const QString &title, const QString &filter, const QString &initialDirectory) = 0;

    /// Folder dialog: an existing folder, or std::nullopt when cancelled.
    virtual std::optional<QString> openFolder(
            const QString &title, const QString &initialDirectory) = 0;

    /// The shared save dialog `SaveTabele` keeps the filter and default extension
    /// last given to it; every user sets its own just before showing it.
    void setSaveFilter(const QString &pairedFilter, const QString &defaultExtension);
    QString saveFilter() const { return m_saveFilter; }
    QString saveDefaultExtension() const { return m_saveDefaultExtension; }

    /// Shows `SaveTabele` (no question before replacing a file, no check that it
    /// exists; also used to pick a template to load) with `title`, which says
    /// what is saved. The chosen path gets the default extension when typed
    /// without one.
    std::optional<QString> saveTabele(const QString &title = saveTabeleTitle());
    /// Gives `SaveTabele` its filter and default extension, then shows it.
    std::optional<QString> saveTabele(const QString &pairedFilter, const QString &defaultExtension,
            const QString &title = saveTabeleTitle());

    /// Asks whether the existing file `path` may be replaced ("Tak", "Nie");
    /// false keeps it and ends the save as a cancel would.
    virtual bool confirmReplace(const QString &path) = 0;

    /// The folder the open and save dialogs start in: the last one that a
    /// dialog or a load used in this run, else `startDirectory` (where
    /// Progi.txt and the help stay looked for, whatever the dialogs did).
    QString dialogFolder(const QString &startDirectory) const;
    /// Remembers the folder of the file `path` for the next dialog.
    void rememberFolder(const QString &path);
    /// The remembered folder, empty before any was used.
    QString lastFolder() const { return m_lastFolder; }

    /// Colour dialog opened on `initial`.
    virtual std::optional<QColor> chooseColor(const QColor &initial) = 0;
    /// Font dialog (name, size, style, colour) opened on `initial`; no size limits.
    virtual std::optional<FontChoice> chooseFont(const FontChoice &initial) = 0;
    /// Open-picture dialog: the path of a picture file.
    virtual std::optional<QString> openPicture() = 0;

    /// Replaces the whole clipboard content by `text`.
    virtual void setClipboardText(const QString &text) = 0;
    /// Replaces the whole clipboard content by `data` (several formats in one call).
    virtual void setClipboardMimeData(std::unique_ptr<QMimeData> data) = 0;

    /// Opens a document with its associated viewer; the outcome is not reported.
    virtual void openDocument(const QString &path) = 0;

    /// Draws the pages of a document on a printer or a preview of one.
    /// Returns false when the device could not be painted on.
    using PagePainter = std::function<bool(QPagedPaintDevice &device)>;

    /// Shows the pages `paint` draws in a print preview, from which the user
    /// prints them through the print dialog. Returns whether they were printed;
    /// false when the user closed the preview or cancelled the print dialog.
    /// A printer that fails throws CommandError naming the document.
    virtual bool printDocument(const QString &title, const PagePainter &paint) = 0;

    /// A document's pages one by one, for a preview that makes only the pages
    /// looked at and shows each as it lies on paper.
    struct PreviewPages
    {
        int count = 0;
        /// How page `page` (from 0) lies: it is A4 of that orientation.
        std::function<QPageLayout::Orientation(int page)> orientation;
        /// Paints page `page` on `painter`, in points from the page's top
        /// left corner, the page upright as it lies; false when it failed.
        std::function<bool(QPainter &painter, int page)> paint;
    };

    /// As printDocument above, the preview showing `pages` one by one, each
    /// made when it comes into view, each with its own orientation; `paint`
    /// still prints the whole job.
    virtual bool printDocument(
            const QString &title, const PagePainter &paint, const PreviewPages &pages)
    {
        (void)pages;
        return printDocument(title, paint);
    }

protected:
    /// Runs the save dialog itself; `filter` is already in Qt's form.
    virtual std::optional<QString> runSaveDialog(
            const QString &title, const QString &filter, const QString &defaultExtension) = 0;

private:
    QString m_saveFilter = QStringLiteral("Plik tekstowy (*.txt)|*.txt");
    QString m_saveDefaultExtension;
    QString m_lastFolder;
};

} // namespace zavevad
