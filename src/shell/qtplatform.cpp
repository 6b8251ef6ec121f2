#include "shell/qtplatform.h"

#include "platform/commanderror.h"
#include "platform/savefile.h"
#include "shell/fontcolordialog.h"

#include <QAction>
#include <QApplication>
#include <QBuffer>
#include <QClipboard>
#include <QColorDialog>
#include <QDesktopServices>
#include <QDir>
#include <QFileDialog>
#include <QGuiApplication>
#include <QImageReader>
#include <QMessageBox>
#include <QMimeData>
#include <QPageSize>
#include <QPaintEngine>
#include <QPdfWriter>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QPushButton>
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

bool QtPlatform::confirmReplace(const QString &path)
{
    QMessageBox box(QMessageBox::Question, QStringLiteral("Kalmo - Zavevad"),
            QStringLiteral("Plik %1 już istnieje.\nCzy zastąpić go nowym?")
                    .arg(QDir::toNativeSeparators(path)),
            QMessageBox::NoButton, dialogParent());
    keepAbove(box);
    QPushButton *yes = box.addButton(QStringLiteral("Tak"), QMessageBox::YesRole);
    QPushButton *no = box.addButton(QStringLiteral("Nie"), QMessageBox::NoRole);
    // Replacing loses the old file: the safe answer is the one Enter gives.
    box.setDefaultButton(no);
    box.setEscapeButton(no);
    box.exec();
    return box.clickedButton() == yes;
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

namespace {

/// The preview's own orientation buttons: the document turns each page as it
/// needs, so they would change nothing.
void hideOrientationButtons(QPrintPreviewDialog &dialog)
{
    const QString portrait = QCoreApplication::translate("QPrintPreviewDialog", "Portrait");
    const QString landscape = QCoreApplication::translate("QPrintPreviewDialog", "Landscape");
    for (QAction *action : dialog.findChildren<QAction *>()) {
        if (action->text() == portrait || action->text() == landscape)
            action->setVisible(false);
    }
}

/// Whether `printer` is about to write a PDF file rather than show a preview
/// page or feed a printer.
bool writesPdfFile(QPrinter &printer)
{
    const QPaintEngine *engine = printer.paintEngine();
    return printer.outputFormat() == QPrinter::PdfFormat && !printer.outputFileName().isEmpty()
            && engine && engine->type() == QPaintEngine::Pdf;
}

} // namespace

bool QtPlatform::printDocument(const QString &title, const PagePainter &paint)
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(title);
    printer.setPageSize(QPageSize(QPageSize::A4));
    QPrintPreviewDialog dialog(&printer, dialogParent());
    keepAbove(dialog);
    dialog.setWindowTitle(title);
    dialog.resize(900, 700);
    hideOrientationButtons(dialog);
    bool painted = true;
    // Printing to a file is a save like any other: the pages are made into
    // bytes first and written through saveFile, so that a failed write keeps
    // the old file and says so (the PDF printer reports no failed write).
    QString pdfPath;
    QByteArray pdf;
    QObject::connect(&dialog, &QPrintPreviewDialog::paintRequested, &dialog, [&](QPrinter *device) {
        if (!writesPdfFile(*device)) {
            painted = paint(*device);
            return;
        }
        pdfPath = device->outputFileName();
        QBuffer buffer(&pdf);
        buffer.open(QIODevice::WriteOnly);
        QPdfWriter writer(&buffer);
        writer.setTitle(title);
        writer.setCreator(QStringLiteral("Kalmo - Zavevad"));
        writer.setPageLayout(device->pageLayout());
        painted = paint(writer);
    });
    // The preview's print button runs the print dialog and, when it is
    // confirmed, paints on the printer and closes the preview.
    if (dialog.exec() != QDialog::Accepted)
        return false;
    if (!painted || (pdfPath.isEmpty() && printer.printerState() == QPrinter::Error))
        throw CommandError(QStringLiteral("Nie można wydrukować: %1").arg(title));
    if (!pdfPath.isEmpty())
        saveFileSayingWhy(pdfPath, pdf);
    return true;
}

} // namespace zavevad
