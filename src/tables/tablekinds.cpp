#include "tables/tablekinds.h"

#include "results/classcomparison.h"
#include "tables/analysistables.h"
#include "tables/classcolumn.h"
#include "tables/classcomparisontable.h"
#include "tables/gridmodel.h"
#include "tables/itemanalysistable.h"
#include "tables/progresstable.h"
#include "tables/resultstables.h"
#include "tables/skillstable.h"
#include "tables/staninestable.h"
#include "tables/studentproblemtable.h"

#include <algorithm>
#include <array>
#include <memory>
#include <utility>

namespace zavevad {

namespace {

// The last chart row of each kind, of a grid (`Shown`) or of a table value.
template<class Shown>
int studentRows(const Shown &, int studentCount)
{
    return studentCount;
}

template<class Shown>
int gradeRows(const Shown &, int)
{
    return 6; // "Cel" to "Ndst"
}

template<class Shown>
int itemAnalysisRows(const Shown &shown, int)
{
    return itemAnalysisLastQuestionRow(shown);
}

template<class Shown>
int skillRows(const Shown &shown, int)
{
    return skillsTableLastSkillRow(shown);
}

template<class Shown>
int classRows(const Shown &shown, int)
{
    return classComparisonLastClassRow(shown);
}

// Every body row: the question rows of the questions in the classes.
int lastRowOfGrid(const GridModel &grid, int)
{
    return grid.rowCount() - 1;
}

int lastRowOfTable(const Table &table, int)
{
    return table.rowCount() - 1;
}

template<class Shown>
int stanineRows(const Shown &, int studentCount)
{
    return stanineDistributionLastRow(studentCount);
}

// The student rows of the progress table: all but the header, the empty
// row and the four class rows (none before tests are loaded together).
template<class Shown>
int progressRows(const Shown &shown, int)
{
    return std::max(shown.rowCount() - 6, 0);
}

bool hasSeveralTests(const AnalysisState &analysis)
{
    return analysis.progress.tests.size() >= 2;
}

bool hasBlueprint(const AnalysisState &analysis)
{
    return !analysis.blueprint.empty();
}

bool hasClasses(const AnalysisState &analysis)
{
    return schoolClassCount(analysis) >= 2;
}

constexpr TableOutputs kEverywhere{.report = true, .workbook = true};

// clang-format off
const std::array kKinds = {
    TableKindInfo{TableResults, resultsTable, "LAnalizaPunktacja", "Tabela - Wyniki testu",
        "Prezentuje wyniki testu w postaci tabeli", "Tabela - Wyniki testu", "wyniki",
        &AnalysisTables::showResults, nullptr,
        {u"Wyniki testu", TableChart::kSumaColumn, ChartUnit::Number, studentRows<GridModel>, studentRows<Table>},
        {.report = true, .workbook = true, .build = resultsReportTable}},
    TableKindInfo{TableWorkingTime, workingTimeTable, "LAnalizaCzas", "Tabela - Czas pracy",
        "Prezentuje zestawienie czasu pracy w postaci tabeli", "Tabela - Czas pracy", "czas",
        &AnalysisTables::PokazCzasPracy, nullptr,
        {u"Czas pracy", 3, ChartUnit::Minutes, studentRows<GridModel>, studentRows<Table>},
        {.report = true, .workbook = true, .build = workingTimeReportTable}},
    TableKindInfo{TableGradeCount, gradeCountTable, "LAnalizaOceny", "Tabela - Ilość ocen",
        "Prezentuje zestawienie ocen z testu", "Tabela - Ilość ocen", "oceny",
        &AnalysisTables::PokazOceny, nullptr,
        {u"Zestawienie ocen", 1, ChartUnit::Number, gradeRows<GridModel>, gradeRows<Table>},
        kEverywhere},
    TableKindInfo{TableItemAnalysis, itemAnalysisTable, "LAnalizaPytan", "Tabela - Analiza pytań",
        "Prezentuje łatwość i moc różnicującą pytań oraz rzetelność testu",
        "Tabela - Analiza pytań", "analiza",
        nullptr, itemAnalysisPagingCount,
        {u"Łatwość pytań", 2, ChartUnit::Percent, itemAnalysisRows<GridModel>, itemAnalysisRows<Table>},
        kEverywhere},
    TableKindInfo{TableSkills, skillsTable, "LAnalizaUmiejetnosci", "Tabela - Umiejętności",
        "Prezentuje wykonanie umiejętności sprawdzanych przez test", "Tabela - Umiejętności",
        "umiejetnosci",
        nullptr, skillsTablePagingCount,
        {u"Wykonanie umiejętności", 4, ChartUnit::Percent, skillRows<GridModel>, skillRows<Table>, nullptr, true},
        {.report = true, .workbook = true, .present = hasBlueprint}},
    TableKindInfo{TableClassComparison, classComparisonTable, "LAnalizaKlasy",
        "Tabela - Porównanie klas", "Porównuje wyniki klas", "Porównanie klas", "klasy",
        nullptr, classComparisonPagingCount,
        {u"Porównanie klas", 3, ChartUnit::Number, classRows<GridModel>, classRows<Table>, u"Średnia [%]",
            true},
        {.report = true, .workbook = true, .present = hasClasses,
            .reportParts = classComparisonReportParts}},
    TableKindInfo{TableClassQuestions, classQuestionsTable, "LAnalizaPytaniaKlas",
        "Tabela - Pytania w klasach", "Porównuje łatwość każdego pytania w klasach",
        "Łatwość pytań w klasach", "pytania-klasy",
        nullptr, classQuestionsPagingCount,
        {u"Łatwość pytań", TableChart::kLastColumn, ChartUnit::Percent, lastRowOfGrid, lastRowOfTable, nullptr,
            true},
        {.report = true, .workbook = true, .present = hasClasses}},
    TableKindInfo{TableStanines, staninesTable, "LAnalizaStaniny", "Tabela - Staniny",
        "Pokazuje miejsce każdego ucznia na skali staninowej", "Tabela - Staniny", "staniny",
        nullptr, staninesPagingCount,
        {u"Rozkład staninowy", 2, ChartUnit::Number, stanineRows<GridModel>, stanineRows<Table>, nullptr,
            true, stanineDistributionFirstRow, 3},
        {.report = true, .workbook = true, .reportAfter = TableGradeCount, .reportChart = true}},
    TableKindInfo{TableStudentProblem, studentProblemTable, "LAnalizaSP", "Tabela S-P",
        "Pokazuje nietypowe odpowiedzi uczniów i pytania do sprawdzenia", "Tabela S-P", "sp",
        nullptr, studentProblemPagingCount,
        {u"Punkty uczniów", TableChart::fromRight(3), ChartUnit::Number, studentRows<GridModel>,
            studentRows<Table>, nullptr, true},
        kEverywhere},
    TableKindInfo{TableProgress, progressTable, "LAnalizaPostepy", "Tabela - Postępy",
        "Pokazuje postępy uczniów w kolejnych testach", "Tabela - Postępy", "postepy",
        nullptr, progressTablePagingCount,
        {u"Zmiana wyniku", TableChart::fromRight(2), ChartUnit::Number, progressRows<GridModel>,
            progressRows<Table>, nullptr, true},
        {.report = true, .workbook = true, .present = hasSeveralTests}},
};
// clang-format on

} // namespace

std::span<const TableKindInfo> tableKinds()
{
    return kKinds;
}

const TableKindInfo *tableKindInfo(TableKind kind)
{
    for (const TableKindInfo &info : kKinds) {
        if (info.kind == kind)
            return &info;
    }
    return nullptr;
}

const TableKindInfo *tableKindNamed(QStringView name)
{
    for (const TableKindInfo &info : kKinds) {
        if (name == QLatin1String(info.commandLineName))
            return &info;
    }
    return nullptr;
}

QString commandLineNames()
{
    QString names;
    for (std::size_t i = 0; i < kKinds.size(); ++i) {
        if (i > 0)
            names += i + 1 == kKinds.size() ? QStringLiteral(" lub ") : QStringLiteral(", ");
        names += QLatin1String(kKinds[i].commandLineName);
    }
    return names;
}

QString tableTitle(TableKind kind)
{
    const TableKindInfo *info = tableKindInfo(kind);
    return info ? info->captionText() : QStringLiteral("Tabela");
}

void showOwnGrid(
        GridModel &grid, GridState &state, const AnalysisState &analysis, const TableKindInfo &info)
{
    state.tableKind = info.kind;
    renderOwnGrid(grid, state, info.build(analysis), info.paging(analysis));
}

namespace {

// Where the report gives a kind's tables: at its `reportAfter` kind's place,
// just after that kind's own, when the analysis has that kind.
std::vector<OutputTable> inReportOrder(std::vector<OutputTable> tables)
{
    const auto present = [&tables](TableKind kind) {
        return std::any_of(tables.begin(), tables.end(),
                [kind](const OutputTable &table) { return table.info->kind == kind; });
    };
    const auto place = [&](const TableKindInfo *info) {
        const TableKind after = info->outputs.reportAfter;
        const bool moved = after != TableNone && present(after);
        const TableKindInfo *anchor = moved ? tableKindInfo(after) : info;
        return std::pair(anchor - kKinds.data(), moved);
    };
    std::stable_sort(tables.begin(), tables.end(), [&](const OutputTable &a, const OutputTable &b) {
        return place(a.info) < place(b.info);
    });
    return tables;
}

} // namespace

std::vector<OutputTable> outputTables(const AnalysisState &analysis, Output output)
{
    const AnalysisState *state = &analysis;
    std::vector<OutputTable> tables;
    for (const TableKindInfo &info : kKinds) {
        const TableOutputs &outputs = info.outputs;
        if (!(output == Output::Report ? outputs.report : outputs.workbook))
            continue;
        if (outputs.present && !outputs.present(analysis))
            continue;
        if (output == Output::Report && outputs.reportParts) {
            // Small parts of one table, made together once.
            for (Table &part : outputs.reportParts(analysis)) {
                auto kept = std::make_shared<const Table>(std::move(part));
                tables.push_back({&info, [kept] {
                                      return *kept;
                                  }});
            }
            continue;
        }
        tables.push_back({&info, [state, build = outputs.build ? outputs.build : info.build] {
                              return build(*state);
                          }});
    }
    return output == Output::Report ? inReportOrder(std::move(tables)) : tables;
}

std::vector<TableMaker> outputTableMakers(const AnalysisState &analysis, Output output)
{
    std::vector<TableMaker> makers;
    for (OutputTable &table : outputTables(analysis, output))
        makers.push_back(std::move(table.make));
    return makers;
}

} // namespace zavevad
