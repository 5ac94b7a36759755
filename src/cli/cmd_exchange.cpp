// Subcommands of the import and export windows.
#include <filesystem>

#include "cli/cli.h"
#include "cli/cli_commands.h"
#include "exchange/csv_export.h"
#include "exchange/import_into_file.h"
#include "records/contact_file.h"
#include "records/error.h"
#include "records/file_ops.h"

namespace qm::cli {

namespace {

[[noreturn]] void refuseImportError(const QmError& error) {
    throw ImportFailure(error);
}

// The full path, as the file dialog gives it to the windows.
std::string fullPath(const std::string& path) {
    return std::filesystem::weakly_canonical(std::filesystem::absolute(path)).string();
}

}  // namespace

int runImport(const Args& args, Context& context) {
    args.requirePositionals(2, "FILE.DAT INPUT.csv");
    const std::string& path = args.positionals()[0];
    const std::string& csv = args.positionals()[1];
    onOffValue(args, "reminders");  // a wrong value is a usage error before any file is made

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
        result = importCsvFile(file, csv, remindersSetting(args, &file));
    } catch (const QmError& error) {
        try {
            dropIfNew();
        } catch (const QmError&) {
            // The import's own error is the one reported; the empty new file stays.
        }
        refuseImportError(error);
    }
    switch (result.outcome) {
        case ImportOutcome::Done:
            context.out << importCompletedText(result.records.size()) << '\n';
            break;
        case ImportOutcome::NotCompatible:
            dropIfNew();
            throw Refusal(kNotCompatibleTitle, kNotCompatibleText);
        case ImportOutcome::UnknownLayout:
            dropIfNew();
            break;
        case ImportOutcome::Stopped:
            // The contacts of the lines before the error stay, as in the window.
            dropIfNew();
            refuseImportError(*result.error);
    }
    return kOk;
}

int runExport(const Args& args, Context& context) {
    args.requirePositionals(1, "FILE.DAT");
    if (args.has("csv") == args.has("txt")) {
        throw UsageError("choose one of --csv and --txt");
    }
    ContactFile file;
    openContactFile(context, file, args.positionals()[0], FileUse::Read);
    const ExportResult result =
        exportContacts(file, fullPath(args.positionals()[0]), fullPath(context.appFolder),
                       args.has("csv") ? ExportFormat::Csv : ExportFormat::Txt);
    context.out << result.path << '\n';
    return kOk;
}

}  // namespace qm::cli
