#include "tables/skillstable.h"

#include "results/skillanalysis.h"
#include "tables/gridoperations.h"
#include "tables/itemanalysistable.h"

#include <QStringList>

#include <algorithm>
#include <array>

namespace zavevad {

namespace {

constexpr std::int32_t kSummaryRowColour = packedRgb(255, 255, 200);
constexpr CellLook kSummaryRowLook{
        .background = kSummaryRowColour, .fontColour = kNavy, .bold = true, .align = alLeft};
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

struct ColumnSpec
{
    const char16_t *header;
    int width;
};

// Each column as wide as its header in the grid's bold face, "Interpretacja"
// as "umiarkowanie trudne"; the first three grow for what the teacher typed.
constexpr std::array<ColumnSpec, ColumnCount> kColumns{{
        {u"Umiejętność", 160},
        {u"Wymaganie", 76},
        {u"Pytania", 100},
        {u"Liczba pytań", 86},
        {u"Łatwość", 56},
        {u"Interpretacja", 126},
        {u"Uczniowie od 50 %", 124},
}};

// Without a blueprint the first column holds the sentence that says where the
// file belongs, in full.
constexpr int kNoBlueprintWidth = 360;

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

void write(GridModel &grid, int column, int row, const CellLook &look, const QString &text)
{
    UstawKomorke(grid, column, row, look);
    grid.setText(column, row, text);
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

int skillsTablePagingCount(const AnalysisState &analysis)
{
    return skillsTableRowCount(analysis) - 2;
}

void PokazUmiejetnosci(GridModel &grid, GridState &state, const AnalysisState &analysis)
{
    const Blueprint &blueprint = analysis.blueprint;
    const int skillCount = static_cast<int>(blueprint.skills.size());
    const int rows = skillsTableRowCount(analysis);
    const int pagingCount = skillsTablePagingCount(analysis);

    const QString withoutSkill =
            questionList(questionsWithoutSkill(blueprint, analysis.questionCount));
    std::array<int, ColumnCount> widths{};
    for (int c = 0; c < ColumnCount; ++c)
        widths[static_cast<std::size_t>(c)] = kColumns[static_cast<std::size_t>(c)].width;
    if (blueprint.empty()) {
        widths[ColSkill] = kNoBlueprintWidth;
    } else {
        widths[ColRequirement] = widthFor(widths[ColRequirement], withoutSkill, true);
        for (const Skill &skill : blueprint.skills) {
            widths[ColSkill] = widthFor(widths[ColSkill], skill.name, true);
            widths[ColRequirement] = widthFor(widths[ColRequirement], skill.requirement, false);
            widths[ColQuestions] =
                    widthFor(widths[ColQuestions], questionList(skill.questions), false);
        }
    }

    state.tableKind = TableSkills;
    state.tableWidth = 0;
    grid.setColumnCount(ColumnCount);
    for (int c = 0; c < ColumnCount; ++c) {
        const ColumnSpec &column = kColumns[static_cast<std::size_t>(c)];
        const int width = widths[static_cast<std::size_t>(c)];
        grid.setColumnWidth(c, width);
        grid.setText(c, 0, QString::fromUtf16(column.header));
        state.tableWidth += width + 1;
    }
    grid.setRowCount(rows);
    state.tableHeight = 17 * rows + 3;

    // Skill rows banded as in the other tables, the empty row plain, the last
    // row in the look of the summary rows.
    for (int r = 1; r < rows; ++r) {
        const std::int32_t colour =
                r <= skillCount && r % 5 == 0 ? state.fifthRowColour : state.plainRowColour;
        grid.rowFormat(r).background = colorFromPacked(colour);
    }

    UstawRozmiarTabeli(state, pagingCount);
    PanelGeometry &panels = state.panels;
    panels.PTabelaWLewo.visible = false;
    panels.PTabelawPrawo.visible = false;
    const int w = panels.PPodTabele.width();
    const int h = panels.PPodTabele.height();
    panels.PTabelaWGore.pos = QPoint(w + 2, h - 60);
    panels.PTabelaWDol.pos = QPoint(w + 2, h - 30);
    panels.PTabelaWLewo.pos = QPoint(w - 60, h + 2);
    panels.PTabelawPrawo.pos = QPoint(w - 30, h + 2);
    panels.PTabelaWGore.visible = false;
    panels.PTabelaWDol.visible = pagingCount > 15;

    if (blueprint.empty()) {
        write(grid, ColSkill, 1, kTextLook,
                QStringLiteral("Brak kartoteki testu (plik Kartoteka.txt obok plików wyników)"));
        for (int c = ColRequirement; c < ColumnCount; ++c)
            grid.setText(c, 1, QString());
    } else {
        const std::vector<SkillStats> stats = computeSkillStats(analysis);
        for (int i = 0; i < skillCount; ++i) {
            const int r = i + 1;
            const Skill &skill = blueprint.skills[static_cast<std::size_t>(i)];
            const SkillStats &skillStats = stats[static_cast<std::size_t>(i)];
            write(grid, ColSkill, r, kSkillLook, skill.name);
            write(grid, ColRequirement, r, kTextLook, skill.requirement);
            write(grid, ColQuestions, r, kTextLook, questionList(skill.questions));
            write(grid, ColQuestionCount, r, kValueLook, QString::number(skillStats.questionCount));
            write(grid, ColFacility, r, kValueLook, itemAnalysisDecimal(skillStats.facility));
            if (skillStats.facility)
                writeInterpretation(
                        grid, ColInterpretation, r, difficultyBand(*skillStats.facility));
            else
                grid.setText(ColInterpretation, r, QString());
            write(grid, ColFromHalf, r, kValueLook, QString::number(skillStats.studentsFromHalf));
        }
        for (int c = 0; c < ColumnCount; ++c)
            grid.setText(c, skillCount + 1, QString());
        const int last = skillCount + 2;
        UstawWiersz(grid, last, kSummaryRowLook);
        grid.setText(ColSkill, last, QStringLiteral("Pytania bez umiejętności"));
        grid.setText(ColRequirement, last, withoutSkill);
        for (int c = ColQuestions; c < ColumnCount; ++c)
            grid.setText(c, last, QString());
    }

    grid.setTopRow(1);
    grid.clearSelection();
}

} // namespace zavevad
