// The contact list: its lines, or labels or the report for them.
#include <ostream>

#include "cli/cli.h"
#include "cli/cli_commands.h"
#include "cli/cli_output.h"
#include "list/contact_list.h"
#include "list/contact_report.h"
#include "list/list_labels.h"
#include "list/listed_contacts.h"
#include "printing/label_stock.h"
#include "records/contact_store.h"
#include "records/file_title.h"

namespace qm::cli {

namespace {

struct SearchName {
    const char* name;
    SearchField field;
};

constexpr SearchName kSearchNames[] = {
    {"first", SearchField::FirstName},   {"last", SearchField::LastName},
    {"city", SearchField::City},         {"state", SearchField::State},
    {"zip", SearchField::Zip},           {"email", SearchField::Email},
    {"category", SearchField::Category}, {"company", SearchField::Company},
};

struct Search {
    SearchField field = SearchField::All;
    std::string text;
};

Search searchOf(const Args& args) {
    const auto given = args.value("search");
    if (!given) {
        return {};
    }
    const auto eq = given->find('=');
    const std::string name = given->substr(0, eq);
    for (const SearchName& s : kSearchNames) {
        if (eq != std::string::npos && name == s.name) {
            return {s.field, argText(given->substr(eq + 1))};
        }
    }
    throw UsageError(
        "--search takes FIELD=TEXT with FIELD one of first, last, city, state, zip, "
        "email, category, company");
}

SortOrder sortOf(const Args& args) {
    const std::string sort = args.value("sort").value_or("first");
    if (sort != "first" && sort != "last") {
        throw UsageError("--sort takes first or last");
    }
    return sort == "first" ? SortOrder::ByFirstName : SortOrder::ByLastName;
}

// Record number, tab and line, in large writes: a list may have a million lines.
void writeListLines(std::ostream& out, const std::vector<ListEntry>& entries) {
    constexpr std::size_t kFlushAt = 1 << 16;
    std::string text;
    text.reserve(kFlushAt + 512);
    for (const ListEntry& entry : entries) {
        text += std::to_string(entry.record);
        text += '\t';
        text += entry.line;
        text += '\n';
        if (text.size() >= kFlushAt) {
            out << text;
            text.clear();
        }
    }
    out << text;
}

}  // namespace

int runList(const Args& args, Context& context) {
    args.requirePositionals(1, "FILE.DAT");
    const std::string& path = args.positionals()[0];
    const Search search = searchOf(args);
    const SortOrder order = sortOf(args);
    const bool labels = args.has("labels");
    const bool report = args.has("report");
    if (labels && report) {
        throw UsageError("choose one of --labels and --report");
    }
    const int copies = args.intValue("copies", 1, 999).value_or(1);

    if (!labels && !report) {
        for (const char* printOnly : {"o", "printer", "text", "runs", "copies", "device-name"}) {
            if (args.has(printOnly)) {
                throw UsageError("an output goes with --labels or --report");
            }
        }
        const std::unique_ptr<ContactStore> contacts = openContacts(context, path, FileUse::Read);
        writeListLines(context.out,
                       buildContactList(*contacts, search.field,
                                        storableArg(search.text, contacts->fieldLimits()), order));
        return kOk;
    }

    Output output(args, args.value("device-name").value_or(""));
    const std::unique_ptr<ContactStore> contacts = openContacts(context, path, FileUse::Read);
    std::vector<ListEntry> entries = buildContactList(
        *contacts, search.field, storableArg(search.text, contacts->fieldLimits()), order);
    if (labels) {
        // Read before the list is looked at, as the window's command does.
        readAdjustmentOrRefuse(context, kSectionBulkList);
        if (entries.empty()) {
            throw Refusal(kEmptyListTitle, kEmptyListText);
        }
        // Labels need only the record numbers; the lines go before the printing starts.
        std::vector<int> records;
        records.reserve(entries.size());
        for (const ListEntry& entry : entries) {
            records.push_back(entry.record);
        }
        std::vector<ListEntry>().swap(entries);
        ListedContacts listed(*contacts, records);
        const auto contactAt = [&](std::size_t i) { return listed(records[i]); };
        output.print(context, listLabelsPlan(kAddressSheet, records.size(), contactAt), copies);
    } else {
        std::vector<std::string> lines;
        lines.reserve(entries.size());
        for (ListEntry& entry : entries) {
            lines.push_back(std::move(entry.line));
        }
        std::vector<ListEntry>().swap(entries);
        const std::string title = argText(contactFileTitle(path));
        output.print(context, contactReportPlan(std::move(lines), title, std::nullopt), copies);
    }
    return kOk;
}

}  // namespace qm::cli
