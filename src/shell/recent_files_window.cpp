#include "shell/recent_files_window.h"

#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <QMenu>

#include "app/app_state.h"
#include "shell/file_commands_window.h"

namespace qm {

namespace {

const QString kSettingKey = QStringLiteral("RecentFiles");

// One spelling per file, so that a file opened twice takes one entry.
QString samePath(const QString& path) {
    return QDir::cleanPath(QFileInfo(path).absoluteFilePath());
}

}  // namespace

RecentFilesMenu::RecentFilesMenu(AppState& state, QMenu* menu, QAction* before, QWidget* window)
    : QObject(menu), state_(state), window_(window) {
    for (const QString& path : state_.platform.readSetting(kSettingKey).toStringList()) {
        if (!path.isEmpty() && !paths_.contains(path) && paths_.size() < kRecentFileCount) {
            paths_ << path;
        }
    }
    for (int i = 0; i < kRecentFileCount; ++i) {
        auto* item = new QAction(menu);
        item->setObjectName(QStringLiteral("mnuFileRecent%1").arg(i + 1));
        connect(item, &QAction::triggered, this, [this, i] { openEntry(i); });
        menu->insertAction(before, item);
        items_ << item;
    }
    separator_ = menu->insertSeparator(before);
    showEntries();
    connect(&state_, &AppState::fileOpened, this, [this] { remember(state_.filePath()); });
}

void RecentFilesMenu::openEntry(int index) {
    if (index < 0 || index >= paths_.size()) {
        return;
    }
    const QString path = paths_[index];
    if (!QFileInfo::exists(path)) {
        paths_.removeAt(index);
        store();
        showEntries();
        state_.platform.messageBox(
            window_, tr("Contact file not found"),
            tr("The contact file %1 no longer exists.  It has been taken off the list of recent "
               "files.")
                .arg(QDir::toNativeSeparators(path)),
            MsgButtons::Ok, MsgIcon::Exclamation);
        return;
    }
    openContactFileAt(state_, window_, path);
}

void RecentFilesMenu::remember(const QString& path) {
    const QString entry = samePath(path);
    paths_.removeAll(entry);
    paths_.prepend(entry);
    while (paths_.size() > kRecentFileCount) {
        paths_.removeLast();
    }
    store();
    showEntries();
}

void RecentFilesMenu::store() {
    state_.platform.writeSetting(kSettingKey, paths_);
}

void RecentFilesMenu::showEntries() {
    for (int i = 0; i < kRecentFileCount; ++i) {
        QAction* item = items_[i];
        const bool used = i < paths_.size();
        item->setVisible(used);
        if (used) {
            // "&1 Friends.DAT": the number is the entry's Alt key; "&" in a name is no key.
            QString name = QFileInfo(paths_[i]).fileName();
            name.replace(QLatin1Char('&'), QStringLiteral("&&"));
            item->setText(QStringLiteral("&%1 %2").arg(i + 1).arg(name));
            item->setToolTip(QDir::toNativeSeparators(paths_[i]));
            item->setStatusTip(item->toolTip());
        }
    }
    separator_->setVisible(!paths_.isEmpty());
}

}  // namespace qm
