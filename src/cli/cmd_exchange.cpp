// Subcommands of the import and export windows.
#include <filesystem>

#include "cli/cli.h"
#include "cli/cli_commands.h"
#include "exchange/csv_export.h"
#include "exchange/import_into_file.h"
#include "list/contact_list.h"
#include "records/contact_file.h"
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
    std::vector<ContactRecord> onFile;
    bool remindersOn = remindersSetting(args, nullptr);
    if (systemFileOps().exists(path)) {
        ContactFile file;
        openContactFile(context, file, path, FileUse::Read);
        onFile = file.readAll();
        remindersOn = remindersSetting(args, &file);
    }
    const ImportResult result = isServerAddress(input)
                                    ? previewFromServer(input, args, context, onFile, remindersOn)
                                    : importContacts(readWholeFile(input), onFile, remindersOn);
    if (result.outcome == ImportOutcome::NotCompatible) {
        throw Refusal(kNotCompatibleTitle, kNotCompatibleText);
    }
    for (std::size_t i = 0; i < result.records.size(); ++i) {
        context.out << onFile.size() + i + 1 << '\t'
                    << outText(listLine(result.records[i], SortOrder::ByFirstName)) << '\n';
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
    ContactFile file;
    openContactFile(context, file, path, FileUse::Create);
    ImportResult result;
    try {
        const bool remindersOn = remindersSetting(args, &file);
        result = isServerAddress(input) ? importFromServer(file, input, args, context, remindersOn)
                                        : importContactFile(file, input, remindersOn);
    } catch (const QmError&) {
        removeIfMadeEmptyAfterFailure(context, file, path, existed);
        endIfInterrupted();
        throw;
    }
    if (result.outcome == ImportOutcome::NotCompatible) {
        removeIfMadeEmpty(file, path, existed);
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
    ContactFile file;
    openContactFile(context, file, args.positionals()[0], FileUse::Read);
    const ExportResult result =
        exportContacts(file, fullPath(args.positionals()[0]), fullPath(context.appFolder), format);
    context.out << result.path << '\n';
    return kOk;
}

}  // namespace qm::cli
