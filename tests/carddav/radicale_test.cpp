// The client against a real CardDAV server (radicale on 127.0.0.1, started by ctest).
#include <gtest/gtest.h>

#include <QTcpServer>
#include <QUrl>

#include "carddav/carddav_client.h"
#include "carddav/radicale_server.h"
#include "exchange/carddav_credentials.h"
#include "records/error.h"

namespace qm::carddav {
namespace {

using test::kAlice;
using test::kDora;

ServerConnection as(const test::RadicaleUser& user, const QString& url) {
    return ServerConnection{url.toStdString(), user.name, user.password};
}

// A unique address book name per test, so that tests may share the server.
QString bookName() {
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    return QString::fromStdString(std::string(info->test_suite_name()) + "-" + info->name())
        .toLower()
        .replace('/', '-');
}

CarddavSyncState stateAfter(const AddressBookRead& read) {
    CarddavSyncState state{read.addressBookUrl, read.syncToken, {}};
    for (const Card& card : read.cards) {
        state.cards.push_back(SyncedCard{card.href, card.etag, 0, 0});
    }
    return state;
}

int errorNumber(const std::function<void()>& step) {
    try {
        step();
    } catch (const QmError& e) {
        return e.number();
    }
    return 0;
}

TEST(Radicale, FindsTheAddressBookFromTheServerRootOrByItsName) {
    // dora's books are made by this test only; the first in href order is taken.
    const QString work = test::makeAddressBook(kDora, "work", "Work");
    const QString family = test::makeAddressBook(kDora, "family", "Family");
    test::putCard(kDora, family, "ann", test::personCard("ann", "Ann", "Lee"));
    test::putCard(kDora, work, "bob", test::personCard("bob", "Bob", "Ray"));

    const AddressBookRead fromRoot = readAddressBook(as(kDora, test::radicaleUrl()));
    EXPECT_EQ(fromRoot.addressBookUrl, family.toStdString());
    EXPECT_EQ(fromRoot.displayName, "Family");
    ASSERT_EQ(fromRoot.cards.size(), 1u);
    EXPECT_EQ(fromRoot.cards[0].href, "/dora/family/ann.vcf");

    const AddressBookRead principal = readAddressBook(as(kDora, test::radicaleUrl() + "dora/"));
    EXPECT_EQ(principal.addressBookUrl, family.toStdString());

    // An address that names a book by its display name, the user from the address.
    ServerConnection named = as(kDora, test::radicaleUrl().replace("://", "://dora@") + "Work");
    named.user.clear();
    EXPECT_EQ(readAddressBook(named).addressBookUrl, work.toStdString());

    EXPECT_EQ(errorNumber([&] { readAddressBook(as(kDora, test::radicaleUrl() + "Holiday")); }),
              err::kNoAddressBook);
}

TEST(Radicale, ReadsAnAddressBookGivenDirectly) {
    const QString book = test::makeAddressBook(kAlice, bookName(), "Direct");
    const std::string renee =
        "BEGIN:VCARD\r\nVERSION:4.0\r\nUID:renee\r\nFN:Renée Łódź\r\n"
        "N:Łódź;Renée;;;\r\nEND:VCARD\r\n";
    test::putCard(kAlice, book, "renee", renee);
    test::putCard(kAlice, book, "ann", test::personCard("ann", "Ann", "Lee"));

    const AddressBookRead read = readAddressBook(as(kAlice, book));
    EXPECT_EQ(read.addressBookUrl, book.toStdString());
    ASSERT_EQ(read.cards.size(), 2u);
    EXPECT_EQ(read.cards[1].href, (QUrl(book).path() + "renee.vcf").toStdString());
    EXPECT_NE(read.cards[1].vcard.find("FN:Renée Łódź"), std::string::npos);
    EXPECT_FALSE(read.cards[1].etag.empty());
    EXPECT_FALSE(read.syncToken.empty());
    EXPECT_FALSE(read.bySyncToken);
}

TEST(Radicale, FetchesAThousandCardsInBatchesWithProgress) {
    const QString book = test::makeFilledAddressBook(kAlice, bookName(), 1000);
    std::vector<std::pair<std::size_t, std::size_t>> steps;
    const AddressBookRead read = readAddressBook(
        as(kAlice, book), {},
        {[&](std::size_t done, std::size_t total) { steps.emplace_back(done, total); }, {}});
    ASSERT_EQ(read.cards.size(), 1000u);
    EXPECT_TRUE(std::is_sorted(read.cards.begin(), read.cards.end(),
                               [](const Card& a, const Card& b) { return a.href < b.href; }));
    ASSERT_EQ(steps.size(), 1000 / kMultigetBatch + 1);
    EXPECT_EQ(steps.front(), std::make_pair(std::size_t{0}, std::size_t{1000}));
    EXPECT_EQ(steps.back(), std::make_pair(std::size_t{1000}, std::size_t{1000}));
    EXPECT_NE(read.cards[0].vcard.find("N:Number0;Person"), std::string::npos);
}

// The same changes found by the sync token, by ETags when the state has no token, and by
// ETags again when the server no longer knows the token.
TEST(Radicale, ASecondReadFetchesOnlyWhatChanged) {
    struct Case {
        const char* name;
        std::function<void(CarddavSyncState&)> token;
        bool bySyncToken;
    };
    const Case cases[] = {
        {"token", [](CarddavSyncState&) {}, true},
        {"etags", [](CarddavSyncState& s) { s.syncToken.clear(); }, false},
        {"stale",
         [](CarddavSyncState& s) {
             s.syncToken = "http://radicale.org/ns/sync/" + std::string(64, 'a');
         },
         false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const QString book = test::makeAddressBook(kAlice, bookName() + c.name, "Sync");
        for (const char* uid : {"a", "b", "c", "d"}) {
            test::putCard(kAlice, book, uid, test::personCard(uid, "First", uid));
        }
        CarddavSyncState state = stateAfter(readAddressBook(as(kAlice, book)));
        ASSERT_EQ(state.cards.size(), 4u);

        const AddressBookRead same = readAddressBook(as(kAlice, book), state);
        EXPECT_TRUE(same.cards.empty());
        EXPECT_EQ(same.unchanged, 4u);
        EXPECT_EQ(same.bySyncToken, !state.syncToken.empty());

        test::putCard(kAlice, book, "b", test::personCard("b", "Changed", "b"));
        test::putCard(kAlice, book, "e", test::personCard("e", "New", "e"));
        test::deleteCard(kAlice, book, "c");
        c.token(state);
        const AddressBookRead changed = readAddressBook(as(kAlice, book), state);
        EXPECT_EQ(changed.bySyncToken, c.bySyncToken);
        ASSERT_EQ(changed.cards.size(), 2u);
        EXPECT_NE(changed.cards[0].vcard.find("FN:Changed b"), std::string::npos);
        EXPECT_EQ(changed.cards[1].href, (QUrl(book).path() + "e.vcf").toStdString());
        ASSERT_EQ(changed.removed.size(), 1u);
        EXPECT_EQ(changed.removed[0], (QUrl(book).path() + "c.vcf").toStdString());
        EXPECT_EQ(changed.unchanged, 2u);
        EXPECT_NE(changed.syncToken, state.syncToken);
    }
}

TEST(Radicale, AStateOfAnotherAddressBookCountsForNothing) {
    const QString book = test::makeAddressBook(kAlice, bookName(), "Other");
    test::putCard(kAlice, book, "a", test::personCard("a", "Ann", "Lee"));
    CarddavSyncState state = stateAfter(readAddressBook(as(kAlice, book)));
    state.addressBookUrl += "elsewhere/";
    EXPECT_EQ(readAddressBook(as(kAlice, book), state).cards.size(), 1u);
}

TEST(Radicale, LoginAndConnectionFailuresSayWhatWentWrong) {
    const QString book = test::makeAddressBook(kAlice, bookName(), "Login");
    QTcpServer closed;
    ASSERT_TRUE(closed.listen(QHostAddress::LocalHost));
    const QString closedUrl = QString("http://127.0.0.1:%1/").arg(closed.serverPort());
    closed.close();

    struct Case {
        ServerConnection connection;
        int number;
        const char* words;
    };
    const Case cases[] = {
        {{book.toStdString(), "alice", "wrong"},
         err::kServerLogin,
         "The address book server 127.0.0.1 refused the user name alice or its password"},
        {{book.toStdString(), "alice", std::nullopt},
         err::kServerPasswordNeeded,
         "The address book server 127.0.0.1 asks for a user name and password"},
        {{closedUrl.toStdString(), "alice", "secret"},
         err::kServerUnreachable,
         "Cannot reach the address book server 127.0.0.1 (Connection refused)"},
        {{test::onTlsServer(book).toStdString(), "alice", "secret"},
         err::kServerCertificate,
         "The certificate of the address book server 127.0.0.1 cannot be trusted ("},
        // A password beyond ASCII goes in UTF-8: the login passes, erin has no address book.
        {{test::radicaleUrl().toStdString(), "erin", "pässwörd"},
         err::kNoAddressBook,
         "No address book found at http://127.0.0.1:"},
        {{"ftp://127.0.0.1/book/", "alice", "secret"},
         err::kNotServerAddress,
         "ftp://127.0.0.1/book/ is not an address beginning with http:// or https://"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.connection.url);
        try {
            readAddressBook(c.connection);
            ADD_FAILURE() << "no error";
        } catch (const QmError& e) {
            EXPECT_EQ(e.number(), c.number);
            EXPECT_EQ(e.description().rfind(c.words, 0), 0u) << e.description();
        }
    }
}

TEST(Radicale, TheCommandLineLoginComesFromTheEnvironmentInUtf8) {
    ::setenv(kCarddavPasswordVariable, "pässwörd", 1);
    const ServerConnection connection =
        connectionFor(test::radicaleUrl().replace("://", "://erin@").toStdString(), "", false);
    ::unsetenv(kCarddavPasswordVariable);
    EXPECT_EQ(connection.user, "erin");
    // The login passes; erin has no address book.
    EXPECT_EQ(errorNumber([&] { readAddressBook(connection); }), err::kNoAddressBook);
}

TEST(Radicale, InsecureAcceptsTheSelfSignedCertificate) {
    const QString book = test::makeAddressBook(kAlice, bookName(), "Tls");
    test::putCard(kAlice, book, "a", test::personCard("a", "Ann", "Lee"));
    ServerConnection connection = as(kAlice, test::onTlsServer(book));
    connection.insecure = true;
    EXPECT_EQ(readAddressBook(connection).cards.size(), 1u);
}

TEST(Radicale, CancelStopsBetweenBatches) {
    const QString book = test::makeFilledAddressBook(kAlice, bookName(), 250);
    std::size_t batches = 0;
    ReadProgress progress{[&](std::size_t, std::size_t) { ++batches; },
                          [&] { return batches >= 2; }};
    EXPECT_EQ(errorNumber([&] { readAddressBook(as(kAlice, book), {}, progress); }),
              err::kServerReadCancelled);
    EXPECT_EQ(batches, 2u);
}

}  // namespace
}  // namespace qm::carddav
