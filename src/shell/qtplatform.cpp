#include "shell/qtplatform.h"

#include "platform/commanderror.h"
#include "shell/fontcolordialog.h"

#include <QApplication>
#include <QClipboard>
#include <QColorDialog>
#include <QDesktopServices>
#include <QFileDialog>
#include <QGuiApplication>
#include <QImageReader>
#include <QMimeData>
#include <QPageSize>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QRegularExpression>
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

QWidget *QtPlatform::dialogParent() const
{
    // The dialog belongs to the window the user works in: over the chart
    // window or the appearance dialog when a command of theirs asks.
    if (QWidget *modal = QApplication::activeModalWidget())
        return modal;
    if (QWidget *active = QApplication::activeWindow()) {
        const Qt::WindowType type = active->windowType();
        if (type == Qt::Window || type == Qt::Dialog)
            return active;
    }
    return m_parent;
}

void QtPlatform::keepAbove(QWidget &dialog)
{
    // The chart window stays on top of the others; a dialog that came up
    // beneath it would block the program out of sight.
    dialog.setWindowFlag(Qt::WindowStaysOnTopHint);
}

QtPlatform::QtPlatform(QWidget *dialogParent) : m_parent(dialogParent) { }

QtPlatform::~QtPlatform() = default;

std::optional<QStringList> QtPlatform::openFiles(
        const QString &title, const QString &filter, const QString &initialDirectory)
{
    QFileDialog dialog(dialogParent(), title, initialDirectory, qtFileFilter(filter));
    keepAbove(dialog);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFiles);
    dialog.setSizeGripEnabled(true);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return dialog.selectedFiles();
}

std::optional<QString> QtPlatform::openFolder(const QString &title, const QString &initialDirectory)
{
    QFileDialog dialog(dialogParent(), title, initialDirectory);
    keepAbove(dialog);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::Directory);
    dialog.setOption(QFileDialog::ShowDirsOnly);
    dialog.setSizeGripEnabled(true);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return dialog.selectedFiles().constFirst();
}

std::optional<QString> QtPlatform::runSaveDialog(
        const QString &title, const QString &filter, const QString &defaultExtension)
{
    // Before any dialog was used, the current folder: the start directory.
    QFileDialog dialog(dialogParent(), title, lastFolder(), filter);
    keepAbove(dialog);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    // The same dialog picks a template to load, so it neither asks before
    // replacing a file nor insists that the file exists.
    dialog.setOption(QFileDialog::DontConfirmOverwrite, true);
    dialog.setDefaultSuffix(defaultExtension);
    // With several filters ("Obraz PNG", "Obraz SVG") a name typed without an
    // extension gets the one of the filter chosen.
    QObject::connect(
            &dialog, &QFileDialog::filterSelected, &dialog, [&dialog](const QString &selected) {
                static const QRegularExpression single(QStringLiteral("\\(\\*\\.(\\w+)\\)$"));
                const QRegularExpressionMatch match = single.match(selected);
                if (match.hasMatch())
                    dialog.setDefaultSuffix(match.captured(1));
            });
    dialog.setSizeGripEnabled(true);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return dialog.selectedFiles().constFirst();
}

std::optional<QColor> QtPlatform::chooseColor(const QColor &initial)
{
    QColorDialog dialog(initial, dialogParent());
    keepAbove(dialog);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.selectedColor();
}

std::optional<FontChoice> QtPlatform::chooseFont(const FontChoice &initial)
{
    FontColorDialog dialog(initial, dialogParent());
    keepAbove(dialog);
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
    QFileDialog dialog(dialogParent(), QStringLiteral("Otwórz"), QString(), filter);
    keepAbove(dialog);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return dialog.selectedFiles().constFirst();
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

bool QtPlatform::printDocument(const QString &title, const PagePainter &paint)
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(title);
    printer.setPageSize(QPageSize(QPageSize::A4));
    QPrintPreviewDialog dialog(&printer, dialogParent());
    keepAbove(dialog);
    dialog.setWindowTitle(title);
    dialog.resize(900, 700);
    bool painted = true;
    QObject::connect(&dialog, &QPrintPreviewDialog::paintRequested, &dialog,
            [&paint, &painted](QPrinter *device) { painted = paint(*device); });
    // The preview's print button runs the print dialog and, when it is
    // confirmed, paints on the printer and closes the preview.
    if (dialog.exec() != QDialog::Accepted)
        return false;
    if (!painted || printer.printerState() == QPrinter::Error)
        throw CommandError(QStringLiteral("Nie można wydrukować: %1").arg(title));
    return true;
}

} // namespace zavevad
