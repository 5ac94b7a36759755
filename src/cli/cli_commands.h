#pragma once

// One function per subcommand; each gets the arguments after its name.

#include <optional>
#include <string>
#include <vector>

#include "cli/cli_context.h"

namespace qm::cli {

using Argv = std::vector<std::string>;

struct Command {
    const char* name;
    const char* usage;
    std::string help;  // what it does, its options, an example
    OptionSet options;
    int (*run)(const Args& args, Context& context);
};

const std::vector<Command>& commands();

int runLabels(const Args& args, Context& context);
int runEnvelope(const Args& args, Context& context);
int runReturnLabels(const Args& args, Context& context);
int runCalibrate(const Args& args, Context& context);
int runList(const Args& args, Context& context);
int runParse(const Args& args, Context& context);
int runAdd(const Args& args, Context& context);
int runEdit(const Args& args, Context& context);
int runDelete(const Args& args, Context& context);
int runImport(const Args& args, Context& context);
int runExport(const Args& args, Context& context);
int runBirthdays(const Args& args, Context& context);

// Shared by the subcommands that write contacts.
// The seventeen contact-field options (--first ... --notes) and --reminders.
OptionSet contactFieldOptions(OptionSet options);
// An option that takes on or off; usage error otherwise.
std::optional<bool> onOffValue(const Args& args, const std::string& name);
// --reminders, else the file's own state as opening it sets it (no file: on).
bool remindersSetting(const Args& args, const ContactFile* file);

}  // namespace qm::cli
