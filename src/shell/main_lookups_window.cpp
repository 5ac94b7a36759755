// Documents, web look-ups and the About window, as the main window offers them.
#include "platform/lookups.h"
#include "shell/about_window.h"
#include "shell/main_window.h"

void frmDEdavu::openManual() {
    qm::openUserManual(state_);
}

void frmDEdavu::openStateAbbreviations() {
    qm::openStateList(state_);
}

void frmDEdavu::openPeopleFinder() {
    qm::openPeopleSearch(state_);
}

void frmDEdavu::openZipFinder() {
    qm::openZipLookup(state_);
}

void frmDEdavu::openAbout() {
    showAboutWindow(state_, this);
}
