#include "exchange/carddav_credentials.h"

#include <gtest/gtest.h>

#include <cstdlib>

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

TEST(CarddavCredentials, EnvironmentBeforeNetrc) {
    test::TempFolder home;
    test::writeBytes(home.file(".netrc"), "machine dav.example.com login ann password fromfile\n");
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
