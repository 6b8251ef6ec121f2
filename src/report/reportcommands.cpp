#include "report/reportcommands.h"

#include "export/workbook.h"
#include "platform/commanderror.h"
#include "platform/outputcheck.h"
#include "platform/platform.h"
#include "platform/savefile.h"
#include "platform/savepath.h"
#include "report/carddocument.h"
#include "report/reportdocument.h"
#include "results/anonymise.h"

#include <QDir>
#include <QFileInfo>
#include <QIODevice>

namespace zavevad {

namespace {

QString reportTitle()
{
    return QStringLiteral("Raport z analizy testu");
}

QString cardsTitle()
{
    return QStringLiteral("Karty wyników uczniów");
}

CommandError cannotCreate(const QString &path, const QString &what)
{
    return CommandError(
            cannotSaveMessage(path, QStringLiteral("nie udało się utworzyć %1").arg(what)));
}

CommandError cannotMake(const QString &what)
{
    return CommandError(QStringLiteral("Nie udało się utworzyć %1.").arg(what));
}

} // namespace

QByteArray reportPdfBytes(const AnalysisState &analysis)
{
    QByteArray pdf = ReportDocument(reportSectionMakers(analysis)).toPdf(reportTitle());
    if (pdf.isEmpty())
        throw cannotMake(QStringLiteral("raportu PDF"));
    return pdf;
}

QByteArray workbookFileBytes(const AnalysisState &analysis)
{
    QString failure;
    std::optional<QByteArray> workbook = workbookBytes(workbookTableMakers(analysis), &failure);
    if (!workbook)
        throw CommandError(failure);
    return std::move(*workbook);
}

QByteArray studentCardsPdfBytes(const AnalysisState &analysis)
{
    QByteArray pdf = CardDocument(analysis).toPdf(cardsTitle());
    if (pdf.isEmpty())
        throw cannotMake(QStringLiteral("kart uczniów"));
    return pdf;
}

void writeReportPdf(const AnalysisState &analysis, QIODevice &device)
{
    if (!ReportDocument(reportSectionMakers(analysis)).writePdf(device, reportTitle()))
        throw cannotMake(QStringLiteral("raportu PDF"));
}

void writeStudentCardsPdf(const AnalysisState &analysis, QIODevice &device)
{
    if (!CardDocument(analysis).writePdf(device, cardsTitle()))
        throw cannotMake(QStringLiteral("kart uczniów"));
}

void ZapiszRaportPdf(const AnalysisState &analysis)
{
    // Refused before the report is made, which takes a while.
    const QString path = askNewSavePath(QStringLiteral("Dokument PDF (*.pdf)|*.pdf"),
            QStringLiteral("pdf"), QStringLiteral("Zapisz raport PDF"));
    if (path.isEmpty())
        return;
    const ReportDocument document(reportSectionMakers(analysis));
    // Straight into the file as the pages are painted: a large class's
    // report never stands in memory whole.
    saveFileSayingWhy(path, [&](QIODevice &device) {
        if (!document.writePdf(device, reportTitle()))
            throw cannotCreate(path, QStringLiteral("raportu PDF"));
    });
}

void DrukujRaport(const AnalysisState &analysis)
{
    const ReportDocument document(reportSectionMakers(analysis));
    Platform::current().printDocument(
            reportTitle(),
            [&document](QPagedPaintDevice &device) { return document.paint(device); },
            reportPreviewPages(document));
}

void ZapiszKartyPdf(const AnalysisState &analysis)
{
    // Refused before the cards are made, which takes a while.
    const QString path = askNewSavePath(QStringLiteral("Dokument PDF (*.pdf)|*.pdf"),
            QStringLiteral("pdf"), QStringLiteral("Zapisz karty uczniów"));
    if (path.isEmpty())
        return;
    const CardDocument document(analysis);
    // Page by page into the file: a school's cards never stand in memory whole.
    saveFileSayingWhy(path, [&](QIODevice &device) {
        if (!document.writePdf(device, cardsTitle()))
            throw cannotCreate(path, QStringLiteral("kart uczniów"));
    });
}

void DrukujKarty(const AnalysisState &analysis)
{
    const CardDocument document(analysis);
    Platform::current().printDocument(cardsTitle(),
            [&document](QPagedPaintDevice &device) { return document.paint(device); });
}

void ZapiszRaportBezNazwisk(const AnalysisState &analysis)
{
    const QString path =
            askSavePath(QStringLiteral("Dokument PDF (*.pdf)|*.pdf"), QStringLiteral("pdf"));
    if (path.isEmpty())
        return;
    const QFileInfo info(path);
    const QString workbookPath =
            info.dir().filePath(info.completeBaseName() + QStringLiteral(".xlsx"));
    checkOutput(path, loadedInputs());
    checkOutput(workbookPath, loadedInputs());
    const AnalysisState anonymous = withoutNames(analysis);
    const ReportDocument document(reportSectionMakers(anonymous));
    saveFileSayingWhy(path, [&](QIODevice &device) {
        if (!document.writePdf(device, reportTitle()))
            throw cannotCreate(path, QStringLiteral("raportu PDF"));
    });
    QString failure;
    const std::optional<QByteArray> workbook =
            workbookBytes(workbookTableMakers(anonymous), &failure);
    if (!workbook)
        throw CommandError(cannotSaveMessage(workbookPath, failure));
    saveFileSayingWhy(workbookPath, *workbook);
}

void ZapiszArkusz(const AnalysisState &analysis)
{
    const QString path = askNewSavePath(QStringLiteral("Skoroszyt programu Excel (*.xlsx)|*.xlsx"),
            QStringLiteral("xlsx"), QStringLiteral("Zapisz arkusz"));
    if (path.isEmpty())
        return;
    QString failure;
    const std::optional<QByteArray> workbook =
            workbookBytes(workbookTableMakers(analysis), &failure);
    if (!workbook)
        throw CommandError(cannotSaveMessage(path, failure));
    saveFileSayingWhy(path, *workbook);
}

} // namespace zavevad
