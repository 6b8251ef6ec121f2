#pragma once

// What the table-builder tests share: the grid, its state and the analysis as
// the program holds them, and small readers of what a table wrote.

#include "analysisbuilder.h"

#include "tables/analysistables.h"
#include "tables/gridmodel.h"
#include "tables/gridstate.h"

#include <QString>
#include <QStringList>

#include <cstdint>
#include <utility>

namespace zavevad::test {

/// The en dash the tables write where a figure has no value.
inline const QString kDash = QString(QChar(0x2013));

/// The grid, its state and the analysis state, as the program holds them.
struct Fixture
{
    GridModel grid;
    GridState state;
    AnalysisState analysis;
    AnalysisTables tables{grid, state, analysis};

    explicit Fixture(AnalysisState a = {}) : analysis(std::move(a)) { }
};

/// A class from answer strings in list order ("101": questions 1 and 3 right).
inline AnalysisState classOf(const QStringList &answers)
{
    AnalysisState state;
    const int k = int(answers.first().size());
    int i = 0;
    for (const QString &line : answers) {
        std::uint32_t mask = 0;
        for (int q = 0; q < k; ++q)
            mask |= line.at(q) == u'1' ? 1u << q : 0u;
        state.students.push_back(
                makeStudent(QStringLiteral("Uczeń%1").arg(++i), QStringLiteral("Ala"), mask, k));
    }
    finishAnalysis(state, k);
    return state;
}

/// The texts of one row of the grid, every column.
inline QStringList rowTexts(const GridModel &grid, int row)
{
    QStringList list;
    for (int c = 0; c < grid.columnCount(); ++c)
        list << grid.text(c, row);
    return list;
}

} // namespace zavevad::test
