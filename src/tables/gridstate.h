#pragma once

#include "results/analysisstate.h"
#include "tables/gridformat.h"

#include <QPoint>
#include <QSize>

#include <cstdint>

namespace zavevad {

/// One paging arrow panel: whether it is shown and its top-left corner inside
/// `PTabela`.
struct ArrowPanel
{
    bool visible = false;
    QPoint pos;

    friend bool operator==(const ArrowPanel &, const ArrowPanel &) = default;
};

/// Sizes and arrows that the table builders set and the table panel widget
/// follows: `Tabela` inside `PPodTabele` inside `PTabela`.
struct PanelGeometry
{
    static constexpr QSize kArrowSize{26, 25};

    QSize Tabela{633, 336};
    QSize PPodTabele{609, 312};
    QSize PTabela{637, 340};
    ArrowPanel PTabelaWGore;
    ArrowPanel PTabelaWDol;
    ArrowPanel PTabelaWLewo;
    ArrowPanel PTabelawPrawo;

    friend bool operator==(const PanelGeometry &, const PanelGeometry &) = default;
};

/// The grid part of the analysis state, written by the table builders.
struct GridState
{
    static constexpr std::int32_t kPlainRowColour = packedRgb(227, 225, 221);
    static constexpr std::int32_t kFifthRowColour = packedRgb(232, 244, 223);

    TableKind tableKind = TableNone; ///< the table in the grid
    bool firstQuestionPage = true; ///< results table: questions 1 to 15 shown
    std::int32_t plainRowColour = kPlainRowColour;
    std::int32_t fifthRowColour = kFifthRowColour;
    std::int32_t tableWidth = 0; ///< pixels, accumulated by the header build
    std::int32_t tableHeight = 0; ///< pixels
    PanelGeometry panels;

    /// The values the main window sets each time it is shown.
    void reset()
    {
        firstQuestionPage = true;
        plainRowColour = kPlainRowColour;
        fifthRowColour = kFifthRowColour;
        tableKind = TableNone;
    }

    friend bool operator==(const GridState &, const GridState &) = default;
};

} // namespace zavevad
