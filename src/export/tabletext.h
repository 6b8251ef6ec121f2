#pragma once

#include <QByteArray>
#include <QString>

namespace zavevad {

class GridModel;

/// The tab-separated table text of the whole grid: every row from the header
/// down and every column, whatever the top row; cells separated by one TAB,
/// every row (the last too) ended by CR LF, texts exactly as the grid holds
/// them, nothing else.
QString tableText(const GridModel &grid);

/// `tableText` in Windows code page 1250, the bytes of a saved text file;
/// the arrows and the mark of the added tables, which the code page lacks,
/// as words ("wzrost", "spadek", "bez zmian", "(niżej)").
QByteArray tableTextCp1250(const GridModel &grid);

} // namespace zavevad
