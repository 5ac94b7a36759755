#pragma once

// The main window's typed label lines and their print options: the five lines, label stock or
// an envelope size, orientation, alignment, bold and large font, with the Print, return-address
// Print and Clear Form buttons. The application state holds what the panel shows; the panel
// keeps the two alike, so other windows change the lines through the state.

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QWidget>
#include <array>
#include <string>

#include "app/app_state.h"

namespace qm {

struct EnvelopeJob;
class StockChooser;

class TypedLinesPanel : public QWidget {
    Q_OBJECT
  public:
    explicit TypedLinesPanel(AppState& state, QWidget* parent = nullptr);

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
    QPushButton* cmdLMClear;
    QPushButton* cmdRetAddress;
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

    QPushButton* cmdLMPreview;
    QPushButton* cmdRetPreview;
    // The sheets of the typed-line labels and of the return-address labels.
    StockChooser* labelStock;
    StockChooser* returnStock;

    // The commands the main window's menus share with the buttons.
    void printCommand();
    void previewCommand();
    void returnAddressCommand();
    void returnAddressPreviewCommand();
    void focusFirstLine() { txtLMLine1->setFocus(); }

    // Both options of a frame off (a plain exclusive group never allows that).
    static void clearOptions(QRadioButton* a, QRadioButton* b);

  private:
    void buildControls();
    void connectCommands();
    void startUp();

    // Panel and state kept alike, each way.
    void takeLineFromControl(int index);
    void showTypedLines();
    void takeOptionsFromControls();
    void showOptions();
    std::array<QLineEdit*, kTypedLineCount> lineFields() const;
    std::array<std::string, kTypedLineCount> typedLinesCp() const;
    void setPads(const TextSlot& slot);

    // Label stock and the label job of the Print command.
    void labelStockClicked();
    // Positions entered for another sheet are asked for again.
    void labelSheetChanged();
    void runPrintCommand(bool preview);
    void runReturnAddressCommand(bool preview);

    // Envelopes, Clear Form and return-address labels.
    void envelopeClicked();
    void envelopeSizePicked(int index);
    // The envelope job of the Print command.
    EnvelopeJob envelopeJob() const;
    void clearForm();
    void enterReturnAddressMode();
    void leaveReturnAddressMode();

    AppState& state_;
    bool syncing_ = false;
};

}  // namespace qm
