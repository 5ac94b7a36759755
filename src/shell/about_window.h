#pragma once

// The About window: the program's title, version and description, and a way to the
// desktop's system-information program.

#include <QDialog>

class QLabel;
class QPushButton;

namespace qm {
class AppState;
}

class frmLMAbout : public QDialog {
    Q_OBJECT
  public:
    frmLMAbout(qm::AppState& state, QWidget* caller);

  private:
    // The controls; each carries its member's name as its object name.
    struct Ui {
        QLabel* picIcon;
        QLabel* lblTitle;
        QLabel* lblVersion;
        QLabel* lblDescription;
        QLabel* lblDisclaimer;
        QPushButton* cmdOK;
        QPushButton* cmdSysInfo;
    };

    void buildControls();
    void showSystemInfo();

    qm::AppState& state_;
    Ui ui_{};
};
