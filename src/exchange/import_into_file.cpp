#include "exchange/import_into_file.h"

#include "records/file_ops.h"

namespace qm {

std::string counted(std::size_t n, const char* one, const char* many) {
    return std::to_string(n) + " " + (n == 1 ? one : many);
}

ImportResult importContactFile(ContactStore& contacts, const std::string& path, bool remindersOn) {
    const std::string bytes = readWholeFile(path);
    // The duplicate test and the append see the same contacts: no other writer in between.
    const ContactStore::Lock lock(contacts, LockKind::Exclusive);
    ImportResult result =
        importContacts(bytes, indexContacts(contacts), remindersOn, contacts.fieldLimits());
    if (!result.records.empty()) {
        contacts.appendAll(result.records);
    }
    return result;
}

ImportResult previewContactFile(const ContactStore& contacts, const std::string& path,
                                bool remindersOn, std::size_t count) {
    DuplicateIndex onFile = indexContacts(contacts);
    return previewImport(readWholeFile(path), std::move(onFile), remindersOn, count,
                         contacts.fieldLimits());
}

std::string importSkippedText(const ImportCounts& counts) {
    std::string skipped;
    if (counts.duplicates > 0) {
        skipped = counted(counts.duplicates, "contact", "contacts") + " already on file";
    }
    if (counts.withoutNameOrEmail > 0) {
        skipped += (skipped.empty() ? "" : " and ") +
                   counted(counts.withoutNameOrEmail, "line", "lines") +
                   " without a name or e-mail address";
    }
    std::string text = skipped.empty() ? "" : "Skipped: " + skipped + ".";
    if (counts.foldedValues > 0) {
        text += (text.empty() ? "" : "  ") + std::string("Changed: letters in ") +
                counted(counts.foldedValues, "value", "values") +
                " to the nearest ones the contact file can hold.";
    }
    return text;
}

std::string importCompletedText(const ImportResult& result) {
    std::string text =
        "D O N E !  " + std::to_string(result.records.size()) + " contacts successfully imported.";
    const std::string skipped = importSkippedText(result.counts);
    return skipped.empty() ? text : text + "\n" + skipped;
}

}  // namespace qm
