#pragma once

// The main window's typed label lines and their print options: the five lines, label stock or
// an envelope size, orientation, alignment, bold and large font, with the Print, return-address
// Print and Clear Form buttons. The application state holds what the panel shows; the panel
// keeps the two alike, so other windows change the lines through the state.

#include <QWidget>
#include <array>
#include <string>

#include "app/app_state.h"

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace qm {

struct EnvelopeJob;

class TypedLinesPanel : public QWidget {
    Q_OBJECT
  public:
    explicit TypedLinesPanel(AppState& state, QWidget* parent = nullptr);

    // The commands the main window's menus share with the buttons.
    void printCommand();
    void previewCommand();
    void returnAddressCommand();
    void returnAddressPreviewCommand();
    void focusFirstLine();

  private:
    // The controls; each carries its member's name as its object name.
    struct Ui {
        QLabel* lblLMLine1;
        QLabel* lblLMLine2;
        QLabel* lblLMLine3;
        QLabel* lblLMLine4;
        QLabel* lblLMLine5;
        QLineEdit* txtLMLine1;
        QLineEdit* txtLMLine2;
        QLineEdit* txtLMline3;
        QLineEdit* txtLMLine4;
        QLineEdit* txtLMLine5;
        QPushButton* cmdLMStart;
        QPushButton* cmdLMPreview;
        QPushButton* cmdRetAddress;
        QPushButton* cmdRetPreview;
        QPushButton* cmdLMClear;
        QGroupBox* frLMMediaType;
        QRadioButton* optLMLabel;
        QRadioButton* optLMEnvelope;
        QComboBox* cboLMEnvelope;
        QGroupBox* frPortLand;
        QRadioButton* optPortrait;
        QRadioButton* optLandscape;
        QGroupBox* frLMJust;
        QRadioButton* optLMCenter;
        QRadioButton* optLMLeftjust;
        QCheckBox* chkBold;
        QCheckBox* chkLargeFont;
        QLabel* lblLMPosition;
        QLabel* lblLMEnvSize;
    };

    // Return-address mode: only the return-address buttons print, and the medium is fixed.
    // Once a sheet printed, Print is back but the medium stays fixed while the user is asked
    // for another sheet.
    enum class ReturnAddressMode { Off, On, SheetPrinted };

    void buildControls();
    void connectCommands();
    void startUp();

    // Panel and state kept alike, each way.
    void takeLineFromControl(int index);
    void showTypedLines();
    void takeOptionsFromControls();
    void showOptions();
    void showPosition();
    std::array<QLineEdit*, kTypedLineCount> lineFields() const;
    std::array<std::string, kTypedLineCount> typedLinesCp() const;
    void setPads(const TextSlot& slot);

    // Label stock and the label job of the Print command.
    void labelStockClicked();
    void runPrintCommand(bool preview);
    void runReturnAddressCommand(bool preview);

    // Envelopes, Clear Form and return-address labels.
    void envelopeClicked();
    void envelopeSizePicked(int index);
    // The envelope job of the Print command.
    EnvelopeJob envelopeJob() const;
    void clearForm();
    void hideStyles();
    void switchOffBold();
    void setReturnAddressMode(ReturnAddressMode mode);

    AppState& state_;
    Ui ui_{};
    ReturnAddressMode returnAddressMode_ = ReturnAddressMode::Off;
    bool syncing_ = false;
};

}  // namespace qm
