#pragma once

// The application folder: one writable per-user folder that holds the parameter file, the
// documents, the export files and the uninstaller's data file.

#include <string>

#include "records/file_ops.h"

namespace qm {

inline constexpr const char* kParameterFileName = "QMKPARAM.TXT";
inline constexpr const char* kUninstallerData = "unins000.DAT";
inline constexpr const char* kUninstallerParked = "unins000.DAK";

// --home DIR when given (non-empty), else $QUILLMARK_HOME, else ~/Documents/Quillmark.
std::string resolveAppFolder(const std::string& homeArgument);

// Creates the folder and seeds the parameter file (three records of zeros) when missing.
// Throws QmError when the folder cannot be made.
void prepareAppFolder(const std::string& folder);

// The uninstaller's data file would show in the contact-file dialogs' "*.DAT" list, so it is
// renamed to the parked name while a dialog is shown and back afterwards. A rename that would
// replace an existing file is left undone. Throw QmError when a rename fails.
void parkUninstallerData(const std::string& folder, FileOps& ops = systemFileOps());
void restoreUninstallerData(const std::string& folder, FileOps& ops = systemFileOps());

// Three 18-byte records, one per section, all adjustments 0.
std::string defaultParameterFile();

}  // namespace qm
