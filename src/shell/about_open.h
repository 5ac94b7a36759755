#pragma once

// How any window opens the About window, without knowing its class.

class QWidget;

namespace qm {
class AppState;
}

// Shows the About window modeless beside the window that asked for it; one About window at
// a time, brought forward when it is already open.
void showAboutWindow(qm::AppState& state, QWidget* caller);
