#include "export/tabletext.h"

#include "results/codepage.h"
#include "tables/gridmodel.h"

namespace zavevad {

QString tableText(const GridModel &grid)
{
    QString text;
    for (int row = 0; row < grid.rowCount(); ++row) {
        for (int column = 0; column < grid.columnCount(); ++column) {
            if (column > 0)
                text += QLatin1Char('\t');
            text += grid.text(column, row);
        }
        text += QLatin1String("\r\n");
    }
    return text;
}

QByteArray tableTextCp1250(const GridModel &grid)
{
    return codepage::toCp1250(tableText(grid));
}

} // namespace zavevad
