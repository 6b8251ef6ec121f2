#include "export/workbook.h"

#include "platform/quietstderr.h"
#include "tables/numberformat.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <xlsxwriter.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <tuple>

namespace zavevad {

namespace {

constexpr double kMinColumnWidth = 4;
constexpr double kMaxColumnWidth = 60;

constexpr double kSecondsPerDay = 24 * 60 * 60;

/// What a cell becomes in a sheet: a number in a number format, a text or
/// nothing.
struct SheetValue
{
    enum class Type { Blank, Text, Number } type = Type::Blank;
    double value = 0;
    const char *format = nullptr;
};

/// A working time as the table shows it: the time of day of its absolute
/// value, to the second the table shows, as whole seconds in days, so that a
/// spreadsheet, which cuts rather than rounds, shows the same hh:mm:ss.
double wholeSecondsDuration(double days)
{
    return std::floor(timeOfDayMilliseconds(days) / 1000.0) / kSecondsPerDay;
}

/// A start or end: its date and, to the second, the time the table shows.
double wholeSecondsDateTime(double days)
{
    const double whole = std::floor(days);
    const double milliseconds = std::round((days - whole) * kSecondsPerDay * 1000);
    // A fraction that rounds up to a whole day is the next day's midnight, as
    // the table shows it.
    if (milliseconds >= kSecondsPerDay * 1000)
        return whole + 1;
    return whole + std::floor(milliseconds / 1000) / kSecondsPerDay;
}

SheetValue sheetValue(const ReportCell &cell)
{
    using Type = SheetValue::Type;
    const double days = cell.value;
    switch (cell.kind) {
    case CellKind::Whole:
    case CellKind::Percent:
        return {Type::Number, cell.value, nullptr};
    case CellKind::Decimal:
        // The statistics' two decimals, as the table shows them.
        return {Type::Number, cell.value,
                cell.digits == 2 ? "0.00" : (cell.digits == 1 ? "0.0" : nullptr)};
    case CellKind::DateTime:
        // A value no spreadsheet could show (none, or before its first day)
        // stays the text the table shows.
        if (std::isfinite(days) && days >= 0 && days <= 1e7)
            return {Type::Number, wholeSecondsDateTime(days), "yyyy-mm-dd hh:mm:ss"};
        break;
    case CellKind::Duration:
        if (std::isfinite(days))
            return {Type::Number, wholeSecondsDuration(days), "hh:mm:ss"};
        break;
    case CellKind::Empty:
    case CellKind::Text:
    case CellKind::Grade:
        break;
    }
    return {cell.text.isEmpty() ? Type::Blank : Type::Text, 0, nullptr};
}

/// The characters a cell takes in its column as a spreadsheet shows it.
int shownLength(const ReportCell &cell, const SheetValue &value)
{
    if (value.format && cell.kind != CellKind::Decimal)
        return static_cast<int>(qstrlen(value.format));
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

    lxw_format *of(const ReportCell &cell, const SheetValue &value, bool header)
    {
        const Key key{rgbOf(cell.background), rgbOf(cell.color), cell.bold || header,
                static_cast<int>(cell.alignment), value.format ? value.format : "", header};
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
        if (value.format)
            format_set_num_format(format, value.format);
        // The grid draws its lines in the colour of the panel around it.
        format_set_border(format, LXW_BORDER_THIN);
        format_set_border_color(format, 0xC0C0C0);
        m_formats.emplace(key, format);
        return format;
    }

private:
    using Key = std::tuple<lxw_color_t, lxw_color_t, bool, int, std::string, bool>;
    lxw_workbook *m_workbook;
    std::map<Key, lxw_format *> m_formats;
};

bool writeCell(lxw_worksheet *sheet, int row, int column, const ReportCell &cell,
        const SheetValue &value, lxw_format *format)
{
    const auto r = static_cast<lxw_row_t>(row);
    const auto c = static_cast<lxw_col_t>(column);
    switch (value.type) {
    case SheetValue::Type::Number:
        return worksheet_write_number(sheet, r, c, value.value, format) == LXW_NO_ERROR;
    case SheetValue::Type::Blank:
        return worksheet_write_blank(sheet, r, c, format) == LXW_NO_ERROR;
    case SheetValue::Type::Text:
        break;
    }
    return worksheet_write_string(sheet, r, c, cell.text.toUtf8().constData(), format)
            == LXW_NO_ERROR;
}

bool writeSheet(lxw_workbook *workbook, Formats &formats, const ReportTable &table)
{
    lxw_worksheet *sheet = workbook_add_worksheet(workbook, table.sheetName.toUtf8().constData());
    if (!sheet)
        return false;
    const TableTexts texts;
    std::vector<int> widths(static_cast<std::size_t>(table.columnCount()), 0);
    // Row by row: the sheet's rows go to the temporary folder as they are written.
    for (int row = 0; row < table.rowCount(); ++row) {
        for (int c = 0; c < table.columnCount(); ++c) {
            const ReportCell cell = texts.shown(table, c, row);
            const SheetValue value = row == 0
                    ? SheetValue{cell.text.isEmpty() ? SheetValue::Type::Blank
                                                     : SheetValue::Type::Text}
                    : sheetValue(cell);
            std::size_t column = static_cast<std::size_t>(c);
            widths[column] = std::max(widths[column], shownLength(cell, value));
            if (!writeCell(sheet, row, c, cell, value, formats.of(cell, value, row == 0)))
                return false;
        }
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
    std::vector<ReportTable> tables;
    for (const ReportTableMaker &make : workbookTableMakers(analysis))
        tables.push_back(make());
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
    return workbookBytes(keptTableMakers(tables), failure);
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
