#include "contacts/contact_commands_window.h"

#include "app/app_state.h"
#include "app/command_error.h"
#include "contacts/add_contact_open.h"
#include "contacts/address_parser.h"
#include "platform/messages.h"
#include "platform/qt_text.h"

namespace qm {

void addContactFromTypedLines(AppState& state, QWidget* parent) {
    const TypedLines& typed = state.typedLines();
    // The lines become contact values: letters the file cannot hold are folded here, so the
    // form shows them as they will be stored.
    AddressLines lines;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        lines[i] = toStorable(typed[i], state.contacts().fieldLimits()).text;
    }
    try {
        const AddressParse parse = parseAddressLines(lines);
        if (parse.outcome == AddressParseOutcome::LineOneWithoutBlank) {
            state.platform.beep();
            state.platform.messageBox(parent, QString::fromLatin1(kLineOneWithoutBlankTitle),
                                      QString::fromLatin1(kLineOneWithoutBlankText), MsgButtons::Ok,
                                      MsgIcon::None);
            return;
        }
        openAddContact(state, parse.fields);
    } catch (const QmError& error) {
        reportCommandError(state, parent, error);
    }
}

}  // namespace qm
