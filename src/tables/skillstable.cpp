#include "tables/skillstable.h"

#include "results/skillanalysis.h"
#include "tables/columnspec.h"
#include "tables/gridoperations.h"
#include "tables/itemanalysistable.h"

#include <QStringList>

#include <algorithm>
#include <array>

namespace zavevad {

namespace {

constexpr CellLook kSkillLook{.fontColour = kBlack, .bold = true, .align = alLeft};
constexpr CellLook kTextLook{.fontColour = kBlack, .align = alLeft};
constexpr CellLook kValueLook{.fontColour = kBlack};

// Rows after the skills: the empty row and the questions without a skill.
constexpr int kRowsAfterSkills = 2;

enum Column {
    ColSkill,
    ColRequirement,
    ColQuestions,
    ColQuestionCount,
    ColFacility,
    ColInterpretation,
    ColFromHalf,
    ColumnCount
};

// Each column as wide as its header in the grid's bold face, "Interpretacja"
// as "umiarkowanie trudne"; the first three grow for what the teacher typed.
constexpr std::array<ColumnSpec, ColumnCount> kColumns{{
        {u"Umiejętność", 160, ColumnRole::Label},
        {u"Wymaganie", 76, ColumnRole::Text},
        {u"Pytania", 100, ColumnRole::Text},
        {u"Liczba pytań", 86, ColumnRole::Count},
        {u"Łatwość", 56, ColumnRole::Statistic},
        {u"Interpretacja", 126, ColumnRole::Text},
        {u"Liczba uczniów \u2265 50 %", 150, ColumnRole::Count},
}};

// Without a blueprint the first column holds the sentence that says where the
// file belongs, in full.
constexpr int kNoBlueprintWidth = 360;
// What was wrong with the file grows the column up to the table area's width.
constexpr int kMaxNoBlueprintWidth = 630;

// The grid clips a cell's text, and the teacher's names and question lists
// have no fixed length: a column grows for its longest text, at 6 pixels a
// character of the grid's 11-pixel face (7 in bold, for wide letters such as
// "m" and "w"), up to a limit that keeps the table on the screen (the report
// and the exports show every text whole).
constexpr int kMaxColumnWidth = 320;

int widthFor(int width, const QString &text, bool bold)
{
    const int needed = static_cast<int>(text.size()) * (bold ? 7 : 6) + 10;
    return std::clamp(needed, width, std::max(width, kMaxColumnWidth));
}

QString questionList(std::uint32_t questions)
{
    QStringList numbers;
    for (int q = 1; q <= kMaxQuestions; ++q) {
        if (questions & (1u << (q - 1)))
            numbers.append(QString::number(q));
    }
    return numbers.isEmpty() ? QString(QChar(0x2013)) : numbers.join(QStringLiteral(", "));
}

// Where the file belongs, or what was wrong with the one that is there.
QString noBlueprintText(const Blueprint &blueprint)
{
    if (blueprint.problem.isEmpty())
        return QStringLiteral("Brak kartoteki testu (plik Kartoteka.txt obok plików wyników)");
    return QStringLiteral("Brak kartoteki testu. ") + blueprint.problem;
}

void setLooked(Table &table, int column, int row, const CellLook &look, const QString &text)
{
    table.setText(column, row, text);
    table.setLook(column, row, look);
}

std::array<int, ColumnCount> columnWidths(const Blueprint &blueprint, const QString &withoutSkill)
{
    std::array<int, ColumnCount> widths{};
    for (int c = 0; c < ColumnCount; ++c)
        widths[static_cast<std::size_t>(c)] = kColumns[static_cast<std::size_t>(c)].width;
    if (blueprint.empty()) {
        widths[ColSkill] = std::clamp(static_cast<int>(noBlueprintText(blueprint).size()) * 6 + 10,
                kNoBlueprintWidth, kMaxNoBlueprintWidth);
        return widths;
    }
    widths[ColRequirement] = widthFor(widths[ColRequirement], withoutSkill, true);
    for (const Skill &skill : blueprint.skills) {
        widths[ColSkill] = widthFor(widths[ColSkill], skill.name, true);
        widths[ColRequirement] = widthFor(widths[ColRequirement], skill.requirement, false);
        widths[ColQuestions] = widthFor(widths[ColQuestions], questionList(skill.questions), false);
    }
    return widths;
}

void skillRow(Table &table, int r, const Skill &skill, const SkillStats &stats)
{
    setLooked(table, ColSkill, r, kSkillLook, skill.name);
    setLooked(table, ColRequirement, r, kTextLook, skill.requirement);
    setLooked(table, ColQuestions, r, kTextLook, questionList(skill.questions));
    table.setNumber(ColQuestionCount, r, CellKind::Whole, stats.questionCount);
    table.setLook(ColQuestionCount, r, kValueLook);
    setShare(table, ColFacility, r, stats.facility);
    table.setLook(ColFacility, r, kValueLook);
    if (stats.facility)
        setInterpretation(table, ColInterpretation, r, difficultyBand(*stats.facility));
    table.setNumber(ColFromHalf, r, CellKind::Whole, stats.studentsFromHalf);
    table.setLook(ColFromHalf, r, kValueLook);
}

} // namespace

int skillsTableRowCount(const AnalysisState &analysis)
{
    if (analysis.blueprint.empty())
        return 2;
    return 1 + static_cast<int>(analysis.blueprint.skills.size()) + kRowsAfterSkills;
}

int skillsTableLastSkillRow(const GridModel &grid)
{
    return std::max(grid.rowCount() - 1 - kRowsAfterSkills, 0);
}

int skillsTableLastSkillRow(const Table &table)
{
    return std::max(table.rowCount() - 1 - kRowsAfterSkills, 0);
}

int skillsTablePagingCount(const AnalysisState &analysis)
{
    return skillsTableRowCount(analysis) - 2;
}

Table skillsTable(const AnalysisState &analysis)
{
    const Blueprint &blueprint = analysis.blueprint;
    const int skillCount = static_cast<int>(blueprint.skills.size());
    const int rows = skillsTableRowCount(analysis);
    const QString withoutSkill =
            questionList(questionsWithoutSkill(blueprint, analysis.questionCount));
    const std::array<int, ColumnCount> widths = columnWidths(blueprint, withoutSkill);

    Table table(ColumnCount, rows);
    table.title = QStringLiteral("Tabela - Umiejętności");
    table.sheetName = QStringLiteral("Umiejętności");
    for (int c = 0; c < ColumnCount; ++c) {
        const ColumnSpec &column = kColumns[static_cast<std::size_t>(c)];
        table.setColumn(c, widths[static_cast<std::size_t>(c)], column.role);
        table.setText(c, 0, QString::fromUtf16(column.header));
    }
    // Skill rows banded as in the other tables, the empty row plain, the last
    // row in the look of the summary rows.
    for (int r = 1; r < rows; ++r)
        table.setBand(r, r <= skillCount && r % 5 == 0 ? RowBand::Fifth : RowBand::Plain);

    if (blueprint.empty()) {
        setLooked(table, ColSkill, 1, kTextLook, noBlueprintText(blueprint));
        return table;
    }
    const std::vector<SkillStats> stats = computeSkillStats(analysis);
    for (int i = 0; i < skillCount; ++i) {
        skillRow(table, i + 1, blueprint.skills[static_cast<std::size_t>(i)],
                stats[static_cast<std::size_t>(i)]);
    }
    const int last = skillCount + 2;
    table.setRowLook(last, kSummaryRowLook);
    table.setText(ColSkill, last, QStringLiteral("Pytania bez umiejętności"));
    table.setText(ColRequirement, last, withoutSkill);
    return table;
}

} // namespace zavevad
