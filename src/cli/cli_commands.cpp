#include "cli/cli_commands.h"

namespace qm::cli {

namespace {

OptionSpec withHelp(OptionSpec spec) {
    spec.flags.insert("help");
    return spec;
}

}  // namespace

const std::vector<Command>& commands() {
    static const std::vector<Command> list = {
        {"delete", "delete FILE.DAT RECNO",
         "Deletes contact RECNO (from 1) of the contact file and closes the gap, as the\n"
         "contact browser's Delete does, without the questions. Prints nothing.\n\n"
         "Example:\n  quillmark delete Friends.DAT 2\n",
         withHelp({}), runDelete},
    };
    return list;
}

}  // namespace qm::cli
