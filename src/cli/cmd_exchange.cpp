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
        ContactFile file;
        openContactFile(context, file, path, FileUse::Read);
        file.forEachRecord([&onFile](int, const ContactRecord& r) { onFile.add(r); });
        remindersOn = remindersSetting(args, &file);
    }
    const ImportResult result = importContactsAgainst(readWholeFile(input), onFile, remindersOn);
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
    if (args.has("dry-run")) {
        return dryRunImport(path, input, args, context);
    }

    const bool existed = systemFileOps().exists(path);
    ContactFile file;
    openContactFile(context, file, path, FileUse::Create);
    // A file made for this import goes again when nothing came into it (nor from anyone
    // else meanwhile: a writer waiting for it finds it gone and says so).
    const auto dropIfNew = [&] {
        if (existed) {
            return;
        }
        const ContactFile::Lock lock(file, LockKind::Exclusive);
        if (file.count() == 0) {
            systemFileOps().remove(path);
        }
    };
    ImportResult result;
    try {
        result = importContactFile(file, input, remindersSetting(args, &file));
    } catch (const QmError&) {
        try {
            dropIfNew();
        } catch (const QmError&) {
            // The import's own error is the one reported; the empty new file stays.
        }
        throw;
    }
    if (result.outcome == ImportOutcome::NotCompatible) {
        dropIfNew();
        throw Refusal(kNotCompatibleTitle, kNotCompatibleText);
    }
    context.out << importCompletedText(result) << '\n';
    return kOk;
}

int runExport(const Args& args, Context& context) {
    args.requirePositionals(1, "FILE.DAT");
    const int chosen =
        (args.has("csv") ? 1 : 0) + (args.has("txt") ? 1 : 0) + (args.has("vcard") ? 1 : 0);
    if (chosen != 1) {
        throw UsageError("choose one of --csv, --txt and --vcard");
    }
    const ExportFormat format = args.has("csv")   ? ExportFormat::Csv
                                : args.has("txt") ? ExportFormat::Txt
                                                  : ExportFormat::VCard;
    ContactFile file;
    openContactFile(context, file, args.positionals()[0], FileUse::Read);
    const ExportResult result =
        exportContacts(file, fullPath(args.positionals()[0]), fullPath(context.appFolder), format);
    context.out << result.path << '\n';
    return kOk;
}

}  // namespace qm::cli
