#pragma once

#include <QWidget>

namespace qm {
struct AppState;
}

// Shows the About window modeless beside the window that asked for it.
void showAboutWindow(qm::AppState& state, QWidget* caller);
