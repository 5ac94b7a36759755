#pragma once

// One function per subcommand; each gets the arguments after its name.

#include <string>
#include <vector>

#include "cli/cli_context.h"

namespace qm::cli {

using Argv = std::vector<std::string>;

struct Command {
    const char* name;
    const char* usage;
    const char* help;  // what it does, its options, an example
    OptionSpec options;
    int (*run)(const Args& args, Context& context);
};

const std::vector<Command>& commands();

int runDelete(const Args& args, Context& context);

}  // namespace qm::cli
