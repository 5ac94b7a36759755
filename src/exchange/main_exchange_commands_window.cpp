// The main window's ways into import and export.
#include "exchange/export_window.h"
#include "exchange/import_window.h"
#include "shell/main_window.h"

void frmDEdavu::openImport() {
    showInsteadOfMain(new frmLMImport(state_));
}

void frmDEdavu::openExport() {
    showInsteadOfMain(new frmLMExport(state_));
}
