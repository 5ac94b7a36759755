// The main window's ways into import and export.
#include "shell/main_window.h"

void frmDEdavu::openImport() {}

void frmDEdavu::openExport() {}
