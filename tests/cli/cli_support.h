#pragma once

#include <sstream>
#include <string>
#include <vector>

#include "cli/cli.h"

namespace qm::test {

struct CliResult {
    int status;
    std::string out;
    std::string err;
};

inline CliResult runQuillmark(const std::vector<std::string>& args) {
    std::ostringstream out;
    std::ostringstream err;
    const int status = cli::runCli(args, out, err);
    return {status, out.str(), err.str()};
}

}  // namespace qm::test
