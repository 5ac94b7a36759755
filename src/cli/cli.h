#pragma once

// The command-line interface: the same program, run with a subcommand, works without a
// window. Exit status 0 on success, 1 when the input is refused (the program's own message
// on standard error as "TITLE: TEXT"), 2 on a usage error.

#include <iosfwd>
#include <string>
#include <vector>

namespace qm::cli {

inline constexpr int kOk = 0;
inline constexpr int kRefused = 1;
inline constexpr int kUsage = 2;

// Whether argv names a subcommand (or asks for the command-line help).
bool isCliInvocation(int argc, char** argv);

int runCli(int argc, char** argv);

// Creates the GUI application object that printing needs, once, without a display.
void ensureGuiApplication();

// For tests: runs one invocation with the given arguments (without the program name).
int runCli(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace qm::cli
