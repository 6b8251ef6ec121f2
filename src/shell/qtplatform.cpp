#include "shell/qtplatform.h"

#include "shell/commanderror.h"
#include "shell/fontcolordialog.h"

#include <QClipboard>
#include <QColorDialog>
#include <QDesktopServices>
#include <QFileDialog>
#include <QGuiApplication>
#include <QImageReader>
#include <QMimeData>
#include <QUrl>

namespace zavevad {

namespace {

QClipboard &clipboard()
{
    QClipboard *clipboard = QGuiApplication::clipboard();
    if (!clipboard)
        throw CommandError(QStringLiteral("Cannot open clipboard"));
    return *clipboard;
}

} // namespace

QtPlatform::QtPlatform(QWidget *dialogParent) : m_parent(dialogParent) { }

QtPlatform::~QtPlatform() = default;

std::optional<QStringList> QtPlatform::openFiles(
        const QString &title, const QString &filter, const QString &initialDirectory)
{
    QFileDialog dialog(m_parent, title, initialDirectory, qtFileFilter(filter));
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFiles);
    dialog.setSizeGripEnabled(true);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return dialog.selectedFiles();
}

std::optional<QString> QtPlatform::runSaveDialog(
        const QString &title, const QString &filter, const QString &defaultExtension)
{
    QFileDialog dialog(m_parent, title, QString(), filter);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    // The same dialog picks a template to load, so it neither asks before
    // replacing a file nor insists that the file exists.
    dialog.setOption(QFileDialog::DontConfirmOverwrite, true);
    dialog.setDefaultSuffix(defaultExtension);
    dialog.setSizeGripEnabled(true);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return dialog.selectedFiles().constFirst();
}

std::optional<QColor> QtPlatform::chooseColor(const QColor &initial)
{
    QColorDialog dialog(initial, m_parent);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.selectedColor();
}

std::optional<FontChoice> QtPlatform::chooseFont(const FontChoice &initial)
{
    FontColorDialog dialog(initial, m_parent);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.choice();
}

std::optional<QString> QtPlatform::openPicture()
{
    QStringList patterns;
    for (const QByteArray &format : QImageReader::supportedImageFormats())
        patterns.append(QStringLiteral("*.") + QString::fromLatin1(format));
    const QString filter = QStringLiteral("Obrazy (") + patterns.join(QLatin1Char(' '))
            + QStringLiteral(");;Wszystkie pliki (*)");
    const QString path =
            QFileDialog::getOpenFileName(m_parent, QStringLiteral("Otwórz"), QString(), filter);
    if (path.isEmpty())
        return std::nullopt;
    return path;
}

void QtPlatform::setClipboardText(const QString &text)
{
    clipboard().setText(text);
}

void QtPlatform::setClipboardMimeData(std::unique_ptr<QMimeData> data)
{
    // The clipboard takes ownership of the data.
    clipboard().setMimeData(data.release());
}

void QtPlatform::openDocument(const QString &path)
{
    QDesktopServices::openUrl(QUrl::fromLocalFile(path));
}

} // namespace zavevad
