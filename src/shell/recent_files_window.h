#pragma once

// The main window's File menu lists the five contact files opened last, newest first. The
// list is kept in the settings store; choosing an entry runs the steps of Open on it, and an
// entry whose file is gone is taken off the list with a message.

#include <QObject>
#include <QStringList>

class QAction;
class QMenu;
class QWidget;

namespace qm {

class AppState;

inline constexpr int kRecentFileCount = 5;

class RecentFilesMenu : public QObject {
    Q_OBJECT
  public:
    // The entries go into the menu before `before`, with a separator of their own.
    RecentFilesMenu(AppState& state, QMenu* menu, QAction* before, QWidget* window);

  private:
    // The entry's file opened as Open does, or taken off the list when it is gone.
    void openEntry(int index);
    void remember(const QString& path);
    void store();
    void showEntries();

    AppState& state_;
    QWidget* window_;
    QStringList paths_;
    // The entries' menu items, newest first; hidden ones are not in use.
    QList<QAction*> items_;
    QAction* separator_;
};

}  // namespace qm
