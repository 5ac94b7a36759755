#pragma once

// The seventeen labelled contact fields that the Add Contact window and the contact browser
// both show: names, tooltips, tab order and Enter as Tab in one place, and the steps of Save
// before the write. The include-company check box differs between the two windows, so each
// window keeps its own beside the form.

#include <QGridLayout>
#include <QLineEdit>
#include <QWidget>
#include <array>
#include <bitset>
#include <initializer_list>
#include <optional>

#include "contacts/field_rules.h"
#include "records/contact_record.h"

namespace qm {

class PlatformServices;

// Bit n: the field kAllContactFields[n] held letters the code page cannot hold.
using FoldedFields = std::bitset<kContactFieldCount>;

class ContactForm : public QWidget {
  public:
    explicit ContactForm(QWidget* parent = nullptr);

    // The fields' controls are named txtACFName ... txtACNotes, their labels lblACFName ...
    QLineEdit* field(ContactField which) const;
    QLineEdit* firstInTabOrder() const { return field(ContactField::FirstName); }
    QLineEdit* lastInTabOrder() const { return field(ContactField::Notes); }

    // The seventeen texts as the contact file will hold them: letters the code page cannot
    // hold folded to their nearest ones, never "?". includeCompany is left false (the box
    // lives in the window). `folded`, when given, learns which fields had such letters.
    ContactFields read(FoldedFields* folded = nullptr) const;
    // Sets the texts that differ, so untouched fields keep their caret and send no change.
    void write(const ContactFields& fields);
    // After the checks: sets only the fields the cleaning changed, and those whose letters
    // were folded, so that text the code page cannot hold stays as typed in the others.
    void writeCleaned(const ContactFields& typed, const ContactFields& cleaned,
                      const FoldedFields& folded = {});
    void clear();
    void setFieldsEnabled(bool on);
    void focusField(ContactField which);

    // Save's steps before the write, alike in both windows: the fields checked and cleaned
    // (the cleaning shown; a failed check reported, its field focused) and, where typed
    // letters had to change, their stored form shown for the user to go on or go back. The
    // record to write; none when Save stops here. Going back leaves the fields as typed.
    std::optional<ContactRecord> recordToSave(PlatformServices& platform, QWidget* window,
                                              const CheckVariant& variant, bool includeCompany,
                                              bool remindersOn);

    // Puts widgets to the right of a field, on its row (look-up buttons, the company box).
    void placeBeside(ContactField which, std::initializer_list<QWidget*> widgets);

  private:
    bool storedFormAccepted(PlatformServices& platform, QWidget* window, const FoldedFields& folded,
                            const ContactRecord& record);

    std::array<QLineEdit*, kContactFieldCount> fields_{};
    QGridLayout* grid_ = nullptr;
};

// The object name of a field's text control ("txtACFName").
QString fieldControlName(ContactField which);

}  // namespace qm
