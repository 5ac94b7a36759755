#include "contacts/contact_form_window.h"

#include <QCoreApplication>
#include <QHBoxLayout>
#include <QSignalBlocker>
#include <algorithm>

#include "contacts/contact_save.h"
#include "platform/enter_as_tab.h"
#include "platform/platform_services.h"
#include "platform/qt_text.h"

namespace qm {

namespace {

struct FieldLayoutEntry {
    ContactField field;
    const char* editName;
    const char* labelName;
    const char* toolTip;
};

// Tab order is the order of this table.
const FieldLayoutEntry kFieldLayoutEntries[] = {
    {ContactField::FirstName, "txtACFName", "lblACFName", nullptr},
    {ContactField::MiddleInitial, "txtACMiddleInit", "lblACMiddleInit", nullptr},
    {ContactField::LastName, "txtACLName", "lblACLName", nullptr},
    {ContactField::Street, "txtACFStreet", "lblACFStreet",
     QT_TRANSLATE_NOOP("ContactForm", "For help in finding address, click 'People Finder'")},
    {ContactField::Street2, "txtACSStreet", "lblACSStreet", nullptr},
    {ContactField::City, "txtACCity", "lblACCity", nullptr},
    {ContactField::State, "txtACState", "lblACState", nullptr},
    {ContactField::Zip, "txtACZip", "lblACZip",
     QT_TRANSLATE_NOOP("ContactForm", "For help in finding Zip Code, click 'Zip Code Finder'")},
    {ContactField::Country, "txtACCountry", "lblACCountry", nullptr},
    {ContactField::Company, "txtACCompany", "lblACCompany", nullptr},
    {ContactField::Birthdate, "txtACBirthdate", "lblACBirthdate", nullptr},
    {ContactField::HomePhone, "txtACHPhone", "lblACHPhone", nullptr},
    {ContactField::CellPhone, "txtACCPhone", "lblACCPhone", nullptr},
    {ContactField::WorkPhone, "txtACWPhone", "lblACWPhone", nullptr},
    {ContactField::Email, "txtACEmail", "lblACEmail", nullptr},
    {ContactField::Category, "txtACCategory", "lblACCategory",
     QT_TRANSLATE_NOOP("ContactForm",
                       "Enter one or more categories, separated by a semicolon, to include this "
                       "contact in subset(s).  Example: Christmas;Golf;Customers")},
    {ContactField::Notes, "txtACNotes", "lblACNotes", nullptr},
};

static_assert(std::size(kFieldLayoutEntries) == kContactFieldCount);

std::size_t indexOf(ContactField which) {
    return static_cast<std::size_t>(which);
}

}  // namespace

ContactForm::ContactForm(QWidget* parent) : QWidget(parent), grid_(new QGridLayout(this)) {
    grid_->setContentsMargins(0, 0, 0, 0);
    QWidget* previous = nullptr;
    int row = 0;
    for (const FieldLayoutEntry& entry : kFieldLayoutEntries) {
        auto* edit = new QLineEdit(this);
        edit->setObjectName(QString::fromLatin1(entry.editName));
        if (entry.toolTip != nullptr) {
            edit->setToolTip(QCoreApplication::translate("ContactForm", entry.toolTip));
        }
        installEnterAsTab(edit);
        const std::string caption(describe(entry.field).label);
        auto* label = new QLabel(QCoreApplication::translate("ContactForm", caption.c_str()), this);
        label->setObjectName(QString::fromLatin1(entry.labelName));
        label->setBuddy(edit);
        grid_->addWidget(label, row, 0);
        grid_->addWidget(edit, row, 1);
        ++row;

        fields_[indexOf(entry.field)] = edit;
        if (previous != nullptr) {
            QWidget::setTabOrder(previous, edit);
        }
        previous = edit;
    }
    grid_->setColumnStretch(1, 1);
    // Wide enough to show a whole street address (30 characters) at the default size.
    grid_->setColumnMinimumWidth(1, fontMetrics().horizontalAdvance(QString(32, QLatin1Char('0'))));
}

QLineEdit* ContactForm::field(ContactField which) const {
    return fields_[indexOf(which)];
}

ContactFields ContactForm::read(FoldedFields* folded) const {
    ContactFields fields;
    for (ContactField which : kAllContactFields) {
        FoldedText text = toStorable(field(which)->text(), kContactFileLimits);
        fields.text(which) = std::move(text.text);
        if (folded != nullptr) {
            folded->set(indexOf(which), text.changed);
        }
    }
    return fields;
}

void ContactForm::write(const ContactFields& fields) {
    for (ContactField which : kAllContactFields) {
        const QString text = fromCore(fields.text(which));
        if (field(which)->text() != text) {
            field(which)->setText(text);
        }
    }
}

void ContactForm::writeCleaned(const ContactFields& typed, const ContactFields& cleaned,
                               const FoldedFields& folded) {
    // Cleaning is not typing: a comma taken out of the company name leaves the window's
    // include-company box as the user set it.
    const QSignalBlocker cleaning(field(ContactField::Company));
    for (ContactField which : kAllContactFields) {
        if (cleaned.text(which) != typed.text(which) || folded.test(indexOf(which))) {
            field(which)->setText(fromCore(cleaned.text(which)));
        }
    }
}

std::optional<ContactRecord> ContactForm::recordToSave(PlatformServices& platform, QWidget* window,
                                                       const CheckVariant& variant,
                                                       bool includeCompany, bool remindersOn) {
    FoldedFields folded;
    ContactFields typed = read(&folded);
    typed.includeCompany = includeCompany;
    ContactFields fields = typed;
    const auto checked = checkedContactRecord(fields, variant, remindersOn);
    if (const auto* failed = std::get_if<FieldCheck>(&checked)) {
        // The user sees the cleaning done so far.
        writeCleaned(typed, fields);
        platform.messageBox(window, fromCore(failed->title), fromCore(failed->text));
        if (failed->moveFocus) {
            focusField(failed->field);
        }
        return std::nullopt;
    }
    const auto& record = std::get<ContactRecord>(checked);
    if (folded.any() && !storedFormAccepted(platform, window, folded, record)) {
        return std::nullopt;
    }
    writeCleaned(typed, fields, folded);
    return record;
}

bool ContactForm::storedFormAccepted(PlatformServices& platform, QWidget* window,
                                     const FoldedFields& folded, const ContactRecord& record) {
    const ContactFields stored = fieldsFromRecord(record);
    QStringList changes;
    std::optional<ContactField> first;
    for (ContactField which : kAllContactFields) {
        if (folded.test(indexOf(which))) {
            changes << field(which)->text().trimmed() + QStringLiteral(" -> ") +
                           fromCore(stored.text(which));
            if (!first) {
                first = which;
            }
        }
    }
    const MsgAnswer answer = platform.messageBox(
        window, QCoreApplication::translate("ContactForm", "Letters changed"),
        QCoreApplication::translate("ContactForm",
                                    "The contact file cannot hold some of the letters typed.  "
                                    "They will be saved as:\n\n%1\n\n"
                                    "Do you want to save the contact this way?")
            .arg(changes.join(QLatin1Char('\n'))),
        MsgButtons::YesNo, MsgIcon::Question);
    if (answer != MsgAnswer::Yes && first) {
        focusField(*first);
    }
    return answer == MsgAnswer::Yes;
}

void ContactForm::clear() {
    write(ContactFields{});
}

void ContactForm::setFieldsEnabled(bool on) {
    for (QLineEdit* edit : fields_) {
        edit->setEnabled(on);
    }
}

void ContactForm::focusField(ContactField which) {
    field(which)->setFocus(Qt::OtherFocusReason);
}

QString fieldControlName(ContactField which) {
    const auto* entry = std::ranges::find(kFieldLayoutEntries, which, &FieldLayoutEntry::field);
    return QString::fromLatin1(entry->editName);
}

void ContactForm::placeBeside(ContactField which, std::initializer_list<QWidget*> widgets) {
    // One cell per row, packed to the left, so a wide widget on one row does not stretch
    // the buttons of the others.
    auto* beside = new QHBoxLayout;
    for (QWidget* widget : widgets) {
        beside->addWidget(widget);
    }
    beside->addStretch();
    grid_->addLayout(beside, static_cast<int>(indexOf(which)), 2);
}

}  // namespace qm
