#pragma once

#include "tables/table.h"

namespace zavevad {

/// A builder's column: its header text, its width in the grid's pixels and
/// what it holds.
struct ColumnSpec
{
    const char16_t *header;
    int width;
    ColumnRole role = ColumnRole::Statistic;
};

} // namespace zavevad
