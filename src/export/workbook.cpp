#include "export/workbook.h"

#include "platform/quietstderr.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <xlsxwriter.h>

#include <algorithm>
#include <functional>
#include <map>
#include <memory>
#include <tuple>

namespace zavevad {

namespace {

constexpr double kMinColumnWidth = 4;
constexpr double kMaxColumnWidth = 60;

const char *numberFormat(const ReportCell &cell)
{
    switch (cell.kind) {
    case ReportCell::Kind::DateTime:
        return "yyyy-mm-dd hh:mm:ss";
    case ReportCell::Kind::Duration:
        return "hh:mm:ss";
    case ReportCell::Kind::Number:
        // The statistics' two decimals, as the table shows them.
        return cell.decimals == 2 ? "0.00" : nullptr;
    case ReportCell::Kind::Text:
        break;
    }
    return nullptr;
}

/// The characters a cell takes in its column as a spreadsheet shows it.
int shownLength(const ReportCell &cell)
{
    if (cell.kind == ReportCell::Kind::Number && cell.decimals >= 0)
        return static_cast<int>(cell.text.size());
    if (const char *format = numberFormat(cell))
        return static_cast<int>(qstrlen(format));
    return static_cast<int>(cell.text.size());
}

lxw_color_t rgbOf(const QColor &colour)
{
    return static_cast<lxw_color_t>(colour.rgb() & 0xFFFFFF);
}

/// The workbook's formats, one per distinct look: a sheet of thousands of
/// cells uses a handful.
class Formats
{
public:
    explicit Formats(lxw_workbook *workbook) : m_workbook(workbook) { }

    lxw_format *of(const ReportCell &cell, bool header)
    {
        const Key key{rgbOf(cell.background), rgbOf(cell.color), cell.bold || header,
                static_cast<int>(cell.alignment), static_cast<int>(cell.kind), header,
                cell.decimals};
        auto found = m_formats.find(key);
        if (found != m_formats.end())
            return found->second;
        lxw_format *format = workbook_add_format(m_workbook);
        format_set_bg_color(format, std::get<0>(key));
        format_set_font_color(format, std::get<1>(key));
        if (std::get<2>(key))
            format_set_bold(format);
        if (cell.alignment & Qt::AlignHCenter)
            format_set_align(format, LXW_ALIGN_CENTER);
        else if (cell.alignment & Qt::AlignRight)
            format_set_align(format, LXW_ALIGN_RIGHT);
        if (const char *pattern = numberFormat(cell))
            format_set_num_format(format, pattern);
        // The grid draws its lines in the colour of the panel around it.
        format_set_border(format, LXW_BORDER_THIN);
        format_set_border_color(format, 0xC0C0C0);
        m_formats.emplace(key, format);
        return format;
    }

private:
    using Key = std::tuple<lxw_color_t, lxw_color_t, bool, int, int, bool, int>;
    lxw_workbook *m_workbook;
    std::map<Key, lxw_format *> m_formats;
};

bool writeCell(
        lxw_worksheet *sheet, int row, int column, const ReportCell &cell, lxw_format *format)
{
    const auto r = static_cast<lxw_row_t>(row);
    const auto c = static_cast<lxw_col_t>(column);
    if (cell.isNumeric())
        return worksheet_write_number(sheet, r, c, cell.value, format) == LXW_NO_ERROR;
    if (cell.text.isEmpty())
        return worksheet_write_blank(sheet, r, c, format) == LXW_NO_ERROR;
    return worksheet_write_string(sheet, r, c, cell.text.toUtf8().constData(), format)
            == LXW_NO_ERROR;
}

bool writeSheet(lxw_workbook *workbook, Formats &formats, const ReportTable &table)
{
    lxw_worksheet *sheet = workbook_add_worksheet(workbook, table.sheetName.toUtf8().constData());
    if (!sheet)
        return false;
    std::vector<int> widths(table.header.size(), 0);
    for (std::size_t c = 0; c < table.header.size(); ++c) {
        const ReportCell &cell = table.header[c];
        widths[c] = std::max(widths[c], shownLength(cell));
        if (!writeCell(sheet, 0, static_cast<int>(c), cell, formats.of(cell, true)))
            return false;
    }
    int row = 1;
    for (const std::vector<ReportCell> &cells : table.rows) {
        for (std::size_t c = 0; c < cells.size() && c < widths.size(); ++c) {
            const ReportCell &cell = cells[c];
            widths[c] = std::max(widths[c], shownLength(cell));
            if (!writeCell(sheet, row, static_cast<int>(c), cell, formats.of(cell, false)))
                return false;
        }
        ++row;
    }
    for (std::size_t c = 0; c < widths.size(); ++c) {
        const double width = std::clamp(widths[c] + 2.0, kMinColumnWidth, kMaxColumnWidth);
        const auto column = static_cast<lxw_col_t>(c);
        if (worksheet_set_column(sheet, column, column, width, nullptr) != LXW_NO_ERROR)
            return false;
    }
    worksheet_freeze_panes(sheet, 1, static_cast<lxw_col_t>(std::max(table.frozenColumns, 0)));
    return true;
}

} // namespace

std::vector<ReportTable> workbookTables(const AnalysisState &analysis)
{
    std::vector<ReportTable> tables = analysisReportTables(analysis);
    for (ReportTable &table : classComparisonSheets(analysis))
        tables.push_back(std::move(table));
    tables.push_back(thresholdsReportTable(analysis));
    return tables;
}

std::vector<ReportTableMaker> workbookTableMakers(const AnalysisState &analysis)
{
    std::vector<ReportTableMaker> makers = analysisReportTableMakers(analysis);
    for (ReportTableMaker &maker : keptTableMakers(classComparisonSheets(analysis)))
        makers.push_back(std::move(maker));
    const AnalysisState *state = &analysis;
    makers.emplace_back([state] { return thresholdsReportTable(*state); });
    return makers;
}

namespace {

/// The workbook of the sheets `writeSheets` adds, as `workbookBytes` makes it.
std::optional<QByteArray> writeWorkbook(
        const std::function<bool(lxw_workbook *, Formats &)> &writeSheets, QString *failure)
{
    const auto fail = [failure](const QString &why) -> std::optional<QByteArray> {
        if (failure)
            *failure = why;
        return std::nullopt;
    };
    // The library writes a file of its own; it is made in a private folder and
    // read back, so that the caller replaces the chosen file in one step.
    QTemporaryDir folder;
    if (!folder.isValid())
        return fail(QStringLiteral("nie można utworzyć folderu tymczasowego w %1: %2")
                            .arg(QDir::toNativeSeparators(QDir::tempPath()), folder.errorString()));
    const QString inFolder = QStringLiteral("nie udało się utworzyć skoroszytu w folderze "
                                            "tymczasowym %1 (może brakuje tam miejsca)")
                                     .arg(QDir::toNativeSeparators(folder.path()));
    const QString path = folder.filePath(QStringLiteral("workbook.xlsx"));
    QByteArray tempFolder = QFile::encodeName(folder.path());
    lxw_workbook_options options{};
    options.tmpdir = tempFolder.data();
    // Each row goes to the temporary folder as it is written: memory stays
    // the same for a class of any size (strings are then stored in the cells).
    options.constant_memory = LXW_TRUE;
    // The library prints its errors on stderr; ours is the one line the user sees.
    const QuietStandardError quiet;
    lxw_workbook *workbook = workbook_new_opt(QFile::encodeName(path).constData(), &options);
    if (!workbook)
        return fail(inFolder);

    bool written = true;
    {
        Formats formats(workbook);
        written = writeSheets(workbook, formats);
    }
    // Closing writes the file and frees the workbook, also after a failure.
    written = workbook_close(workbook) == LXW_NO_ERROR && written;
    if (!written)
        return fail(inFolder);
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return fail(inFolder);
    return file.readAll();
}

} // namespace

std::optional<QByteArray> workbookBytes(const std::vector<ReportTable> &tables, QString *failure)
{
    return writeWorkbook(
            [&tables](lxw_workbook *workbook, Formats &formats) {
                return std::all_of(tables.begin(), tables.end(), [&](const ReportTable &table) {
                    return writeSheet(workbook, formats, table);
                });
            },
            failure);
}

std::optional<QByteArray> workbookBytes(
        const std::vector<ReportTableMaker> &makers, QString *failure)
{
    return writeWorkbook(
            [&makers](lxw_workbook *workbook, Formats &formats) {
                // Each table lives only while its sheet is written.
                return std::all_of(makers.begin(), makers.end(), [&](const ReportTableMaker &make) {
                    return writeSheet(workbook, formats, make());
                });
            },
            failure);
}

} // namespace zavevad
