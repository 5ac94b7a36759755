#include "contacts/contact_printouts.h"

#include <vector>

#include "records/text_rules.h"

namespace qm {

namespace {

using Items = std::vector<PrintItem>;

PrintItem text(std::string t) {
    return PrintItem::Text(std::move(t));
}
PrintItem tab(int column) {
    return PrintItem::Tab(column);
}

const std::string kRule(70, '_');

std::string cityLine(const std::string& city, const std::string& state, const std::string& zip) {
    return city + ", " + state + "  " + zip;
}

// The fields trimmed, as both printouts read them.
ContactFields trimmed(const ContactFields& f) {
    ContactFields t = f;
    for (std::string* s :
         {&t.firstName, &t.middleInitial, &t.lastName, &t.street, &t.street2, &t.city, &t.state,
          &t.zip, &t.country, &t.company, &t.birthdate, &t.homePhone, &t.cellPhone, &t.workPhone,
          &t.email, &t.category, &t.notes}) {
        *s = trim(*s);
    }
    return t;
}

void printHeading(PrinterSurface& s, const std::string& reportDate) {
    s.setFontSize(12);
    s.printEmptyLines(3);
    s.setFontSize(16);
    s.print({tab(22), text("Quillmark")});
    s.printLine();
    s.setFontSize(14);
    s.print({tab(27), text("Contact Details")});
    s.printEmptyLines(3);
    s.setFontSize(10);
    s.print({tab(35), text("Date of report:"), tab(51), text(reportDate)});
    s.setFontSize(12);
    s.printLine();
    s.print({tab(8), text(kRule)});
    s.printEmptyLines(2);
}

void printAddress(PrinterSurface& s, const ContactFields& f) {
    s.print({tab(8), text(f.firstName + ' ' + f.middleInitial + ' ' + f.lastName)});
    s.printLine();
    s.print({tab(8), text(f.street + "  " + f.street2)});
    s.printLine();
    s.print({tab(8), text(cityLine(f.city, f.state, f.zip))});
    s.printEmptyLines(2);
}

void printDetails(PrinterSurface& s, const ContactFields& f) {
    s.print({tab(8), text("Company Name:"), tab(24), text(f.company)});
    s.printEmptyLines(2);
    s.print({tab(8), text("Country:"), tab(18), text(f.country), tab(40), text("Birthdate:"),
             tab(52), text(f.birthdate)});
    s.printEmptyLines(2);
    s.print({tab(8), text("Home Phone:"), tab(21), text(f.homePhone), tab(37), text("Cell:"),
             tab(44), text(f.cellPhone), tab(60), text("Work:"), tab(67), text(f.workPhone)});
    s.printEmptyLines(2);
    s.print({tab(8), text("Email Address:"), tab(24), text(f.email)});
    s.printEmptyLines(2);
    // Category and notes run on in continuation lines, printed even when empty.
    s.print({tab(8), text("Category:"), tab(19), text(midOf(f.category, 1, 61))});
    s.print({tab(19), text(midOf(f.category, 62, 19))});
    s.printEmptyLines(2);
    s.print({tab(8), text("Notes:"), tab(16), text(midOf(f.notes, 1, 61))});
    s.print({tab(15), text(midOf(f.notes, 62, 53))});
    s.print({tab(15), text(midOf(f.notes, 115, 46))});
    s.printEmptyLines(2);
    s.print({tab(8), text(kRule)});
}

}  // namespace

PrintPlan contactDetailsPlan(const ContactFields& fields, const std::string& reportDate,
                             std::optional<std::string> selectedText) {
    PrintPlan plan;
    plan.paper = {kPaperOfPrinter, kPortrait};
    plan.fonts = {PrintFont{.size = 12}, PrintFont{.size = 16}, PrintFont{.size = 14},
                  PrintFont{.size = 10}};
    plan.copies = CopyMode::Pages;
    plan.problem.title = "Printer error.";
    plan.draw = [f = trimmed(fields), reportDate](PrinterSurface& surface, Adjustment) {
        printHeading(surface, reportDate);
        printAddress(surface, f);
        printDetails(surface, f);
        surface.newPage();
    };
    auto selection = std::make_shared<PrintPlan>();
    selection->paper = plan.paper;
    selection->fonts = {PrintFont{.size = 12}};
    selection->copies = CopyMode::Once;
    selection->draw = [selectedText = std::move(selectedText)](PrinterSurface& surface,
                                                               Adjustment) {
        if (selectedText) {
            surface.printLine();
            surface.print({text(*selectedText)});
            surface.newPage();
        }
    };
    plan.selection = std::move(selection);
    return plan;
}

LabelLines contactLabelLines(const ContactFields& fields) {
    const ContactFields f = trimmed(fields);
    LabelLines lines;
    lines[0] = replaceAll(f.firstName + ' ' + f.middleInitial + ' ' + f.lastName, "  ", " ");
    const bool withCompany = !f.company.empty() && fields.includeCompany;
    const std::string city = cityLine(f.city, f.state, f.zip);
    // The city line follows the last street line; without a city there is none.
    std::size_t next = 1;
    if (withCompany) {
        lines[next++] = f.company;
    }
    lines[next++] = f.street;
    if (f.street2.empty() && !f.city.empty()) {
        lines[next] = city;
    } else {
        lines[next++] = f.street2;
        lines[next] = f.city.empty() ? std::string() : city;
    }
    return lines;
}

}  // namespace qm
