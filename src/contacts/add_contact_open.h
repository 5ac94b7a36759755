#pragma once

// How a command opens Add Contact with its fields filled, without knowing the window's class.

#include "contacts/field_rules.h"

namespace qm {
class AppState;
}

// Shows Add Contact in the main window's place with these values, the first name focused.
void openAddContact(qm::AppState& state, const qm::ContactFields& fields);
