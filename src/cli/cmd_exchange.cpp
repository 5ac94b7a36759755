// Subcommands of the import and export windows.
#include <filesystem>

#include "cli/cli.h"
#include "cli/cli_commands.h"
#include "exchange/csv_export.h"
#include "exchange/import_into_file.h"
#include "list/contact_list.h"
#include "records/contact_store.h"
#include "records/error.h"
#include "records/file_ops.h"
#include "records/text_rules.h"

namespace qm::cli {

namespace {

// The full path, as the file dialog gives it to the windows.
std::string fullPath(const std::string& path) {
    return std::filesystem::weakly_canonical(std::filesystem::absolute(path)).string();
}

// The import without writing: the contacts it would add, as `list` prints them (with the
// record numbers they would get), and its summary on standard error.
int dryRunImport(const std::string& path, const std::string& input, const Args& args,
                 Context& context) {
    DuplicateIndex onFile;
    bool remindersOn = remindersSetting(args, nullptr);
    if (systemFileOps().exists(path)) {
        const std::unique_ptr<ContactStore> contacts = openContacts(context, path, FileUse::Read);
        onFile = indexContacts(*contacts);
        remindersOn = remindersSetting(args, contacts.get());
    }
    // The index holds one entry per contact on file.
    const std::size_t onFileCount = onFile.size();
    const ImportResult result =
        isServerAddress(input)
            ? previewFromServer(input, args, context, std::move(onFile), remindersOn)
            : importContacts(readWholeFile(input), std::move(onFile), remindersOn);
    if (result.outcome == ImportOutcome::NotCompatible) {
        throw Refusal(kNotCompatibleTitle, kNotCompatibleText);
    }
    for (std::size_t i = 0; i < result.records.size(); ++i) {
        context.out << onFileCount + i + 1 << '\t'
                    << listLine(result.records[i], SortOrder::ByFirstName) << '\n';
    }
    const std::string skipped = importSkippedText(result.counts);
    context.err << "Dry run: " << result.records.size() << " contacts would be imported ("
                << result.format << "); nothing was written." << (skipped.empty() ? "" : "  ")
                << skipped << '\n';
    return kOk;
}

}  // namespace

int runImport(const Args& args, Context& context) {
    args.requirePositionals(2, "FILE.DAT INPUT");
    const std::string& path = args.positionals()[0];
    const std::string& input = args.positionals()[1];
    onOffValue(args, "reminders");  // a wrong value is a usage error before any file is made
    checkServerOptions(args, input);
    if (args.has("dry-run")) {
        return dryRunImport(path, input, args, context);
    }

    const bool existed = systemFileOps().exists(path);
    const std::unique_ptr<ContactStore> contacts = openContacts(context, path, FileUse::Create);
    ImportResult result;
    try {
        const bool remindersOn = remindersSetting(args, contacts.get());
        result = isServerAddress(input)
                     ? importFromServer(*contacts, input, args, context, remindersOn)
                     : importContactFile(*contacts, input, remindersOn);
    } catch (const QmError&) {
        removeIfMadeEmptyAfterFailure(context, *contacts, path, existed);
        endIfInterrupted();
        throw;
    }
    if (result.outcome == ImportOutcome::NotCompatible) {
        removeIfMadeEmpty(*contacts, path, existed);
        throw Refusal(kNotCompatibleTitle, kNotCompatibleText);
    }
    context.out << importCompletedText(result) << '\n';
    return kOk;
}

int runExport(const Args& args, Context& context) {
    args.requirePositionals(1, "FILE.DAT");
    std::vector<std::string> flags;
    std::vector<ExportFormat> chosen;
    for (const ContactFormat& row : contactFormats()) {
        if (row.exportFormat) {
            flags.push_back("--" + std::string(row.exportFlag));
            if (args.has(std::string(row.exportFlag))) {
                chosen.push_back(*row.exportFormat);
            }
        }
    }
    if (chosen.size() != 1) {
        throw UsageError("choose one of " + spokenList(flags));
    }
    const ExportFormat format = chosen.front();
    const std::unique_ptr<ContactStore> contacts =
        openContacts(context, args.positionals()[0], FileUse::Read);
    context.requireAppFolder();
    const ExportResult result = exportContacts(*contacts, fullPath(args.positionals()[0]),
                                               fullPath(context.appFolder), format);
    context.out << result.path << '\n';
    return kOk;
}

}  // namespace qm::cli
