// Subcommands that change single contacts.
#include <cstdlib>

#include "cli/cli.h"
#include "cli/cli_commands.h"
#include "records/contact_file.h"
#include "records/error.h"

namespace qm::cli {

namespace {

int recordNumber(const std::string& text) {
    char* end = nullptr;
    const long n = std::strtol(text.c_str(), &end, 10);
    if (text.empty() || *end != '\0' || n < 1 || n > 1000000000) {
        throw UsageError("RECNO must be a record number from 1");
    }
    return static_cast<int>(n);
}

}  // namespace

int runDelete(const Args& args, Context&) {
    args.requirePositionals(2, "FILE.DAT RECNO");
    const int n = recordNumber(args.positionals()[1]);
    ContactFile file;
    openContactFile(file, args.positionals()[0], false);
    if (n > file.count()) {
        throw QmError(err::kBadRecordNumber, "Bad record number");
    }
    file.deleteRecord(n);
    return kOk;
}

}  // namespace qm::cli
