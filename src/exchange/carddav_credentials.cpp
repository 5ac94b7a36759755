#include "exchange/carddav_credentials.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "exchange/carddav_errors.h"
#include "records/error.h"
#include "records/file_ops.h"
#include "records/text_rules.h"

namespace qm {

namespace {

struct Token {
    std::string text;
    bool lineEndsAfter = false;  // the token is the last one of its line
    bool blankLineAfter = false;
};

// The character a backslash and `c` stand for inside quotes.
char escaped(char c) {
    switch (c) {
        case 'n':
            return '\n';
        case 'r':
            return '\r';
        case 't':
            return '\t';
        default:
            return c;
    }
}

bool isBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

std::vector<Token> tokens(std::string_view text) {
    std::vector<Token> out;
    std::size_t i = 0;
    while (i < text.size()) {
        if (isBlank(text[i])) {
            ++i;
            continue;
        }
        Token t;
        if (text[i] == '"') {
            for (++i; i < text.size() && text[i] != '"'; ++i) {
                if (text[i] == '\\' && i + 1 < text.size()) {
                    t.text += escaped(text[++i]);
                } else {
                    t.text += text[i];
                }
            }
            if (i < text.size()) {
                ++i;  // the closing quote; a file may end inside an open one
            }
        } else {
            for (; i < text.size() && !isBlank(text[i]); ++i) {
                t.text += text[i];
            }
        }
        std::size_t j = i;
        while (j < text.size() && (text[j] == ' ' || text[j] == '\t' || text[j] == '\r')) {
            ++j;
        }
        t.lineEndsAfter = j == text.size() || text[j] == '\n';
        if (t.lineEndsAfter) {
            std::size_t k = j + 1;
            while (k < text.size() && (text[k] == ' ' || text[k] == '\t' || text[k] == '\r')) {
                ++k;
            }
            t.blankLineAfter = k >= text.size() || text[k] == '\n';
        }
        out.push_back(std::move(t));
    }
    return out;
}

bool sameHost(std::string_view a, std::string_view b) {
    return compareNoCase(a, b) == 0;
}

}  // namespace

std::optional<ServerLogin> findNetrcLogin(std::string_view netrc, std::string_view host,
                                          std::string_view user) {
    const std::vector<Token> t = tokens(netrc);
    std::optional<ServerLogin> fallback;  // the "default" entry
    std::size_t i = 0;
    while (i < t.size()) {
        const std::string& word = t[i].text;
        if (word == "macdef") {
            // The macro runs to the next blank line.
            while (i < t.size() && !t[i].blankLineAfter) {
                ++i;
            }
            ++i;
            continue;
        }
        if (word != "machine" && word != "default") {
            ++i;
            continue;
        }
        const bool isDefault = word == "default";
        const bool hostFits = isDefault || (i + 1 < t.size() && sameHost(t[i + 1].text, host));
        i += isDefault ? 1 : 2;
        ServerLogin login;
        for (; i + 1 < t.size() && t[i].text != "machine" && t[i].text != "default" &&
               t[i].text != "macdef";
             i += 2) {
            if (t[i].text == "login") {
                login.user = t[i + 1].text;
            } else if (t[i].text == "password") {
                login.password = t[i + 1].text;
            }
        }
        if (!hostFits || (!user.empty() && !login.user.empty() && login.user != user)) {
            continue;
        }
        if (login.user.empty()) {
            login.user = std::string(user);
        }
        if (!isDefault) {
            return login;
        }
        if (!fallback) {
            fallback = login;
        }
    }
    return fallback;
}

std::optional<std::string> readNetrc(const std::string& path) {
    // Never blocks: a FIFO or a device there is refused, not waited on.
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        if (errno == ENOENT) {
            return std::nullopt;
        }
        throwErrno("opening", path);
    }
    struct stat st {};
    const bool statted = ::fstat(fd, &st) == 0;
    const int statError = errno;
    std::string why;
    if (!statted) {
        why = std::strerror(statError);
    } else if (!S_ISREG(st.st_mode)) {
        why = "it is not a regular file";
    } else if (st.st_uid != ::geteuid()) {
        why = "it belongs to another user";
    } else if ((st.st_mode & (S_IRGRP | S_IWGRP | S_IROTH | S_IWOTH)) != 0) {
        why = "others can read or change it (chmod 600 " + path + " makes it yours alone)";
    }
    if (!why.empty()) {
        ::close(fd);
        throw carddav_error::netrcRefused(path, why);
    }
    std::string bytes;
    try {
        FileOps& ops = systemFileOps();
        bytes.resize(static_cast<std::size_t>(ops.size(fd)));
        bytes.resize(ops.readAt(fd, bytes.data(), bytes.size(), 0));
    } catch (...) {
        ::close(fd);
        throw;
    }
    ::close(fd);
    return bytes;
}

ServerLogin findServerLogin(const std::string& host, const std::string& user) {
    ServerLogin login{user, std::nullopt};
    if (const char* password = std::getenv(kCarddavPasswordVariable); password && *password) {
        login.password = password;
        return login;
    }
    const char* home = std::getenv("HOME");
    if (home == nullptr || *home == '\0') {
        return login;
    }
    const std::optional<std::string> netrc = readNetrc(std::string(home) + "/.netrc");
    if (!netrc) {
        return login;
    }
    if (std::optional<ServerLogin> found = findNetrcLogin(*netrc, host, user)) {
        return *found;
    }
    return login;
}

}  // namespace qm
