#include "exchange/carddav_credentials.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <memory>

#include "records/error.h"

#include "support/temp_folder.h"

namespace qm {
namespace {

TEST(CarddavCredentials, NetrcEntryForTheHostAndUser) {
    const std::string netrc =
        "machine other.example.com login ann password wrong\n"
        "machine DAV.example.com\n  login ann\n  password \"two words \\\" here\"\n"
        "macdef init\nmachine dav.example.com login bob password macro\n\n"
        "machine dav.example.com login bob password bobs\n"
        "default login guest password anyone\n";
    struct Case {
        const char* host;
        const char* user;
        std::optional<std::string> login;
        std::optional<std::string> password;
    };
    const Case cases[] = {
        {"dav.example.com", "ann", "ann", "two words \" here"},
        {"dav.example.com", "", "ann", "two words \" here"},    // the first entry gives the user
        {"dav.example.com", "bob", "bob", "bobs"},              // not the macro's text
        {"dav.example.com", "cy", std::nullopt, std::nullopt},  // default is for guest only
        {"elsewhere.org", "", "guest", "anyone"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.host) + " " + c.user);
        const auto found = findNetrcLogin(netrc, c.host, c.user);
        EXPECT_EQ(found.has_value(), c.login.has_value());
        if (found) {
            EXPECT_EQ(found->user, *c.login);
            EXPECT_EQ(found->password, c.password);
        }
    }
    EXPECT_EQ(findNetrcLogin("machine h login u", "h", "")->password, std::nullopt);
}

// A file that ends inside an open quote is read up to its end, never past it (the bytes are
// copied to a block of their own size so that a sanitizer sees any read beyond).
TEST(CarddavCredentials, NetrcEndingInsideAQuote) {
    const auto parse = [](const std::string& text, const char* user) {
        const std::unique_ptr<char[]> exact(new char[text.size()]);
        std::memcpy(exact.get(), text.data(), text.size());
        return findNetrcLogin(std::string_view(exact.get(), text.size()), "h", user);
    };
    EXPECT_EQ(parse("\"", ""), std::nullopt);
    EXPECT_EQ(parse("machine h login ann password \"se\\", "ann")->password, "se\\");
    EXPECT_EQ(parse("machine h login \"a\\tb\" password \"s\\\"t", "")->password, "s\"t");
    EXPECT_EQ(parse("machine h login \"a\\tb\" password x", "")->user, "a\tb");
}

// Refused with the reason, never waited on: a FIFO, a file others may read, another user's.
TEST(CarddavCredentials, NetrcOnlyWhenItIsTheUsersAlone) {
    test::TempFolder home;
    const std::string path = home.file(".netrc");
    const auto refusal = [&] {
        try {
            readNetrc(path);
        } catch (const QmError& e) {
            EXPECT_EQ(e.number(), err::kNetrcRefused);
            return e.description();
        }
        return std::string("read");
    };
    EXPECT_EQ(readNetrc(path), std::nullopt);
    ASSERT_EQ(::mkfifo(path.c_str(), 0600), 0);
    EXPECT_EQ(refusal(), path + " is not read: it is not a regular file");
    ::unlink(path.c_str());
    test::writeBytes(path, "machine h login ann password pw\n");
    ::chmod(path.c_str(), 0644);
    EXPECT_EQ(refusal(), path + " is not read: others can read or change it (chmod 600 " + path +
                             " makes it yours alone)");
    ::chmod(path.c_str(), 0600);
    EXPECT_EQ(readNetrc(path), "machine h login ann password pw\n");
    if (::geteuid() == 0) {
        ASSERT_EQ(::chown(path.c_str(), 65534, 65534), 0);
        EXPECT_EQ(refusal(), path + " is not read: it belongs to another user");
    }
}

TEST(CarddavCredentials, EnvironmentBeforeNetrc) {
    test::TempFolder home;
    test::writeBytes(home.file(".netrc"), "machine dav.example.com login ann password fromfile\n");
    ::chmod(home.file(".netrc").c_str(), 0600);
    const std::string oldHome = std::getenv("HOME") ? std::getenv("HOME") : "";
    ::setenv("HOME", home.path().c_str(), 1);
    ::unsetenv(kCarddavPasswordVariable);
    EXPECT_EQ(findServerLogin("dav.example.com", "ann").password, "fromfile");
    EXPECT_EQ(findServerLogin("dav.example.com", "").user, "ann");
    EXPECT_EQ(findServerLogin("other.example.com", "ann").password, std::nullopt);
    ::setenv(kCarddavPasswordVariable, "fromenv", 1);
    EXPECT_EQ(findServerLogin("dav.example.com", "ann").password, "fromenv");
    ::unsetenv(kCarddavPasswordVariable);
    ::setenv("HOME", oldHome.c_str(), 1);
}

}  // namespace
}  // namespace qm
