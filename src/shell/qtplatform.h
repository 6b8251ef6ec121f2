#pragma once

#include "platform/platform.h"

#include <QPointer>

class QWidget;

namespace zavevad {

/// The desktop's own dialogs (QFileDialog, QColorDialog, our font-and-colour
/// dialog), QClipboard and QDesktopServices.
class QtPlatform : public Platform
{
public:
    explicit QtPlatform(QWidget *dialogParent = nullptr);
    ~QtPlatform() override;

    /// The window the dialogs are centred on and modal to when no window of
    /// the program is active.
    void setDialogParent(QWidget *parent) { m_parent = parent; }

    /// The window a dialog shown now belongs to: the active modal dialog, else
    /// the active window, else the one set above.
    QWidget *dialogParent() const;
    /// Keeps `dialog` above the always-on-top chart window.
    static void keepAbove(QWidget &dialog);

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
    bool printDocument(const QString &title, const PagePainter &paint) override;
    bool printDocument(
            const QString &title, const PagePainter &paint, const PreviewPages &pages) override;

protected:
    std::optional<QString> runSaveDialog(
            const QString &title, const QString &filter, const QString &defaultExtension) override;

private:
    QPointer<QWidget> m_parent;
};

} // namespace zavevad
