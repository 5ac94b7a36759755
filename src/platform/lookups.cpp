#include "platform/lookups.h"

#include "platform/platform_services.h"

namespace qm {

namespace {

QString inFolder(const QString& folder, const char* name) {
    return folder + QLatin1Char('/') + QString::fromLatin1(name);
}

}  // namespace

void openUserManual(PlatformServices& platform, const QString& appFolder) {
    platform.openDocument(inFolder(appFolder, kUserManualFile));
}

void openStateList(PlatformServices& platform, const QString& appFolder) {
    platform.openDocument(inFolder(appFolder, kStateListFile));
}

void openPeopleSearch(PlatformServices& platform) {
    platform.openDocument(QString::fromLatin1(kPeopleSearchUrl));
}

void openZipLookup(PlatformServices& platform) {
    platform.openDocument(QString::fromLatin1(kZipLookupUrl));
}

}  // namespace qm
