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
inline constexpr int kFileAlreadyExists = 58;
inline constexpr int kBadRecordNumber = 63;
inline constexpr int kFileInUse = 70;
// A file that is not what it was taken for: not a contact book nor a contact file, a book of a
// newer version, a damaged book.
inline constexpr int kInvalidFileFormat = 321;
inline constexpr int kPrinterError = 482;
inline constexpr int kPrintCancelled = 32755;
// The address book server (texts in exchange/carddav_errors.h).
inline constexpr int kServerUnreachable = 35750;
inline constexpr int kServerCertificate = 35751;
inline constexpr int kServerLogin = 35752;
inline constexpr int kServerPasswordNeeded = 35753;
inline constexpr int kServerTimeout = 35754;
inline constexpr int kServerStatus = 35755;
inline constexpr int kServerBadAnswer = 35756;
inline constexpr int kServerConnectionCut = 35757;
inline constexpr int kServerRedirect = 35758;
inline constexpr int kNoAddressBook = 35759;
inline constexpr int kNotServerAddress = 35760;
inline constexpr int kServerReadCancelled = 35761;
inline constexpr int kSyncStateDamaged = 35762;
inline constexpr int kServerLimit = 35763;
inline constexpr int kNetrcRefused = 35764;
inline constexpr int kServerLoginElsewhere = 35765;
}  // namespace err

// The description of err::kFileInUse; the common error message adds the full stop.
inline constexpr const char* kFileInUseText =
    "The contact file is in use by another Quillmark window or command";

[[noreturn]] void throwError(int number, const std::string& description);
// Throws the current errno with its text, prefixed by what was being done to which path.
[[noreturn]] void throwErrno(const std::string& action, const std::string& path);

// "An error has occurred. Error number N -- description.  Try again, or notify author."
// Every command, in the windows and on the command line, ends its errors the same way.
std::string commonErrorText(int number, std::string_view description);
inline std::string commonErrorText(const QmError& e) {
    return commonErrorText(e.number(), e.description());
}

}  // namespace qm
