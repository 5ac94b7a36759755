#include "exchange/contact_import.h"

#include "contacts/field_rules.h"
#include "exchange/contact_formats.h"
#include "records/contact_record.h"
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

ContactRecord storedForm(ContactRecord c, const FieldLimits& limits, std::vector<CutValue>* cuts,
                         std::uint32_t* folded) {
    for (ContactField field : kAllContactFields) {
        const std::size_t index = fieldIndex(field);
        std::string& value = c.*(describe(field).stored);
        // The birthdate comes in its stored form already.
        if (field != ContactField::Birthdate) {
            for (unsigned char ch : value) {
                if (ch < 0x20 || ch == 0x7F) {
                    value = withoutControlCharacters(value);
                    break;
                }
            }
            removeCommas(field, value);
        }
        FoldedText storable = limits.storable(value);
        if (storable.changed && folded != nullptr) {
            *folded |= 1u << index;
        }
        std::string whole = trim(singleLine(storable.text));
        if (characterCount(whole) > limits.of(field)) {
            if (cuts != nullptr) {
                cuts->push_back(CutValue{0, index, whole});
            }
            whole = trim(leftOf(whole, static_cast<long>(limits.of(field))));
        }
        value = std::move(whole);
    }
    if (limits.letters == TextEncoding::CodePage1252) {
        // The contact file's own way, byte for byte.
        return decodeRecord(std::string_view(encodeRecord(c).data(), kRecordSize));
    }
    for (std::string ContactRecord::*flag :
         {&ContactRecord::includeCompany, &ContactRecord::reminder}) {
        c.*flag = trim(storedField(c.*flag, 1));
    }
    return c;
}

ImportStep::ImportStep(DuplicateIndex onFile, bool remindersOn, const FieldLimits& limits)
    : duplicates_(std::move(onFile)), remindersOn_(remindersOn), limits_(limits) {}

ImportStep::Taken ImportStep::take(ContactRow row, ImportCounts& counts, DuplicateTest test) const {
    Taken taken;
    row.contact.reminder.assign(1, remindersOn_ ? '1' : '0');
    // Compared as it will be stored: a long e-mail address or name on file is the cut copy
    // of the one in the file, and must still be found.
    taken.stored = storedForm(std::move(row.contact), limits_, &taken.cuts);
    if (row.skipped || hasNothingToTellApart(taken.stored)) {
        ++counts.withoutNameOrEmail;
        taken.verdict = Verdict::WithoutNameOrEmail;
        taken.cuts.clear();
        return taken;
    }
    if (test == DuplicateTest::Run) {
        if (const auto match = duplicates_.matchOf(taken.stored)) {
            ++counts.duplicates;
            taken.verdict = Verdict::Duplicate;
            taken.match = *match;
            taken.cuts.clear();
            return taken;
        }
    }
    counts.foldedValues += foldedValuesKept(row.foldedFields, taken.stored);
    counts.cutValues += taken.cuts.size();
    return taken;
}

ImportResult importRows(ContactReader& reader, DuplicateIndex onFile, bool remindersOn,
                        std::size_t limit, const FieldLimits& limits) {
    ImportResult result;
    result.format = reader.formatName();
    const ImportStep step(std::move(onFile), remindersOn, limits);
    while (result.records.size() < limit) {
        std::optional<ContactRow> row = reader.next();
        if (!row) {
            break;
        }
        ImportStep::Taken taken = step.take(std::move(*row), result.counts);
        if (taken.verdict == ImportStep::Verdict::Add) {
            for (CutValue& cut : taken.cuts) {
                cut.contact = result.records.size();
                result.cuts.push_back(std::move(cut));
            }
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
    return importRows(*reader, std::move(onFile), remindersOn, limit, limits);
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
