#pragma once

// Margins > Calibrate: the calibration sheet of a layout in the preview (printed from there),
// then the two distances the user measured on it, stored as that layout's adjustment.

class QWidget;

namespace qm {

class AppState;

void calibrate(AppState& state, QWidget* parent);

}  // namespace qm
