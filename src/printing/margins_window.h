#pragma once

// The Margins menu: the user's left and top corrections for one kind of print job, added to
// the parameter file.

class QWidget;

namespace qm {

class AppState;

// section is "ONTHEFLY", "BULKLIST" or "ENVELOPE".
void adjustMargins(AppState& state, QWidget* parent, const char* section);

}  // namespace qm
