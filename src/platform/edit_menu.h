#pragma once

// The Edit menu most windows share: Cut, Copy and Paste on the focused text field, with Cut
// and Copy disabled while that field has no selection.

class QMenu;
class QAction;

namespace qm {

class PlatformServices;

void attachCommonEditMenu(QMenu* menu, QAction* cut, QAction* copy, QAction* paste,
                          PlatformServices& platform);

}  // namespace qm
