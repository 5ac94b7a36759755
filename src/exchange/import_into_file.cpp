#include "exchange/import_into_file.h"

#include "records/file_ops.h"

namespace qm {

ImportResult importCsvFile(ContactFile& contacts, const std::string& csvPath, bool remindersOn) {
    const std::string bytes = readWholeFile(csvPath);
    // The duplicate test and the append see the same file: no other writer in between.
    const ContactFile::Lock lock(contacts, LockKind::Exclusive);
    const std::vector<ContactRecord> onFile = contacts.readAll();
    ImportResult result = importCsv(bytes, onFile, remindersOn);
    if (!result.records.empty()) {
        contacts.appendAll(result.records);
    }
    return result;
}

std::string importCompletedText(std::size_t count) {
    return "D O N E !  " + std::to_string(count) + " contacts successfully imported.";
}

}  // namespace qm
