#include "shell/app_folder.h"

#include <cstdlib>
#include <filesystem>
#include <system_error>

#include "records/error.h"
#include "records/file_ops.h"
#include "records/parameter_file.h"

namespace qm {

std::string resolveAppFolder(const std::string& homeArgument) {
    if (!homeArgument.empty()) {
        return homeArgument;
    }
    if (const char* env = std::getenv("QUILLMARK_HOME"); env != nullptr && *env != '\0') {
        return env;
    }
    const char* home = std::getenv("HOME");
    return std::string(home != nullptr ? home : ".") + "/Documents/Quillmark";
}

std::string defaultParameterFile() {
    return "ONTHEFLY 0   0  \r\n"
           "BULKLIST 0   0  \r\n"
           "ENVELOPE 0   0  \r\n";
}

void prepareAppFolder(const std::string& folder) {
    std::error_code ec;
    std::filesystem::create_directories(folder, ec);
    if (ec) {
        throw QmError(ec.value(), ec.message() + " (creating folder " + folder + ")");
    }
    const std::string params = parameterFilePath(folder);
    // Several first runs at once each offer a whole file; the first one stays.
    if (!systemFileOps().exists(params)) {
        createFileAtomically(params, defaultParameterFile());
    }
}

}  // namespace qm
