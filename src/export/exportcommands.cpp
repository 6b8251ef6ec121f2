#include "export/exportcommands.h"

#include "export/htmlexport.h"
#include "export/tabletext.h"
#include "platform/platform.h"
#include "platform/savefile.h"
#include "platform/savepath.h"

#include <QMimeData>

#include <memory>

namespace zavevad {

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
    saveFile(path, tableTextCp1250(grid));
}

void ZapiszHtml(const GridModel &grid)
{
    const QString path =
            askSavePath(QStringLiteral("Plik tekstowy (*.html)|*.html"), QStringLiteral("html"));
    if (path.isEmpty())
        return;
    saveFile(path, htmlPageBytes(grid));
}

void KopiujHtml(const GridModel &grid)
{
    auto data = std::make_unique<QMimeData>();
    data->setHtml(htmlTableText(grid));
    data->setText(tableText(grid));
    Platform::current().setClipboardMimeData(std::move(data));
}

} // namespace zavevad
