#pragma once

#include "charts/sessionstate.h"

namespace zavevad {

/// The live data of the run: one `SessionState` (the analysis state, the grid
/// `Tabela` with its state and the stash of the item analysis, the two
/// appearance records, the chart kinds, the chart and what it was drawn
/// from, the loaded inputs). One instance, owned by the shell, for the whole
/// run; commands and windows read and change its fields in place. The
/// session itself is not copied; `state()` is the value a snapshot copies
/// and a restore assigns.
struct Session : SessionState
{
    Session() = default;
    Session(const Session &) = delete;
    Session &operator=(const Session &) = delete;

    SessionState &state() { return *this; }
    const SessionState &state() const { return *this; }
};

} // namespace zavevad
