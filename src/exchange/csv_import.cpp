#include "exchange/csv_import.h"

#include "exchange/csv_cleaning.h"
#include "exchange/csv_column_map.h"
#include "exchange/csv_layout.h"
#include "exchange/csv_text.h"
#include "exchange/duplicate_index.h"
#include "records/code_page.h"
#include "records/text_rules.h"

namespace qm {

namespace {

constexpr int kInputPastEnd = 62;

// A blank line (a doubled line end, a spreadsheet's empty row) holds no contact; looking up
// its fields would stop the import after every contact had been read.
bool isBlankLine(std::string_view line) {
    return trim(line).empty();
}

// Nothing would tell such a contact apart from the next one.
bool hasNothingToTellApart(const ContactRecord& w) {
    return trim(w.firstName).empty() && trim(w.lastName).empty() && trim(w.email).empty();
}

// The working contact as the contact file stores it: left-trimmed, cut to each field's width.
ContactRecord storedForm(const ContactRecord& working) {
    return decodeRecord(std::string_view(encodeRecord(working).data(), kRecordSize));
}

void importLines(const std::vector<std::string_view>& lines,
                 const std::vector<ContactRecord>& onFile, bool remindersOn, ImportResult& result) {
    if (lines.empty()) {
        throwError(kInputPastEnd, "Input past end of file");
    }
    const std::optional<CsvLayout> layout = detectLayout(lines.front());
    if (!layout) {
        result.outcome = ImportOutcome::UnknownLayout;
        return;
    }
    const std::optional<std::vector<std::string>> header = prepareHeader(*layout, lines.front());
    if (!header) {
        result.outcome = ImportOutcome::NotCompatible;
        return;
    }
    const DuplicateIndex duplicates(onFile);
    for (std::size_t i = 1; i < lines.size(); ++i) {
        const std::optional<std::string> line = prepareDataLine(*layout, lines[i]);
        if (!line || isBlankLine(*line)) {
            continue;
        }
        const std::vector<std::string_view> fields = splitFields(*line);
        if (skipDataLine(*layout, *line, fields)) {
            continue;
        }
        ContactRecord working = mapColumns(*layout, *header, fields);
        cleanContact(*layout, working);
        working.reminder.assign(1, remindersOn ? '1' : '0');
        // Compared as it would be stored: a long e-mail address or name on file is the
        // cut copy of the one in the file, and must still be found.
        ContactRecord stored = storedForm(working);
        if (hasNothingToTellApart(stored) || duplicates.isDuplicate(stored)) {
            continue;
        }
        result.records.push_back(std::move(stored));
    }
    result.outcome = ImportOutcome::Done;
}

}  // namespace

ImportResult importCsv(std::string_view fileBytes, const std::vector<ContactRecord>& onFile,
                       bool remindersOn) {
    ImportResult result;
    try {
        const std::string text = decodeTextFile(fileBytes);
        importLines(splitCsvLines(text), onFile, remindersOn, result);
    } catch (const QmError& e) {
        result.outcome = ImportOutcome::Stopped;
        result.error = e;
    }
    return result;
}

}  // namespace qm
