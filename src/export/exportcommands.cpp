#include "export/exportcommands.h"

#include "export/htmlexport.h"
#include "export/tabletext.h"
#include "platform/commanderror.h"
#include "platform/platform.h"

#include <QDir>
#include <QMimeData>
#include <QSaveFile>

#include <memory>

namespace zavevad {

namespace {

// Asks for the file with the shared save dialog; empty when the user cancels.
QString askSavePath(const QString &filter, const QString &extension)
{
    Platform &platform = Platform::current();
    platform.setSaveFilter(filter, extension);
    return platform.saveTabele().value_or(QString());
}

} // namespace

void writeExportFile(const QString &path, const QByteArray &bytes)
{
    QSaveFile file(path);
    const bool written =
            file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.commit();
    if (!written) {
        // An uncommitted QSaveFile removes its temporary file and never
        // touches the file it was to replace.
        file.cancelWriting();
        throw CommandError(
                QStringLiteral("Cannot create file %1").arg(QDir::toNativeSeparators(path)));
    }
}

void KopiujCsv(const GridModel &grid)
{
    Platform::current().setClipboardText(tableText(grid));
}

void ZapiszTxt(const GridModel &grid)
{
    const QString path =
            askSavePath(QStringLiteral("Plik tekstowy (*.txt)|*.txt"), QStringLiteral("txt"));
    if (path.isEmpty())
        return;
    writeExportFile(path, tableTextCp1250(grid));
}

void ZapiszHtml(const GridModel &grid)
{
    const QString path =
            askSavePath(QStringLiteral("Plik tekstowy (*.html)|*.html"), QStringLiteral("html"));
    if (path.isEmpty())
        return;
    writeExportFile(path, htmlPageBytes(grid));
}

void KopiujHtml(const GridModel &grid)
{
    auto data = std::make_unique<QMimeData>();
    data->setHtml(htmlTableText(grid));
    data->setText(tableText(grid));
    Platform::current().setClipboardMimeData(std::move(data));
}

} // namespace zavevad
