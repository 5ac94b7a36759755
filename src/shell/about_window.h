#pragma once

// The About window: the program's title, version and description, and a way to the
// desktop's system-information program.

#include <QDialog>
#include <QLabel>
#include <QPushButton>
#include <QWidget>

namespace qm {
class AppState;
}

class frmLMAbout : public QDialog {
    Q_OBJECT
  public:
    frmLMAbout(qm::AppState& state, QWidget* caller);

    QLabel* picIcon;
    QLabel* lblTitle;
    QLabel* lblVersion;
    QLabel* lblDescription;
    QLabel* lblDisclaimer;
    QPushButton* cmdOK;
    QPushButton* cmdSysInfo;

  private:
    void buildControls();
    void showSystemInfo();

    qm::AppState& state_;
};
