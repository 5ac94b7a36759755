// Documents, web look-ups and the About window, as the main window offers them.
#include "shell/main_window.h"

void frmDEdavu::openManual() {}

void frmDEdavu::openStateAbbreviations() {}

void frmDEdavu::openPeopleFinder() {}

void frmDEdavu::openZipFinder() {}

void frmDEdavu::openAbout() {}
