#include <gtest/gtest.h>

#include "exchange/contact_import.h"

namespace qm {
namespace {

std::string card(const std::string& version, const std::string& lines) {
    return "BEGIN:VCARD\r\nVERSION:" + version + "\r\n" + lines + "END:VCARD\r\n";
}

TEST(VCardReader, FoldingEncodingsAndChoices) {
    struct Case {
        std::string file;
        std::string expected;  // first|middle|last|street|street2|city|email|home|cell|work|birth
    };
    const auto fields = [](const ContactRecord& r) {
        return r.firstName + "|" + r.middleInitial + "|" + r.lastName + "|" + r.street + "|" +
               r.street2 + "|" + r.city + "|" + r.email + "|" + r.homePhone + "|" + r.cellPhone +
               "|" + r.workPhone + "|" + r.birthdate;
    };
    const Case cases[] = {
        // A folded line goes on after its first blank; no N: the full name is split.
        {card("3.0", "FN:Ann Marie\r\n  Lee\r\nEMAIL:a@x.com\r\nEMAIL;TYPE=pref:p@x.com\r\n"),
         "Ann Marie||Lee||||p@x.com||||"},
        // Quoted-printable with a soft line break, in UTF-8.
        {card("2.1",
              "N;CHARSET=UTF-8;ENCODING=QUOTED-PRINTABLE:Z=C3=B3=\r\nlc;Ann;B.\r\n"
              "TEL;HOME:555-1\r\nTEL;VOICE:555-2\r\nTEL;FAX:555-3\r\nBDAY:1980-04-10\r\n"),
         "Ann|B|Z\xC3\xB3lc|||||555-1|||19800410"},
        // Home address preferred; escaped commas and line breaks; phones by type.
        {card("4.0",
              "N:Ray;Bob;;;\r\nADR;TYPE=work:;;1 Main St;Town;;;\r\n"
              "ADR;TYPE=home:;;9 Elm\\, Apt 2\\nRear;Troy;NY;;\r\n"
              "TEL;TYPE=cell;VALUE=uri:tel:555-0100\r\nTEL;TYPE=work:555-0101\r\nBDAY:--0410\r\n"),
         "Bob||Ray|9 Elm Apt 2|Rear|Troy|||555-0100|555-0101|"},
    };
    for (const Case& c : cases) {
        const ImportResult r = importContacts(c.file, {}, true);
        ASSERT_EQ(r.records.size(), 1u) << c.file;
        EXPECT_EQ(fields(r.records[0]), c.expected) << c.file;
    }
}

TEST(VCardReader, ManyCardsInOneFileAndNothingWithoutNameOrEmail) {
    const ImportResult r =
        importContacts(card("3.0", "N:Lee;Ann;;;\r\n") + card("3.0", "ORG:Acme\r\n") +
                           card("3.0", "N:Ray;Bob;;;\r\n"),
                       {}, true);
    ASSERT_EQ(r.records.size(), 2u);
    EXPECT_EQ(r.records[1].firstName, "Bob");
    EXPECT_EQ(r.counts.withoutNameOrEmail, 1u);
}

}  // namespace
}  // namespace qm
