#include "report/reportcommands.h"

#include "export/workbook.h"
#include "platform/commanderror.h"
#include "platform/platform.h"
#include "platform/savefile.h"
#include "report/carddocument.h"
#include "report/reportdocument.h"

#include <QDir>

namespace zavevad {

namespace {

QString askSavePath(const QString &filter, const QString &extension)
{
    return Platform::current().saveTabele(filter, extension).value_or(QString());
}

QString reportTitle()
{
    return QStringLiteral("Raport z analizy testu");
}

QString cardsTitle()
{
    return QStringLiteral("Karty wyników uczniów");
}

CommandError cannotCreate(const QString &path)
{
    return CommandError(
            QStringLiteral("Cannot create file %1").arg(QDir::toNativeSeparators(path)));
}

CommandError cannotMake(const QString &what)
{
    return CommandError(QStringLiteral("Nie udało się utworzyć %1.").arg(what));
}

} // namespace

QByteArray reportPdfBytes(const AnalysisState &analysis)
{
    QByteArray pdf = ReportDocument(reportSections(analysis)).toPdf(reportTitle());
    if (pdf.isEmpty())
        throw cannotMake(QStringLiteral("raportu PDF"));
    return pdf;
}

QByteArray workbookFileBytes(const AnalysisState &analysis)
{
    std::optional<QByteArray> workbook = workbookBytes(workbookTables(analysis));
    if (!workbook)
        throw cannotMake(QStringLiteral("skoroszytu"));
    return std::move(*workbook);
}

QByteArray studentCardsPdfBytes(const AnalysisState &analysis)
{
    QByteArray pdf = CardDocument(analysis).toPdf(cardsTitle());
    if (pdf.isEmpty())
        throw cannotMake(QStringLiteral("kart uczniów"));
    return pdf;
}

void ZapiszRaportPdf(const AnalysisState &analysis)
{
    const QString path =
            askSavePath(QStringLiteral("Dokument PDF (*.pdf)|*.pdf"), QStringLiteral("pdf"));
    if (path.isEmpty())
        return;
    const QByteArray pdf = ReportDocument(reportSections(analysis)).toPdf(reportTitle());
    if (pdf.isEmpty())
        throw cannotCreate(path);
    saveFile(path, pdf);
}

void DrukujRaport(const AnalysisState &analysis)
{
    const ReportDocument document(reportSections(analysis));
    Platform::current().printDocument(reportTitle(),
            [&document](QPagedPaintDevice &device) { return document.paint(device); });
}

void ZapiszKartyPdf(const AnalysisState &analysis)
{
    const QString path =
            askSavePath(QStringLiteral("Dokument PDF (*.pdf)|*.pdf"), QStringLiteral("pdf"));
    if (path.isEmpty())
        return;
    const QByteArray pdf = CardDocument(analysis).toPdf(cardsTitle());
    if (pdf.isEmpty())
        throw cannotCreate(path);
    saveFile(path, pdf);
}

void DrukujKarty(const AnalysisState &analysis)
{
    const CardDocument document(analysis);
    Platform::current().printDocument(cardsTitle(),
            [&document](QPagedPaintDevice &device) { return document.paint(device); });
}

void ZapiszArkusz(const AnalysisState &analysis)
{
    const QString path = askSavePath(
            QStringLiteral("Skoroszyt programu Excel (*.xlsx)|*.xlsx"), QStringLiteral("xlsx"));
    if (path.isEmpty())
        return;
    const std::optional<QByteArray> workbook = workbookBytes(workbookTables(analysis));
    if (!workbook)
        throw cannotCreate(path);
    saveFile(path, *workbook);
}

} // namespace zavevad
