// The contact book under a kill at any moment and on a full disk: SQLite's transactions are
// what keeps the promise, so real processes are killed at random moments, many times, and a
// small file system of its own is filled.

#include <gtest/gtest.h>

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <map>
#include <random>
#include <set>
#include <sstream>

#include "records/contact_book.h"
#include "records/error.h"
#include "support/small_tmpfs.h"
#include "support/temp_folder.h"

namespace qm {
namespace {

constexpr std::size_t kBatch = 10;

// Every text field holds the contact's tag, so a contact written in part would show.
ContactRecord tagged(const std::string& tag, std::size_t length = 0) {
    ContactRecord r;
    const std::string value =
        length > tag.size() ? tag + std::string(length - tag.size(), 'x') : tag;
    for (ContactField field : kAllContactFields) {
        r.*(describe(field).stored) = value;
    }
    r.reminder = "1";
    return r;
}

std::string tagOf(const ContactRecord& r) {
    std::string tag = r.firstName;
    const std::size_t pad = tag.find('x');
    return pad == std::string::npos ? tag : tag.substr(0, pad);
}

// The tags in the book, each checked to be whole.
std::vector<std::string> tagsIn(const ContactBook& book) {
    std::vector<std::string> tags;
    book.forEachRecord([&tags](int, const ContactRecord& r) {
        for (ContactField field : kAllContactFields) {
            EXPECT_EQ(r.*(describe(field).stored), r.firstName) << "a contact written in part";
        }
        tags.push_back(tagOf(r));
    });
    return tags;
}

// Runs changes in a child process for ever, telling the parent through a pipe each change
// that returned: "+TAG" a batch appended, "-TAG" a contact deleted, "=OLD NEW" one rewritten.
pid_t startWriter(const std::string& path, int round, int report) {
    const pid_t child = ::fork();
    if (child != 0) {
        return child;
    }
    ContactBook book;
    book.open(path);
    std::mt19937 random(static_cast<unsigned>(round));
    for (int i = 0;; ++i) {
        const std::string tag = "r" + std::to_string(round) + "i" + std::to_string(i);
        std::string done;
        const int n = book.count();
        const int pick = n > 0 ? static_cast<int>(random() % static_cast<unsigned>(n)) + 1 : 0;
        switch (n == 0 ? 0 : random() % 4) {
            case 0: {
                std::vector<ContactRecord> batch;
                for (std::size_t k = 0; k < kBatch; ++k) {
                    batch.push_back(tagged("b" + tag));
                }
                book.appendAll(batch);
                done = "+b" + tag;
                break;
            }
            case 1: {
                const std::string old = tagOf(book.read(pick));
                book.deleteRecord(pick);
                done = "-" + old;
                break;
            }
            case 2: {
                const std::string old = tagOf(book.read(pick));
                book.write(pick, tagged("w" + tag));
                done = "=" + old + " w" + tag;
                break;
            }
            default:
                book.setAllReminderFlags(i % 2 == 0 ? "0" : "1");
                break;
        }
        done += "\n";
        if (::write(report, done.data(), done.size()) < 0) {
            ::_exit(1);
        }
    }
}

std::string drain(int fd) {
    std::string all;
    char buffer[4096];
    ssize_t got = 0;
    while ((got = ::read(fd, buffer, sizeof buffer)) > 0) {
        all.append(buffer, static_cast<std::size_t>(got));
    }
    return all;
}

// What the book must hold after the changes the writer reported: each tag with its count.
void applyReports(const std::string& reports, std::multiset<std::string>& expected) {
    std::istringstream lines(reports);
    std::string line;
    while (std::getline(lines, line)) {
        if (line[0] == '+') {
            for (std::size_t k = 0; k < kBatch; ++k) {
                expected.insert(line.substr(1));
            }
        } else if (line[0] == '-') {
            expected.erase(expected.find(line.substr(1)));
        } else if (line[0] == '=') {
            const std::size_t blank = line.find(' ');
            expected.erase(expected.find(line.substr(1, blank - 1)));
            expected.insert(line.substr(blank + 1));
        }
    }
}

// What the killed change may have done besides the reported ones: one batch added, one
// contact removed, or one rewritten.
bool atMostOneChangeApart(const std::multiset<std::string>& expected,
                          const std::multiset<std::string>& found) {
    std::multiset<std::string> extra;
    std::multiset<std::string> missing;
    std::set_difference(found.begin(), found.end(), expected.begin(), expected.end(),
                        std::inserter(extra, extra.end()));
    std::set_difference(expected.begin(), expected.end(), found.begin(), found.end(),
                        std::inserter(missing, missing.end()));
    if (extra.empty() && missing.size() <= 1) {
        return true;
    }
    if (missing.empty() && extra.size() == kBatch && extra.count(*extra.begin()) == kBatch) {
        return true;
    }
    return extra.size() == 1 && missing.size() == 1;
}

TEST(ContactBookCrash, AKillAtAnyMomentLosesNothingAndLeavesNothingHalfWritten) {
    test::TempFolder folder;
    const std::string path = folder.file("Killed.qmbook");
    {
        ContactBook book;
        book.open(path);
        std::vector<ContactRecord> start;
        for (int i = 0; i < 30; ++i) {
            start.push_back(tagged("s" + std::to_string(i)));
        }
        book.appendAll(start);
    }
    std::multiset<std::string> expected;
    for (int i = 0; i < 30; ++i) {
        expected.insert("s" + std::to_string(i));
    }
    std::mt19937 random(24);
    for (int round = 0; round < 150; ++round) {
        int pipe[2];
        ASSERT_EQ(::pipe(pipe), 0);
        const pid_t writer = startWriter(path, round, pipe[1]);
        ::close(pipe[1]);
        ::usleep(static_cast<useconds_t>(random() % 40000));
        ::kill(writer, SIGKILL);
        int status = 0;
        ::waitpid(writer, &status, 0);
        ASSERT_TRUE(WIFSIGNALED(status)) << "round " << round;
        applyReports(drain(pipe[0]), expected);
        ::close(pipe[0]);

        ContactBook book;
        book.open(path);  // checks the whole database at this size
        const std::vector<std::string> tags = tagsIn(book);
        const std::multiset<std::string> found(tags.begin(), tags.end());
        ASSERT_TRUE(atMostOneChangeApart(expected, found)) << "round " << round;
        expected = found;
        EXPECT_EQ(book.count(), static_cast<int>(tags.size()));
    }
}

TEST(ContactBookCrash, AFullDiskRefusesTheWriteAndKeepsEveryContact) {
    test::TempFolder folder;
    const test::SmallTmpfs disk(folder.file("disk"), "1m");
    if (!disk.available()) {
        GTEST_SKIP() << disk.why();
    }
    const std::string path = folder.file("disk/Full.qmbook");
    ContactBook book;
    book.open(path);
    std::vector<std::string> kept;
    int failures = 0;
    for (int round = 0; failures < 3 && round < 1000; ++round) {
        std::vector<ContactRecord> batch;
        for (int k = 0; k < 20; ++k) {
            batch.push_back(tagged("f" + std::to_string(round) + "k" + std::to_string(k), 900));
        }
        try {
            if (round % 3 == 2 && !kept.empty()) {
                book.write(1, batch[0]);
                kept[0] = tagOf(batch[0]);
            } else {
                book.appendAll(batch);
                for (const ContactRecord& r : batch) {
                    kept.push_back(tagOf(r));
                }
            }
        } catch (const QmError& e) {
            ++failures;
            EXPECT_EQ(e.number(), ENOSPC) << e.description();
            EXPECT_NE(e.description().find(path), std::string::npos) << e.description();
        }
    }
    ASSERT_EQ(failures, 3) << "the disk never filled";
    EXPECT_EQ(tagsIn(book), kept);
    book.close();
    ContactBook again;
    again.open(path);  // the whole database checked
    EXPECT_EQ(tagsIn(again), kept);
    EXPECT_FALSE(std::filesystem::exists(path + "-journal"));
}

}  // namespace
}  // namespace qm
