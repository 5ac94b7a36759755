#pragma once

#include <stdexcept>
#include <string>
#include <string_view>

namespace qm {

// The error every core operation throws: a number and a description that travel up to the
// window, which shows them in the common error message.
class QmError : public std::runtime_error {
  public:
    QmError(int number, const std::string& description)
        : std::runtime_error(description), number_(number) {}
    int number() const { return number_; }
    std::string description() const { return what(); }

  private:
    int number_;
};

// Numbers of the program's own failures (system failures carry errno).
namespace err {
inline constexpr int kInvalidCall = 5;
inline constexpr int kOverflow = 6;
inline constexpr int kOutOfMemory = 7;
inline constexpr int kSubscriptOutOfRange = 9;
inline constexpr int kTypeMismatch = 13;
inline constexpr int kBadFileNameOrNumber = 52;
inline constexpr int kFileNotFound = 53;
inline constexpr int kBadRecordNumber = 63;
inline constexpr int kFileInUse = 70;
inline constexpr int kPrinterError = 482;
inline constexpr int kPrintCancelled = 32755;
}  // namespace err

// The description of err::kFileInUse; the common error message adds the full stop.
inline constexpr const char* kFileInUseText =
    "The contact file is in use by another Quillmark window or command";

[[noreturn]] void throwError(int number, const std::string& description);
// Throws the current errno with its text, prefixed by what was being done to which path.
[[noreturn]] void throwErrno(const std::string& action, const std::string& path);

enum class ErrorEnding { Author, Import };

// "An error has occurred. Error number N -- description.  Try again, or notify author."
std::string commonErrorText(int number, std::string_view description,
                            ErrorEnding ending = ErrorEnding::Author);
inline std::string commonErrorText(const QmError& e, ErrorEnding ending = ErrorEnding::Author) {
    return commonErrorText(e.number(), e.description(), ending);
}

}  // namespace qm
