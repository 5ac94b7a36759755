#pragma once

// The application folder: one writable per-user folder that holds the parameter file, the
// documents, the export files and the uninstaller's data file.

#include <string>

namespace qm {

inline constexpr const char* kParameterFileName = "QMKPARAM.TXT";
inline constexpr const char* kUninstallerData = "unins000.DAT";
inline constexpr const char* kUninstallerParked = "unins000.DAK";

// --home DIR when given (non-empty), else $QUILLMARK_HOME, else ~/Documents/Quillmark.
std::string resolveAppFolder(const std::string& homeArgument);

// Creates the folder and seeds the parameter file (three records of zeros) when missing.
// Throws QmError when the folder cannot be made.
void prepareAppFolder(const std::string& folder);

// Three 18-byte records, one per section, all adjustments 0.
std::string defaultParameterFile();

}  // namespace qm
