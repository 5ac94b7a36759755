#include "records/error.h"

#include <cerrno>
#include <cstring>

namespace qm {

void throwError(int number, const std::string& description) {
    throw QmError(number, description);
}

void throwErrno(const std::string& action, const std::string& path) {
    const int code = errno;
    throw QmError(code, std::string(std::strerror(code)) + " (" + action + " " + path + ")");
}

std::string commonErrorText(int number, std::string_view description) {
    std::string text = "An error has occurred. Error number " + std::to_string(number) + " -- ";
    text += description;
    text += ".  Try again, or notify author.";
    return text;
}

}  // namespace qm
