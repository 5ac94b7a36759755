#include "app/app_state.h"

#include <QFile>
#include <algorithm>
#include <utility>

#include "platform/label_templates.h"
#include "records/file_title.h"
#include "records/open_contact_store.h"

namespace qm {

AppState::AppState(PlatformServices& services, QString folder)
    : platform(services), appFolder(std::move(folder)), contacts_(noContactStore()) {}

StockLibrary& AppState::stocks() {
    if (!stocks_) {
        std::vector<std::string> folders;
        const QString own =
            platform.readSetting(QString::fromLatin1(kStockFolderSetting)).toString();
        if (!own.isEmpty()) {
            folders.push_back(QFile::encodeName(own).toStdString());
        }
        stocks_ = std::make_unique<StockLibrary>(templateLoader(std::move(folders)));
    }
    return *stocks_;
}

void AppState::closeContacts() {
    const std::unique_ptr<ContactStore> open = std::exchange(contacts_, noContactStore());
    open->close();
}

void AppState::openFile(const QString& path) {
    closeContacts();
    contacts_ = openContactStore(QFile::encodeName(path).toStdString());
    filePath_ = path;
    fileTitle_ = QFile::decodeName(contactFileTitle(QFile::encodeName(path).toStdString()).c_str());
    importExportAvailable_ = true;
    Q_EMIT fileOpened();
}

void AppState::reopenFile() {
    closeContacts();
    contacts_ = openContactStore(QFile::encodeName(filePath_).toStdString());
}

void AppState::closeFile(const std::function<void(const QmError&)>& reportFailure) {
    // The descriptor is released even when the system reports a failure.
    try {
        closeContacts();
    } catch (const QmError& error) {
        reportFailure(error);
    }
    forgetFile();
}

void AppState::forgetFile() {
    filePath_.clear();
    fileTitle_.clear();
    Q_EMIT fileClosed();
    resetReminders();
}

void AppState::setReminders(bool on) {
    remindersOn_ = on;
    remindersSwitchable_ = true;
    Q_EMIT remindersChanged();
}

void AppState::resetReminders() {
    remindersOn_ = true;
    remindersSwitchable_ = false;
    Q_EMIT remindersChanged();
}

void AppState::contactsSaved() {
    if (remindersOn_ && !remindersSwitchable_) {
        remindersSwitchable_ = true;
        Q_EMIT remindersChanged();
    }
}

void AppState::setTypedLines(const TypedLines& lines) {
    if (lines != typedLines_) {
        typedLines_ = lines;
        Q_EMIT typedLinesChanged();
    }
}

void AppState::setTypedLine(int index, const QString& text) {
    TypedLines lines = typedLines_;
    lines.at(static_cast<std::size_t>(index)) = text;
    setTypedLines(lines);
}

void AppState::handLabelLines(const TypedLines& lines) {
    PrintOptions options = options_;
    options.bold = false;
    setPrintOptions(options);
    Q_EMIT labelLinesHanded();
    setTypedLines(lines);
}

void AppState::setPrintOptions(const PrintOptions& options) {
    if (!(options == options_)) {
        options_ = options;
        Q_EMIT printOptionsChanged();
    }
}

void AppState::showInsteadOfMain(QWidget* window) {
    if (std::find(openWindows.begin(), openWindows.end(), window) == openWindows.end()) {
        openWindows.emplace_back(window);
    }
    Q_EMIT mainWindowLeft();
    window->show();
    window->activateWindow();
}

void AppState::returnToMain() {
    // Windows that are gone drop out; a hidden one that stays loaded is still closed at exit.
    std::erase_if(openWindows, [](const QPointer<QWidget>& w) { return w.isNull(); });
    Q_EMIT mainWindowWanted();
}

QString captionWithFileTitle(const AppState& state, const QString& name) {
    return name + QStringLiteral("  [") + state.fileTitle() + QLatin1Char(']');
}

}  // namespace qm
