// The main window's ways into the contact windows: Add Contact (through the address-line
// parser) and the contact browser.
#include "contacts/add_contact_window.h"
#include "contacts/address_parser.h"
#include "contacts/contact_browser_window.h"
#include "platform/messages.h"
#include "platform/qt_text.h"
#include "shell/main_window.h"

void frmDEdavu::addContactCommand() {
    const qm::AddressLines lines = {qm::toCp(txtLMLine1->text()), qm::toCp(txtLMLine2->text()),
                                    qm::toCp(txtLMline3->text()), qm::toCp(txtLMLine4->text()),
                                    qm::toCp(txtLMLine5->text())};
    try {
        const qm::AddressParse parse = qm::parseAddressLines(lines);
        if (parse.outcome == qm::AddressParseOutcome::LineOneWithoutBlank) {
            state_.platform.beep();
            state_.platform.messageBox(this, QString::fromLatin1(qm::kLineOneWithoutBlankTitle),
                                       QString::fromLatin1(qm::kLineOneWithoutBlankText),
                                       qm::MsgButtons::Ok, qm::MsgIcon::None);
            return;
        }
        auto* window = new frmNewContact(state_);
        window->setFields(qm::contactFieldsFrom(parse.fields));
        showInsteadOfMain(window);
        window->form->focusField(qm::ContactField::FirstName);
    } catch (const qm::QmError& error) {
        if (qm::showCommonError(state_.platform, this, error) == qm::MsgAnswer::Retry) {
            fileClose();
        } else {
            close();
        }
    }
}

void frmDEdavu::openContactBrowser(bool focusFind) {
    ::openContactBrowser(state_, focusFind);
}
