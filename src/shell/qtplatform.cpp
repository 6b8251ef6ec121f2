#include "shell/qtplatform.h"

#include "platform/commanderror.h"
#include "platform/savefile.h"
#include "shell/fontcolordialog.h"
#include "shell/pagepreview.h"

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

namespace {

/// Paints the job on `printer`, or, when the print dialog chose a file,
/// makes the pages into bytes kept in `pdf` for `pdfPath`: printing to a
/// file is a save like any other, written through saveFile so that a failed
/// write keeps the old file and says so (the PDF printer reports no failed
/// write). Returns whether the pages were painted.
bool paintJob(QPrinter &printer, const QString &title, const Platform::PagePainter &paint,
        QString &pdfPath, QByteArray &pdf)
{
    if (!writesPdfFile(printer))
        return paint(printer);
    pdfPath = printer.outputFileName();
    QBuffer buffer(&pdf);
    buffer.open(QIODevice::WriteOnly);
    QPdfWriter writer(&buffer);
    writer.setTitle(title);
    writer.setCreator(QStringLiteral("Kalmo - Zavevad"));
    writer.setPageLayout(printer.pageLayout());
    return paint(writer);
}

/// The end of a print job: a failure named, a file printed to saved.
void finishJob(const QPrinter &printer, const QString &title, bool painted, const QString &pdfPath,
        const QByteArray &pdf)
{
    if (!painted || (pdfPath.isEmpty() && printer.printerState() == QPrinter::Error))
        throw CommandError(QStringLiteral("Nie można wydrukować: %1").arg(title));
    if (!pdfPath.isEmpty())
        saveFileSayingWhy(pdfPath, pdf);
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
    QString pdfPath;
    QByteArray pdf;
    QObject::connect(&dialog, &QPrintPreviewDialog::paintRequested, &dialog,
            [&](QPrinter *device) { painted = paintJob(*device, title, paint, pdfPath, pdf); });
    // The preview's print button runs the print dialog and, when it is
    // confirmed, paints on the printer and closes the preview.
    if (dialog.exec() != QDialog::Accepted)
        return false;
    finishJob(printer, title, painted, pdfPath, pdf);
    return true;
}

bool QtPlatform::printDocument(
        const QString &title, const PagePainter &paint, const PreviewPages &pages)
{
    QString pdfPath;
    QByteArray pdf;
    QPrinter *used = nullptr;
    PagePreview dialog(
            pages,
            [&](QPrinter &printer) {
                used = &printer;
                return paintJob(printer, title, paint, pdfPath, pdf);
            },
            dialogParent());
    dialog.printer().setDocName(title);
    dialog.printer().setPageSize(QPageSize(QPageSize::A4));
    keepAbove(dialog);
    dialog.setWindowTitle(title);
    dialog.resize(900, 700);
    if (dialog.exec() != QDialog::Accepted || !used)
        return false;
    finishJob(*used, title, dialog.printed(), pdfPath, pdf);
    return true;
}

} // namespace zavevad
