#pragma once

// Enter presses the focused push button, as Space does, or else the window's default button
// when it has one. One filter per window: controls that use Enter themselves (Enter as Tab in
// the typed lines and contact fields, a dialog's own buttons) take the key before it gets
// here, so only an Enter that no control wanted presses a button.

class QPushButton;
class QWidget;

namespace qm {

void installEnterPressesButton(QWidget* window, QPushButton* defaultButton = nullptr);

}  // namespace qm
