#pragma once

// A file dragged onto a text field of a window goes to the window, as anywhere else on it: a
// line edit would take the file's address as text to type. Text dragged from elsewhere is
// still dropped into the field.

class QWidget;

namespace qm {

// Every line edit inside window (made by then) lets file drags pass to the window.
void letFileDropsPassFields(QWidget* window);

}  // namespace qm
