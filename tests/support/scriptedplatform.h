#pragma once

#include "platform/platform.h"

#include <QByteArray>
#include <QList>
#include <QMimeData>

#include <deque>
#include <memory>
#include <optional>

namespace zavevad::test {

/// A Platform that answers dialogs from queues and records what was asked of
/// it. It makes itself the current platform while it lives. A dialog with no
/// queued answer counts as cancelled, so no test can wait for a person.
class ScriptedPlatform : public Platform
{
public:
    /// One dialog shown, with what it was given.
    struct DialogCall
    {
        enum Kind { OpenFiles, Save, Color, Font, Picture, OpenFolder };
        Kind kind;
        QString title;
        QString filter; ///< open: the paired form as given; save: Qt's form
        QString directory; ///< open: the initial directory; save: the remembered folder
        QString defaultExtension; ///< save
        QColor color; ///< colour: the initial colour
        FontChoice font; ///< font: the initial font
    };

    ScriptedPlatform();
    ~ScriptedPlatform() override;

    // Answers, taken front first; std::nullopt = the user cancels.
    std::deque<std::optional<QStringList>> openFilesAnswers;
    std::deque<std::optional<QString>> saveAnswers; ///< the name as the user types it
    std::deque<std::optional<QColor>> colorAnswers;
    std::deque<std::optional<FontChoice>> fontAnswers;
    std::deque<std::optional<QString>> pictureAnswers;
    std::deque<std::optional<QString>> openFolderAnswers;

    /// Questions before a file is replaced: true = "Tak"; none queued = "Nie".
    std::deque<bool> replaceAnswers;
    QStringList replaceQuestions; ///< the paths asked about, in order

    /// Print previews: true = the user prints, false or none queued = closes
    /// the preview. Printed pages go to a PDF, kept in `printed`.
    std::deque<bool> printAnswers;
    struct PrintJob
    {
        QString title;
        QByteArray pdf;
    };
    QList<PrintJob> printed;
    /// Makes every clipboard call fail with "Cannot open clipboard".
    bool clipboardFails = false;

    QList<DialogCall> calls;
    QStringList openedDocuments;
    int clipboardWrites = 0;

    /// What the clipboard holds now (nullptr before the first write).
    const QMimeData *clipboard() const { return m_clipboard.get(); }
    QString clipboardText() const { return m_clipboard ? m_clipboard->text() : QString(); }

    std::optional<QStringList> openFiles(
            const QString &title, const QString &filter, const QString &initialDirectory) override;
    std::optional<QString> openFolder(
            const QString &title, const QString &initialDirectory) override;
    bool confirmReplace(const QString &path) override;
    std::optional<QColor> chooseColor(const QColor &initial) override;
    std::optional<FontChoice> chooseFont(const FontChoice &initial) override;
    std::optional<QString> openPicture() override;
    void setClipboardText(const QString &text) override;
    void setClipboardMimeData(std::unique_ptr<QMimeData> data) override;
    void openDocument(const QString &path) override;
    using Platform::printDocument;
    bool printDocument(const QString &title, const PagePainter &paint) override;

protected:
    std::optional<QString> runSaveDialog(
            const QString &title, const QString &filter, const QString &defaultExtension) override;

private:
    void checkClipboard() const;

    std::unique_ptr<QMimeData> m_clipboard;
    Platform *m_previous = nullptr;
};

} // namespace zavevad::test
