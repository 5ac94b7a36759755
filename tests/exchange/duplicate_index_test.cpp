#include "exchange/duplicate_index.h"

#include <gtest/gtest.h>

#include <random>

// Records name only the fields that are set; the rest keep their defaults.
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"

namespace qm {
namespace {

// The rule as written, one record after the other.
bool duplicateByScan(const std::vector<ContactRecord>& onFile, const std::string& first,
                     const std::string& last, const std::string& email) {
    for (const ContactRecord& r : onFile) {
        if (!email.empty() && r.email == email) {
            return true;
        }
        if ((!first.empty() || !last.empty()) && r.firstName.find(first) != std::string::npos &&
            r.lastName.find(last) != std::string::npos) {
            return true;
        }
    }
    return false;
}

std::string randomName(std::mt19937& rng, std::size_t maxLength) {
    // A small alphabet makes shared pieces, and so real candidates, common.
    static const std::string kLetters = "abcAB";
    std::uniform_int_distribution<std::size_t> length(0, maxLength);
    std::uniform_int_distribution<std::size_t> letter(0, kLetters.size() - 1);
    std::string name(length(rng), ' ');
    for (char& c : name) {
        c = kLetters[letter(rng)];
    }
    return name;
}

TEST(DuplicateIndex, AgreesWithAScanOfEveryRecord) {
    std::mt19937 rng(20240601);
    std::vector<ContactRecord> onFile(400);
    for (ContactRecord& r : onFile) {
        r.firstName = randomName(rng, 8);
        r.lastName = randomName(rng, 10);
        r.email = randomName(rng, 3);
    }
    const DuplicateIndex index(onFile);
    int duplicates = 0;
    for (int i = 0; i < 5000; ++i) {
        ContactRecord w;
        w.firstName = randomName(rng, 5);
        w.lastName = randomName(rng, 6);
        w.email = randomName(rng, 3);
        const bool expected = duplicateByScan(onFile, w.firstName, w.lastName, w.email);
        ASSERT_EQ(index.isDuplicate(w), expected)
            << "'" << w.firstName << "' '" << w.lastName << "' '" << w.email << "'";
        duplicates += expected ? 1 : 0;
    }
    // Both answers must have been exercised.
    EXPECT_GT(duplicates, 500);
    EXPECT_LT(duplicates, 4500);
}

TEST(DuplicateIndex, ComparesTrimmedWorkingValues) {
    const DuplicateIndex index({ContactRecord{.firstName = "Anne", .lastName = "Leeds"}});
    EXPECT_TRUE(index.isDuplicate(ContactRecord{.firstName = " Ann ", .lastName = "eed "}));
    EXPECT_FALSE(index.isDuplicate(ContactRecord{.firstName = "ann", .lastName = "Lee"}));
}

}  // namespace
}  // namespace qm
