#pragma once

namespace qm {

struct AppState;

// File > Exit of the import and export windows: every file closed and the application ended
// at once, without the main window's exit steps.
void endApplicationAtOnce(AppState& state);

}  // namespace qm
