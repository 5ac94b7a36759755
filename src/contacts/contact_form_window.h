#pragma once

// The seventeen labelled contact fields that the Add Contact window and the contact browser
// both show: names, tooltips, tab order and Enter as Tab in one place, and the steps of Save
// before the write. The include-company check box differs between the two windows, so each
// window keeps its own beside the form.

#include <QGridLayout>
#include <QLabel>
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

    QLabel* lblACFName = nullptr;
    QLabel* lblACMiddleInit = nullptr;
    QLabel* lblACLName = nullptr;
    QLabel* lblACFStreet = nullptr;
    QLabel* lblACSStreet = nullptr;
    QLabel* lblACCity = nullptr;
    QLabel* lblACState = nullptr;
    QLabel* lblACZip = nullptr;
    QLabel* lblACCountry = nullptr;
    QLabel* lblACCompany = nullptr;
    QLabel* lblACBirthdate = nullptr;
    QLabel* lblACHPhone = nullptr;
    QLabel* lblACCPhone = nullptr;
    QLabel* lblACWPhone = nullptr;
    QLabel* lblACEmail = nullptr;
    QLabel* lblACCategory = nullptr;
    QLabel* lblACNotes = nullptr;

    QLineEdit* txtACFName = nullptr;
    QLineEdit* txtACMiddleInit = nullptr;
    QLineEdit* txtACLName = nullptr;
    QLineEdit* txtACFStreet = nullptr;
    QLineEdit* txtACSStreet = nullptr;
    QLineEdit* txtACCity = nullptr;
    QLineEdit* txtACState = nullptr;
    QLineEdit* txtACZip = nullptr;
    QLineEdit* txtACCountry = nullptr;
    QLineEdit* txtACCompany = nullptr;
    QLineEdit* txtACBirthdate = nullptr;
    QLineEdit* txtACHPhone = nullptr;
    QLineEdit* txtACCPhone = nullptr;
    QLineEdit* txtACWPhone = nullptr;
    QLineEdit* txtACEmail = nullptr;
    QLineEdit* txtACCategory = nullptr;
    QLineEdit* txtACNotes = nullptr;

    QLineEdit* field(ContactField which) const;
    QLabel* label(ContactField which) const;
    QLineEdit* firstInTabOrder() const { return txtACFName; }
    QLineEdit* lastInTabOrder() const { return txtACNotes; }

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

    std::array<QLabel*, kContactFieldCount> labels_{};
    std::array<QLineEdit*, kContactFieldCount> fields_{};
    QGridLayout* grid_ = nullptr;
};

}  // namespace qm
