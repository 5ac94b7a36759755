#pragma once

// The documents and web pages that several windows offer, handed to the desktop.

namespace qm {

struct AppState;

inline constexpr const char* kUserManualFile = "qmkUman.pdf";
inline constexpr const char* kStateListFile = "qmk_state_abbreviations.pdf";
inline constexpr const char* kPeopleSearchUrl = "https://www.whitepages.com/";
inline constexpr const char* kZipLookupUrl = "https://tools.usps.com/zip-code-lookup.htm";

void openUserManual(AppState& state);
void openStateList(AppState& state);
void openPeopleSearch(AppState& state);
void openZipLookup(AppState& state);

}  // namespace qm
