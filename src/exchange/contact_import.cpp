#include "exchange/contact_import.h"

#include "contacts/field_rules.h"
#include "exchange/contact_formats.h"
#include "records/text_rules.h"

namespace qm {

namespace {

// The program's own CSV export writes values without quoting: a comma in a stored value
// would shift every later column of that contact's exported line.
void removeCommas(ContactField field, std::string& value) {
    const std::size_t comma = value.find(',');
    if (comma == std::string::npos) {
        return;
    }
    if (field == ContactField::Email) {
        value.resize(comma);
    } else if (commasBecomeBlanks(field)) {
        value = replaceAll(value, ",", " ");
    } else {
        value = removeAll(value, ",");
    }
}

// Nothing would tell such a contact apart from the next one.
bool hasNothingToTellApart(const ContactRecord& c) {
    return c.firstName.empty() && c.lastName.empty() && c.email.empty();
}

// Folded values that the stored contact still holds (a layout may drop a value after it).
std::size_t foldedValuesKept(std::uint32_t folded, const ContactRecord& stored) {
    std::size_t count = 0;
    for (std::size_t i = 0; i < field::kAll.size(); ++i) {
        if ((folded >> i & 1u) != 0 && !(stored.*(field::kAll[i].member)).empty()) {
            ++count;
        }
    }
    return count;
}

}  // namespace

ContactRecord storedForm(ContactRecord c) {
    for (ContactField field : kAllContactFields) {
        // The birthdate comes in its stored form already.
        if (field == ContactField::Birthdate) {
            continue;
        }
        std::string& value = c.*(describe(field).stored);
        for (unsigned char ch : value) {
            if (ch < 0x20 || ch == 0x7F) {
                value = withoutControlCharacters(value);
                break;
            }
        }
        removeCommas(field, value);
    }
    return decodeRecord(std::string_view(encodeRecord(c).data(), kRecordSize));
}

ImportStep::ImportStep(DuplicateIndex onFile, bool remindersOn)
    : duplicates_(std::move(onFile)), remindersOn_(remindersOn) {}

ImportStep::Taken ImportStep::take(ContactRow row, ImportCounts& counts, DuplicateTest test) const {
    Taken taken;
    row.contact.reminder.assign(1, remindersOn_ ? '1' : '0');
    // Compared as it will be stored: a long e-mail address or name on file is the cut copy
    // of the one in the file, and must still be found.
    taken.stored = storedForm(std::move(row.contact));
    if (row.skipped || hasNothingToTellApart(taken.stored)) {
        ++counts.withoutNameOrEmail;
        taken.verdict = Verdict::WithoutNameOrEmail;
        return taken;
    }
    if (test == DuplicateTest::Run) {
        if (const auto match = duplicates_.matchOf(taken.stored)) {
            ++counts.duplicates;
            taken.verdict = Verdict::Duplicate;
            taken.match = *match;
            return taken;
        }
    }
    counts.foldedValues += foldedValuesKept(row.foldedFields, taken.stored);
    return taken;
}

ImportResult importRows(ContactReader& reader, DuplicateIndex onFile, bool remindersOn,
                        std::size_t limit) {
    ImportResult result;
    result.format = reader.formatName();
    const ImportStep step(std::move(onFile), remindersOn);
    while (result.records.size() < limit) {
        std::optional<ContactRow> row = reader.next();
        if (!row) {
            break;
        }
        ImportStep::Taken taken = step.take(std::move(*row), result.counts);
        if (taken.verdict == ImportStep::Verdict::Add) {
            result.records.push_back(std::move(taken.stored));
        }
    }
    return result;
}

namespace {

ImportResult importAtMost(std::string_view fileBytes, DuplicateIndex onFile, bool remindersOn,
                          std::size_t limit, const FieldLimits& limits) {
    const std::unique_ptr<ContactReader> reader = openContactReader(fileBytes, limits);
    if (!reader) {
        ImportResult result;
        result.outcome = ImportOutcome::NotCompatible;
        return result;
    }
    return importRows(*reader, std::move(onFile), remindersOn, limit);
}

}  // namespace

ImportResult importContacts(std::string_view fileBytes, DuplicateIndex onFile, bool remindersOn,
                            const FieldLimits& limits) {
    return importAtMost(fileBytes, std::move(onFile), remindersOn,
                        std::numeric_limits<std::size_t>::max(), limits);
}

ImportResult previewImport(std::string_view fileBytes, DuplicateIndex onFile, bool remindersOn,
                           std::size_t count, const FieldLimits& limits) {
    return importAtMost(fileBytes, std::move(onFile), remindersOn, count, limits);
}

}  // namespace qm
