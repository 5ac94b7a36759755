#pragma once

// The documents and web pages that several windows offer, handed to the desktop.

#include <QString>

namespace qm {

class PlatformServices;

inline constexpr const char* kUserManualFile = "qmkUman.pdf";
inline constexpr const char* kStateListFile = "qmk_state_abbreviations.pdf";
inline constexpr const char* kPeopleSearchUrl = "https://www.whitepages.com/";
inline constexpr const char* kZipLookupUrl = "https://tools.usps.com/zip-code-lookup.htm";

// The two documents lie in the application folder.
void openUserManual(PlatformServices& platform, const QString& appFolder);
void openStateList(PlatformServices& platform, const QString& appFolder);
void openPeopleSearch(PlatformServices& platform);
void openZipLookup(PlatformServices& platform);

}  // namespace qm
