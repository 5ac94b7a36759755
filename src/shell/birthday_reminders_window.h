#pragma once

// Birthday reminders when a contact file opens: the reminder menu items follow the file, and
// the upcoming birthdays are announced. A few get a message box each; more are listed in one
// window, since a box per birthday would hold a large file's user for hundreds of clicks.

class QWidget;

namespace qm {

class AppState;

// The most birthdays announced one box at a time.
inline constexpr int kMostBirthdayBoxes = 5;

// Reads the open file's records. Throws QmError.
void showRemindersFromFile(AppState& state, QWidget* parent);

}  // namespace qm
