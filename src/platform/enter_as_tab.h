#pragma once

class QWidget;

namespace qm {

// Enter in the field is swallowed and moves the focus on, as Tab would.
void installEnterAsTab(QWidget* field);

}  // namespace qm
