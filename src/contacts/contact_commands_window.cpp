#include "contacts/contact_commands_window.h"

#include "app/app_state.h"
#include "contacts/add_contact_window.h"
#include "contacts/address_parser.h"
#include "platform/messages.h"
#include "platform/qt_text.h"
#include "shell/file_commands_window.h"

namespace qm {

void addContactFromTypedLines(AppState& state, QWidget* parent) {
    const TypedLines& typed = state.typedLines();
    const AddressLines lines = {toCp(typed[0]), toCp(typed[1]), toCp(typed[2]), toCp(typed[3]),
                                toCp(typed[4])};
    try {
        const AddressParse parse = parseAddressLines(lines);
        if (parse.outcome == AddressParseOutcome::LineOneWithoutBlank) {
            state.platform.beep();
            state.platform.messageBox(parent, QString::fromLatin1(kLineOneWithoutBlankTitle),
                                      QString::fromLatin1(kLineOneWithoutBlankText), MsgButtons::Ok,
                                      MsgIcon::None);
            return;
        }
        auto* window = new frmNewContact(state);
        window->setFields(contactFieldsFrom(parse.fields));
        state.showInsteadOfMain(window);
        window->form->focusField(ContactField::FirstName);
    } catch (const QmError& error) {
        reportCommandError(state, parent, error);
    }
}

}  // namespace qm
