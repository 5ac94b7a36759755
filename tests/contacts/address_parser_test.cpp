#include "contacts/address_parser.h"

#include <gtest/gtest.h>

namespace qm {

void PrintTo(const ContactFields& p, std::ostream* out) {
    std::ostream& os = *out;
    os << "[" << p.firstName << "|" << p.middleInitial << "|" << p.lastName << "|" << p.street
       << "|" << p.street2 << "|" << p.city << "|" << p.state << "|" << p.zip << "]";
}

namespace {

// Parsed fields in their order; the ones a line does not reach stay empty.
ContactFields fields(std::string first = "", std::string initial = "", std::string last = "",
                     std::string street = "", std::string street2 = "", std::string city = "",
                     std::string state = "", std::string zip = "") {
    ContactFields f;
    f.firstName = first;
    f.middleInitial = initial;
    f.lastName = last;
    f.street = street;
    f.street2 = street2;
    f.city = city;
    f.state = state;
    f.zip = zip;
    return f;
}

struct ParserCase {
    const char* name;
    AddressLines lines;
    ContactFields expected;
};

std::ostream& operator<<(std::ostream& os, const ParserCase& c) {
    return os << c.name;
}

class AddressLinesParse : public testing::TestWithParam<ParserCase> {};

TEST_P(AddressLinesParse, GivesTheContactFields) {
    const ParserCase& c = GetParam();
    const AddressParse parse = parseAddressLines(c.lines);
    EXPECT_EQ(parse.outcome, AddressParseOutcome::Parsed);
    EXPECT_EQ(parse.fields, c.expected);
}

// The documented examples.
INSTANTIATE_TEST_SUITE_P(
    Examples, AddressLinesParse,
    testing::Values(
        ParserCase{"NameStreetApartmentCity",
                   {"John Q. Public", "123 Main Street Apt 4", "Springfield, IL 62704", "", ""},
                   fields("John", "Q", "Public", "123 Main Street", "Apt 4", "Springfield", "IL",
                          "62704")},
        ParserCase{
            "NoMiddleInitial", {"John Public", "", "", "", ""}, fields("John", "", "Public")},
        ParserCase{
            "TwoWordLastName", {"Mary Ann Smith", "", "", "", ""}, fields("Mary", "", "Ann Smith")},
        ParserCase{"AveNeedsLowerCaseAndABlank",
                   {"Ann Lee", "123 Oak Ave", "", "", ""},
                   fields("Ann", "", "Lee", "123 Oak Ave")},
        ParserCase{"StreetWithoutNumberStopsTheParse",
                   {"Ann Lee", "Main Street 12", "Salem, OR 97301", "", ""},
                   fields("Ann", "", "Lee")},
        ParserCase{
            "PoBox", {"Ann Lee", "PO Box 55", "", "", ""}, fields("Ann", "", "Lee", "PO Box 55")},
        ParserCase{"DotsLeaveTheStreet",
                   {"Ann Lee", "12 N. Elm Rd", "", "", ""},
                   fields("Ann", "", "Lee", "12 N Elm Rd")},
        ParserCase{"HashApartment",
                   {"Ann Lee", "500 Elm St #12", "", "", ""},
                   fields("Ann", "", "Lee", "500 Elm St", "#12")},
        ParserCase{"ApartmentOnLineThree",
                   {"Ann Lee", "12 Oak Street", "Apt 4B", "Salem, OR 97301", ""},
                   fields("Ann", "", "Lee", "12 Oak Street", "Apt 4B", "Salem", "OR", "97301")},
        ParserCase{"SecondApartmentIsTakenAsCityLine",
                   {"Ann Lee", "12 Oak Street Apt 4", "Apt 4B", "Salem, OR 97301", ""},
                   fields("Ann", "", "Lee", "12 Oak Street", "Apt 4")},
        ParserCase{"ShortCityLineFillsNothing",
                   {"Ann Lee", "12 Oak Street", "Boise ID 83", "", ""},
                   fields("Ann", "", "Lee", "12 Oak Street")},
        ParserCase{"CityWithBlankAndNoComma",
                   {"", "", "San Diego CA 92101", "", ""},
                   fields("", "", "", "", "", "San Diego", "Di", "92101")},
        ParserCase{"ZipPlusFourWithoutComma",
                   {"", "", "Austin TX 78701-1234", "", ""},
                   fields("", "", "", "", "", "Austin", "TX", "78701-1234")},
        ParserCase{"AllEmpty", {"", "", "", "", ""}, fields()},
        ParserCase{"LineFiveIsNeverRead",
                   {"Ann Lee", "", "", "", "Salem, OR 97301"},
                   fields("Ann", "", "Lee")}));

// What people actually type.
INSTANTIATE_TEST_SUITE_P(
    TypedLines, AddressLinesParse,
    testing::Values(
        ParserCase{"TitleWithDot", {"Mr. John Smith", "", "", "", ""}, fields("John", "", "Smith")},
        ParserCase{
            "TitleWithInitial", {"Dr. Jane Q. Doe", "", "", "", ""}, fields("Jane", "Q", "Doe")},
        ParserCase{
            "TitleWithoutDot", {"Mrs Mary Smith", "", "", "", ""}, fields("Mary", "", "Smith")},
        ParserCase{"DrWithoutDot", {"Dr John Smith", "", "", "", ""}, fields("John", "", "Smith")},
        ParserCase{"Miss", {"Miss Jane Doe", "", "", "", ""}, fields("Jane", "", "Doe")},
        ParserCase{
            "FirstNameLikeATitleWord", {"Mrs. M Smith", "", "", "", ""}, fields("M", "M", "Smith")},
        ParserCase{"TitleAndSurnameOnly", {"Dr. Smith", "", "", "", ""}, fields("", "", "Smith")},
        ParserCase{"TitleAlone", {"Mrs. ", "", "", "", ""}, fields()},
        ParserCase{"BlanksOnlyLineOne",
                   {"   ", "12 Oak Street", "", "", ""},
                   fields("", "", "", "12 Oak Street")},
        ParserCase{
            "LowerCase",
            {"john q. public", "123 main st apt 4", "springfield, il 62704", "", ""},
            fields("john", "q", "public", "123 main st", "apt 4", "springfield", "il", "62704")},
        ParserCase{"ExtraBlanks",
                   {"  John   Smith  ", "  12 Oak Street  ", "", "", ""},
                   fields("John", "", "Smith", "12 Oak Street")},
        // The first name is cut by the 18-character window; the last name still starts
        // after the whole first word.
        ParserCase{"FirstWordLongerThanTheNameWindow",
                   {"Bartholomewwwwwwwwwwww Smith", "", "", "", ""},
                   fields("Bartholomewwwwwwww", "", "Smith")},
        ParserCase{"TitleAndFirstWordLongerThanTheNameWindow",
                   {"Mr. Bartholomewwwwwwwwwww Smith", "", "", "", ""},
                   fields("Bartholomewwww", "", "Smith")},
        ParserCase{"ExtraBlanksBeforeTheInitial",
                   {"John  Q.  Public", "", "", "", ""},
                   fields("John", "Q", "Public")},
        ParserCase{"ExtraBlanksAroundAnInitialWithoutDot",
                   {"Jane   A   Doe", "", "", "", ""},
                   fields("Jane", "A", "Doe")},
        ParserCase{"InitialFurtherOnStaysInTheLastName",
                   {"Mary Ann B Smith", "", "", "", ""},
                   fields("Mary", "B", "Ann B Smith")},
        ParserCase{"AmpersandIsNoInitial",
                   {"John & Jane Smith", "", "", "", ""},
                   fields("John", "", "& Jane Smith")},
        ParserCase{"TitleAndLoneFirstNameIsALastName",
                   {"Mr. John", "", "", "", ""},
                   fields("", "", "John")},
        ParserCase{"SuiteAfterStreet",
                   {"Ann Lee", "100 Main Street Suite 200", "", "", ""},
                   fields("Ann", "", "Lee", "100 Main Street", "Suite 200")},
        ParserCase{
            "SuiteOnItsOwnLine",
            {"Ann Lee", "100 Main Street", "Suite 200", "Salem, OR 97301-1234", ""},
            fields("Ann", "", "Lee", "100 Main Street", "Suite 200", "Salem", "OR", "97301-1234")},
        ParserCase{"CommaBeforeTheSuite",
                   {"Ann Lee", "1 Infinite Loop, Ste 5", "", "", ""},
                   fields("Ann", "", "Lee", "1 Infinite Loop", "Ste 5")},
        ParserCase{"DottedPoBox",
                   {"Ann Lee", "P.O. Box 1234", "Salem, OR 97301", "", ""},
                   fields("Ann", "", "Lee", "PO Box 1234", "", "Salem", "OR", "97301")},
        ParserCase{"ZipPlusFourWithComma",
                   {"", "", "Springfield, IL 62704-1234", "", ""},
                   fields("", "", "", "", "", "Springfield", "IL", "62704-1234")},
        // The last-five-characters zip rule would cut a Canadian postcode.
        ParserCase{"CanadianPostcode",
                   {"", "", "Toronto, ON M5V 2T6", "", ""},
                   fields("", "", "", "", "", "Toronto", "ON", "M5V 2T6")},
        ParserCase{"CanadianPostcodeWithoutComma",
                   {"", "", "Montreal QC h2x 1y4", "", ""},
                   fields("", "", "", "", "", "Montreal", "QC", "h2x 1y4")},
        ParserCase{"CanadianPostcodeWithoutBlank",
                   {"", "", "Toronto, ON M5V2T6", "", ""},
                   fields("", "", "", "", "", "Toronto", "ON", "M5V2T6")},
        ParserCase{"TrailingBlanksOnTheCityLine",
                   {"", "", "Springfield, IL 62704   ", "", ""},
                   fields("", "", "", "", "", "Springfield", "IL", "62704")},
        ParserCase{"TrailingBlanksAfterZipPlusFour",
                   {"", "", "Austin TX 78701-1234  ", "", ""},
                   fields("", "", "", "", "", "Austin", "TX", "78701-1234")},
        ParserCase{"TrailingBlanksDoNotLengthenAShortCityLine",
                   {"", "", "Boise ID 83   ", "", ""},
                   fields()},
        ParserCase{"NoBlankAfterTheComma",
                   {"", "", "Springfield,IL 62704", "", ""},
                   fields("", "", "", "", "", "Springfield", "IL", "62704")},
        ParserCase{"TwoBlanksAfterTheComma",
                   {"", "", "Salem,  OR 97301", "", ""},
                   fields("", "", "", "", "", "Salem", "OR", "97301")},
        ParserCase{"TrailingBlanksOnTheApartmentLine",
                   {"Ann Lee", "12 Oak Street", "Suite 1200   ", "Salem, OR 97301", ""},
                   fields("Ann", "", "Lee", "12 Oak Street", "Suite 1200", "Salem", "OR", "97301")},
        ParserCase{"BoulevardAtTheEnd",
                   {"Ann Lee", "100 Sunset Blvd", "", "", ""},
                   fields("Ann", "", "Lee", "100 Sunset Blvd")},
        ParserCase{"BoulevardThenApartment",
                   {"Ann Lee", "100 Sunset Blvd Apt 2", "", "", ""},
                   fields("Ann", "", "Lee", "100 Sunset Blvd", "Apt 2")},
        ParserCase{"WayWithHash",
                   {"Ann Lee", "1234 Milky Way #5", "", "", ""},
                   fields("Ann", "", "Lee", "1234 Milky Way", "#5")},
        ParserCase{"RoadInUpperCase",
                   {"Ann Lee", "77 COUNTY ROAD 9 LOT 3", "", "", ""},
                   fields("Ann", "", "Lee", "77 COUNTY ROAD", "9 LOT 3")},
        ParserCase{"NoLineTwoStillReadsTheCity",
                   {"Ann Lee", "", "Salem, OR 97301", "", ""},
                   fields("Ann", "", "Lee", "", "", "Salem", "OR", "97301")}));

// Lines where a step would take a negative number of characters read soundly instead.
INSTANTIATE_TEST_SUITE_P(
    EarlyMarks, AddressLinesParse,
    testing::Values(ParserCase{"CommaOnlyBeforePositionSix",
                               {"Ann Lee", "12, Main Street", "", "", ""},
                               fields("Ann", "", "Lee", "12, Main Street")},
                    ParserCase{"HashOnlyBeforePositionSix",
                               {"Ann Lee", "1 #5 Oak", "", "", ""},
                               fields("Ann", "", "Lee", "1 #5 Oak")},
                    ParserCase{"CityWithoutBlankFromPositionFive",
                               {"", "", "Kleinfeltersville PA 17039", "", ""},
                               fields("", "", "", "", "", "Kleinfeltersvill", "PA", "17039")},
                    ParserCase{"CityCommaBeforePositionThree",
                               {"", "", ", Salem OR 97301", "", ""},
                               fields("", "", "", "", "", ", Salem", "Sa", "97301")}));

TEST(AddressLineOne, WithoutABlankIsRefused) {
    for (const char* line1 : {"Smith", "Mr.Smith"}) {
        const AddressParse parse = parseAddressLines({line1, "12 Oak Street", "", "", ""});
        EXPECT_EQ(parse.outcome, AddressParseOutcome::LineOneWithoutBlank) << line1;
        EXPECT_EQ(parse.fields, ContactFields{}) << line1;
    }
    EXPECT_STREQ(kLineOneWithoutBlankText, "Line 1 must contain a space.");
    EXPECT_STREQ(kLineOneWithoutBlankTitle, "Incorrect entry");
}

TEST(AddressMiddleInitial, TheHighestStandaloneLetterWins) {
    const auto initial = [](const char* line1) {
        return parseAddressLines({line1, "", "", "", ""}).fields.middleInitial;
    };
    EXPECT_EQ(initial("John B. Q Smith"), "Q");
    EXPECT_EQ(initial("John Q b Smith"), "b");
    EXPECT_EQ(initial("John Q _ Smith"), "") << "codes between the alphabets clear it";
    EXPECT_EQ(initial("A B C"), "") << "only from the third character on";
    EXPECT_EQ(initial("Al B C"), "B");
}

TEST(AddressFields, FillOnlyTheParsedContactFields) {
    ContactFields expected;
    expected.firstName = "John";
    expected.middleInitial = "Q";
    expected.lastName = "Public";
    expected.street = "1 Elm St";
    expected.street2 = "Apt 4";
    expected.city = "Salem";
    expected.state = "OR";
    expected.zip = "97301";
    EXPECT_EQ(
        parseAddressLines({"John Q Public", "1 Elm St", "Apt 4", "Salem, OR 97301", ""}).fields,
        expected);
}

}  // namespace
}  // namespace qm
