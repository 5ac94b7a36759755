#pragma once

// One function per subcommand; each gets the arguments after its name.

#include <optional>
#include <string>
#include <vector>

#include "cli/cli_context.h"
#include "records/contact_record.h"

namespace qm {
class DuplicateIndex;
struct ImportResult;
}  // namespace qm

namespace qm::cli {

using Argv = std::vector<std::string>;

struct Command {
    const char* name;
    std::string usage;
    std::string help;  // what it does, its options, an example
    OptionSet options;
    int (*run)(const Args& args, Context& context);
};

const std::vector<Command>& commands();

int runLabels(const Args& args, Context& context);
int runEnvelope(const Args& args, Context& context);
int runReturnLabels(const Args& args, Context& context);
int runCalibrate(const Args& args, Context& context);
int runStocks(const Args& args, Context& context);
int runList(const Args& args, Context& context);
int runParse(const Args& args, Context& context);
int runAdd(const Args& args, Context& context);
int runEdit(const Args& args, Context& context);
int runDelete(const Args& args, Context& context);
int runImport(const Args& args, Context& context);
int runExport(const Args& args, Context& context);
int runSync(const Args& args, Context& context);
int runBirthdays(const Args& args, Context& context);
int runConvert(const Args& args, Context& context);

// Shared by the subcommands that write contacts.
// The seventeen contact-field options (--first ... --notes) and --reminders.
OptionSet contactFieldOptions(OptionSet options);
// An option that takes on or off; usage error otherwise.
std::optional<bool> onOffValue(const Args& args, const std::string& name);
// --reminders, else the file's own state as opening it sets it (no file: on).
bool remindersSetting(const Args& args, const ContactStore* contacts);

// The address book server as import source (cmd_carddav.cpp).
// An argument that begins with http:// or https://.
bool isServerAddress(const std::string& argument);
// Usage errors: --user or --insecure with a file, a password in the address.
void checkServerOptions(const Args& args, const std::string& input);
// The import from the server, with a progress line on a terminal. Ctrl+C while the server is
// read ends the read as a cancel (err::kServerReadCancelled), so that the caller can remove a
// file made for the run before endIfInterrupted.
ImportResult importFromServer(ContactStore& contacts, const std::string& url, const Args& args,
                              Context& context, bool remindersOn);
// After a read ended by Ctrl+C and the caller's cleanup: the program ends by the signal, as
// it would have without the cleanup. Otherwise nothing.
void endIfInterrupted();
// What that import would add to the contacts `onFile` holds in a store of these limits,
// without writing.
ImportResult previewFromServer(const std::string& url, const Args& args, Context& context,
                               DuplicateIndex onFile, bool remindersOn, const FieldLimits& limits);

}  // namespace qm::cli
