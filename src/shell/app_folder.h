#pragma once

// The application folder: one writable per-user folder that holds the parameter file, the
// documents and the export files.

#include <string>

namespace qm {

// --home DIR when given (non-empty), else $QUILLMARK_HOME, else ~/Documents/Quillmark.
std::string resolveAppFolder(const std::string& homeArgument);

// Creates the folder and seeds the parameter file (three records of zeros) when missing.
// Throws QmError when the folder cannot be made.
void prepareAppFolder(const std::string& folder);

// Three 18-byte records, one per section, all adjustments 0.
std::string defaultParameterFile();

}  // namespace qm
