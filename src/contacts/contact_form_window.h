#pragma once

// The seventeen labelled contact fields that the Add Contact window and the contact browser
// both show: names, tooltips, tab order and Enter as Tab in one place. The include-company
// check box differs between the two windows, so each window keeps its own beside the form.

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QWidget>
#include <array>
#include <initializer_list>

#include "contacts/field_rules.h"

namespace qm {

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

    // The seventeen texts; includeCompany is left false (the box lives in the window).
    ContactFields read() const;
    // Sets the texts that differ, so untouched fields keep their caret and send no change.
    void write(const ContactFields& fields);
    // After the checks: sets only the fields the cleaning changed, so text the code page
    // cannot hold stays as typed in the others.
    void writeCleaned(const ContactFields& typed, const ContactFields& cleaned);
    void clear();
    void setFieldsEnabled(bool on);
    void focusField(ContactField which);

    // Puts widgets to the right of a field, on its row (look-up buttons, the company box).
    void placeBeside(ContactField which, std::initializer_list<QWidget*> widgets);

  private:
    std::array<QLabel*, kContactFieldCount> labels_{};
    std::array<QLineEdit*, kContactFieldCount> fields_{};
    QGridLayout* grid_ = nullptr;
};

}  // namespace qm
