#include "carddav/address_book_commands.h"

#include "records/contact_store.h"

namespace qm::carddav {

ImportResult importAddressBook(ContactStore& contacts, const ServerConnection& connection,
                               bool remindersOn, const ReadProgress& progress) {
    contacts.count();  // without an open contact file, its error comes before the server's
    const AddressBookRead read = readAddressBook(connection, {}, progress);
    return importServerCardsIntoFile(read.cards, contacts, remindersOn);
}

SyncCounts syncAddressBook(ContactStore& contacts, const ServerConnection& connection,
                           bool remindersOn, const ReadProgress& progress) {
    contacts.count();
    const std::string statePath = syncStatePath(contacts.path());
    const CarddavSyncState known = readSyncState(statePath);
    const AddressBookRead read = readAddressBook(connection, known, progress);
    return syncContactFile(contacts, statePath, known, read, remindersOn);
}

}  // namespace qm::carddav
