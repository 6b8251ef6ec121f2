#include "export/tabletext.h"

#include "results/codepage.h"
#include "tables/gridmodel.h"

#include <utility>

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
    // The signs of the added tables that code page 1250 lacks would all read
    // "?" in the file: a teacher reads their words instead. The specified
    // tables hold none of them, so their bytes stay.
    static const std::pair<QStringView, QStringView> kWords[] = {
            {u"\u2191", u"wzrost"},
            {u"\u2193", u"spadek"},
            {u"\u2192", u"bez zmian"},
            {u"\u25BC", u"(niżej)"},
    };
    QString text = tableText(grid);
    for (const auto &[sign, word] : kWords)
        text.replace(sign.toString(), word.toString());
    return codepage::toCp1250(text);
}

} // namespace zavevad
