#pragma once

// The import window's Import without the window: the CSV file read whole, its contacts
// appended to the open contact file, and the words that report the outcome.

#include <string>

#include "exchange/csv_import.h"
#include "records/contact_file.h"

namespace qm {

// Only the records on file before the import take part in the duplicate test. The
// contacts of the lines before an error that stopped the import are appended too, as if
// written one by one. Throws QmError when a file cannot be read or written.
ImportResult importCsvFile(ContactFile& contacts, const std::string& csvPath, bool remindersOn);

inline constexpr const char* kImportCompletedTitle = "Import completed";
inline constexpr const char* kNotCompatibleTitle = "No contacts imported";
inline constexpr const char* kNotCompatibleText = "CSV file not compatible with import function.";

// "D O N E !  N contacts successfully imported."
std::string importCompletedText(std::size_t count);

}  // namespace qm
