#include "platform/lookups.h"

#include "app/app_state.h"

namespace qm {

void openUserManual(AppState& state) {
    state.platform.openDocument(state.appFile(QString::fromLatin1(kUserManualFile)));
}

void openStateList(AppState& state) {
    state.platform.openDocument(state.appFile(QString::fromLatin1(kStateListFile)));
}

void openPeopleSearch(AppState& state) {
    state.platform.openDocument(QString::fromLatin1(kPeopleSearchUrl));
}

void openZipLookup(AppState& state) {
    state.platform.openDocument(QString::fromLatin1(kZipLookupUrl));
}

}  // namespace qm
