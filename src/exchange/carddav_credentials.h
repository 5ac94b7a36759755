#pragma once

// Where the password for an address book server comes from: the environment variable
// QUILLMARK_CARDDAV_PASSWORD, else the user's ~/.netrc entry for the server's host. Never a
// command-line argument, and the program never writes it anywhere.

#include <optional>
#include <string>
#include <string_view>

namespace qm {

inline constexpr const char* kCarddavPasswordVariable = "QUILLMARK_CARDDAV_PASSWORD";

struct ServerLogin {
    std::string user;
    std::optional<std::string> password;  // none: the server is asked without one
};

// The netrc entry for `host` ("machine HOST", else "default") whose login is `user` (any
// login when `user` is empty); none when no entry fits. Tokens may be double-quoted with
// backslash escapes (\n, \r, \t, else the character itself); "macdef" bodies are skipped.
std::optional<ServerLogin> findNetrcLogin(std::string_view netrc, std::string_view host,
                                          std::string_view user);

// The bytes of a netrc file; none when there is no file. Read only when it is a regular file
// of this user that nobody else may read or change; otherwise throws QmError
// err::kNetrcRefused saying why (a FIFO is refused without waiting on it).
std::optional<std::string> readNetrc(const std::string& path);

// `user` with its password: the environment variable first, else $HOME/.netrc (which may also
// supply the user name when none is given).
ServerLogin findServerLogin(const std::string& host, const std::string& user);

}  // namespace qm
