#pragma once

// The import window's Import without the window: the file read whole, its contacts
// appended to the open contacts, and the words that report the outcome.

#include <string>
#include <vector>

#include "exchange/contact_import.h"
#include "records/contact_store.h"

namespace qm {

// Only the records on file before the import take part in the duplicate test. Throws
// QmError when a file cannot be read or written.
ImportResult importContactFile(ContactStore& contacts, const std::string& path, bool remindersOn);
// The same without writing: the recognised format and the first `count` contacts the import
// would append, as they will be stored.
ImportResult previewContactFile(const ContactStore& contacts, const std::string& path,
                                bool remindersOn, std::size_t count);

inline constexpr const char* kImportCompletedTitle = "Import completed";
inline constexpr const char* kNotCompatibleTitle = "No contacts imported";
inline constexpr const char* kNotCompatibleText = "CSV file not compatible with import function.";

// "D O N E !  N contacts successfully imported.", and on a second line what was skipped or
// changed, when anything was.
std::string importCompletedText(const ImportResult& result);
// That second line alone; empty when nothing was skipped, changed or cut.
std::string importSkippedText(const ImportCounts& counts);

// One line for each value cut: the contact's record number as the import gives it (the
// first added is `firstNumber`), the field's name, the value as it will be stored, and
// what was cut off it, tab-separated.
std::vector<std::string> cutValueLines(const ImportResult& result, std::size_t firstNumber);

// "1 contact", "2 contacts".
std::string counted(std::size_t n, const char* one, const char* many);

}  // namespace qm
