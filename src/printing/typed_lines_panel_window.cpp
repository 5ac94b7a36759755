#include "printing/typed_lines_panel_window.h"

#include <QFormLayout>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QVBoxLayout>

#include "platform/enter_as_tab.h"
#include "platform/qt_text.h"
#include "platform/widget_names.h"
#include "printing/label_stock.h"
#include "printing/stock_chooser_window.h"

namespace qm {

namespace {

const char* const kEnvelopeSizeNames[] = {
    QT_TRANSLATE_NOOP("qm::TypedLinesPanel",
                      "#10 Standard Business envelope (4 1/8 in x 9 1/2 in)"),
    QT_TRANSLATE_NOOP("qm::TypedLinesPanel", "#6 3/4 Small envelope (3 5/8 in x 6 1/2 in)"),
    QT_TRANSLATE_NOOP("qm::TypedLinesPanel", "#A2 Invitation envelope (4 3/8 in x 5 3/4 in)"),
    QT_TRANSLATE_NOOP("qm::TypedLinesPanel", "#A7 Announcement envelope (5 1/4 in x 7 1/4 in)"),
    QT_TRANSLATE_NOOP("qm::TypedLinesPanel", "#A8 Std Greeting Card envelope (5.5 in x 8 1/8 in)"),
    QT_TRANSLATE_NOOP("qm::TypedLinesPanel", "#A10 Lrg Greeting Card envelope (6 in x 9 1/2 in)"),
    QT_TRANSLATE_NOOP("qm::TypedLinesPanel", "Custom (edit Left and Top margin boxes)"),
    QT_TRANSLATE_NOOP("qm::TypedLinesPanel", "DL envelope (110 mm x 220 mm)"),
    QT_TRANSLATE_NOOP("qm::TypedLinesPanel", "C5 envelope (162 mm x 229 mm)"),
    QT_TRANSLATE_NOOP("qm::TypedLinesPanel", "C6 envelope (114 mm x 162 mm)"),
    QT_TRANSLATE_NOOP("qm::TypedLinesPanel", "C4 envelope (229 mm x 324 mm)"),
};

// The frame's option that the state names, or both off.
void showChoice(QRadioButton* first, QRadioButton* second, bool firstOn, bool secondOn) {
    if (firstOn) {
        first->setChecked(true);
    } else if (secondOn) {
        second->setChecked(true);
    } else {
        TypedLinesPanel::clearOptions(first, second);
    }
}

}  // namespace

TypedLinesPanel::TypedLinesPanel(AppState& state, QWidget* parent)
    : QWidget(parent), state_(state) {
    setObjectName(QStringLiteral("typedLinesPanel"));
    buildControls();
    connectCommands();
    startUp();
}

void TypedLinesPanel::buildControls() {
    lblLMLine1 = named(new QLabel(tr("Line #1:")), "lblLMLine1");
    lblLMLine2 = named(new QLabel(tr("Line #2:")), "lblLMLine2");
    lblLMLine3 = named(new QLabel(tr("Line #3:")), "lblLMLine3");
    lblLMLine4 = named(new QLabel(tr("Line #4:")), "lblLMLine4");
    lblLMLine5 = named(new QLabel(tr("Line #5:")), "lblLMLine5");
    txtLMLine1 = named(new QLineEdit, "txtLMLine1");
    txtLMLine2 = named(new QLineEdit, "txtLMLine2");
    txtLMline3 = named(new QLineEdit, "txtLMline3");
    txtLMLine4 = named(new QLineEdit, "txtLMLine4");
    txtLMLine5 = named(new QLineEdit, "txtLMLine5");

    cmdLMStart = named(new QPushButton(tr("Print")), "cmdLMStart");
    cmdLMClear = named(new QPushButton(tr("Clear Form")), "cmdLMClear");
    cmdRetAddress = named(new QPushButton(tr("Print")), "cmdRetAddress");
    cmdRetAddress->setToolTip(
        tr("Prints 80 return address labels on Avery 5167 (1/2\" x 1 3/4\") labels"));
    cmdLMPreview = named(new QPushButton(tr("Preview")), "cmdLMPreview");
    cmdLMPreview->setToolTip(tr("Shows the pages as Print would print them"));
    cmdRetPreview = named(new QPushButton(tr("Preview")), "cmdRetPreview");
    cmdRetPreview->setToolTip(tr("Shows the sheet of return address labels before it prints"));

    frLMMediaType = named(new QGroupBox, "frLMMediaType");
    optLMLabel = named(new QRadioButton(tr("Label stock")), "optLMLabel");
    optLMEnvelope = named(new QRadioButton(tr("Envelope")), "optLMEnvelope");
    cboLMEnvelope = named(new QComboBox, "cboLMEnvelope");
    cboLMEnvelope->setPlaceholderText(tr("Select Envelope Size"));
    frPortLand = named(new QGroupBox, "frPortLand");
    optPortrait = named(new QRadioButton(tr("Portrait")), "optPortrait");
    optLandscape = named(new QRadioButton(tr("Landscape")), "optLandscape");
    frLMJust = named(new QGroupBox, "frLMJust");
    optLMCenter = named(new QRadioButton(tr("Centered")), "optLMCenter");
    optLMLeftjust = named(new QRadioButton(tr("Left-Justified")), "optLMLeftjust");
    chkBold = named(new QCheckBox(tr("Bold")), "chkBold");
    chkBold->setToolTip(tr("If checked, will print envelope in bold"));
    chkLargeFont = named(new QCheckBox(tr("Large Font")), "chkLargeFont");
    chkLargeFont->setToolTip(tr("If checked, will print envelope in larger, italicized font"));
    lblLMPosition = named(new QLabel, "lblLMPosition");
    lblLMEnvSize = named(new QLabel, "lblLMEnvSize");
    lblLMEnvSize->setWordWrap(true);

    // Lines on the left with their buttons, print options on the right.
    auto* lines = new QGridLayout;
    const QList<QPair<QLabel*, QLineEdit*>> rows = {{lblLMLine1, txtLMLine1},
                                                    {lblLMLine2, txtLMLine2},
                                                    {lblLMLine3, txtLMline3},
                                                    {lblLMLine4, txtLMLine4},
                                                    {lblLMLine5, txtLMLine5}};
    for (int r = 0; r < rows.size(); ++r) {
        lines->addWidget(rows[r].first, r, 0);
        lines->addWidget(rows[r].second, r, 1);
        rows[r].second->setMinimumWidth(320);
    }
    auto* lineButtons = new QHBoxLayout;
    lineButtons->addWidget(cmdLMStart);
    lineButtons->addWidget(cmdLMPreview);
    lineButtons->addWidget(cmdRetAddress);
    lineButtons->addWidget(cmdRetPreview);
    lineButtons->addWidget(cmdLMClear);
    lineButtons->addStretch();
    lines->addLayout(lineButtons, 5, 1);
    lines->addWidget(lblLMPosition, 6, 1);

    auto* media = new QVBoxLayout(frLMMediaType);
    media->addWidget(optLMLabel);
    media->addWidget(optLMEnvelope);
    auto* orientation = new QVBoxLayout(frPortLand);
    orientation->addWidget(optPortrait);
    orientation->addWidget(optLandscape);
    auto* justification = new QVBoxLayout(frLMJust);
    justification->addWidget(optLMLeftjust);
    justification->addWidget(optLMCenter);
    auto* options = new QVBoxLayout;
    auto* frames = new QHBoxLayout;
    frames->addWidget(frLMMediaType);
    frames->addWidget(frPortLand);
    frames->addWidget(frLMJust);
    options->addLayout(frames);
    options->addWidget(cboLMEnvelope);
    options->addWidget(lblLMEnvSize);
    labelStock = new StockChooser(state_, QString::fromLatin1(kLabelStockSetting), kAddressSheet,
                                  QStringLiteral("LM"));
    returnStock = new StockChooser(state_, QString::fromLatin1(kReturnLabelStockSetting),
                                   kReturnAddressSheet, QStringLiteral("Ret"));
    auto* sheets = new QFormLayout;
    sheets->addRow(tr("Label sheet:"), labelStock);
    sheets->addRow(tr("Return-address sheet:"), returnStock);
    options->addLayout(sheets);
    auto* styles = new QHBoxLayout;
    styles->addWidget(chkBold);
    styles->addWidget(chkLargeFont);
    styles->addStretch();
    options->addLayout(styles);
    options->addStretch();

    auto* body = new QHBoxLayout(this);
    body->setContentsMargins(0, 0, 0, 0);
    body->addLayout(lines, 3);
    body->addSpacing(12);
    body->addLayout(options, 2);

    // Print first, then the five lines, as the typed-line workflow expects.
    setTabOrder(cmdLMStart, txtLMLine1);
    setTabOrder(txtLMLine1, txtLMLine2);
    setTabOrder(txtLMLine2, txtLMline3);
    setTabOrder(txtLMline3, txtLMLine4);
    setTabOrder(txtLMLine4, txtLMLine5);
    for (QLineEdit* line : {txtLMLine1, txtLMLine2, txtLMline3, txtLMLine4}) {
        installEnterAsTab(line);
    }
}

void TypedLinesPanel::connectCommands() {
    connect(cmdRetAddress, &QPushButton::clicked, this, &TypedLinesPanel::returnAddressCommand);
    connect(cmdLMStart, &QPushButton::clicked, this, &TypedLinesPanel::printCommand);
    connect(cmdLMPreview, &QPushButton::clicked, this, &TypedLinesPanel::previewCommand);
    connect(cmdRetPreview, &QPushButton::clicked, this,
            &TypedLinesPanel::returnAddressPreviewCommand);
    connect(cmdLMClear, &QPushButton::clicked, this, &TypedLinesPanel::clearForm);

    // The state follows every change of a control, however it came about.
    const auto lines = lineFields();
    for (int i = 0; i < kTypedLineCount; ++i) {
        connect(lines[static_cast<std::size_t>(i)], &QLineEdit::textChanged, this,
                [this, i] { takeLineFromControl(i); });
    }
    for (QAbstractButton* option : std::initializer_list<QAbstractButton*>{
             optLMLabel, optLMEnvelope, optPortrait, optLandscape, optLMCenter, optLMLeftjust,
             chkBold, chkLargeFont}) {
        connect(option, &QAbstractButton::toggled, this, &TypedLinesPanel::takeOptionsFromControls);
    }
    connect(&state_, &AppState::typedLinesChanged, this, &TypedLinesPanel::showTypedLines);
    connect(&state_, &AppState::printOptionsChanged, this, &TypedLinesPanel::showOptions);
    // A contact's lines handed over print without bold, which is offered with envelopes only.
    connect(&state_, &AppState::labelLinesHanded, chkBold, &QWidget::hide);

    connect(optLMLabel, &QRadioButton::clicked, this, &TypedLinesPanel::labelStockClicked);
    connect(labelStock, &StockChooser::stockChanged, this, &TypedLinesPanel::labelSheetChanged);
    connect(optLMEnvelope, &QRadioButton::clicked, this, &TypedLinesPanel::envelopeClicked);
    connect(cboLMEnvelope, &QComboBox::activated, this, &TypedLinesPanel::envelopeSizePicked);
    connect(optPortrait, &QRadioButton::clicked, this, [this] { setPads(kDefaultSlot); });
    for (QRadioButton* option : {optLandscape, optLMCenter, optLMLeftjust}) {
        connect(option, &QRadioButton::clicked, this, [this] { txtLMLine1->setFocus(); });
    }
    for (QCheckBox* style : {chkBold, chkLargeFont}) {
        connect(style, &QCheckBox::clicked, this, [this] { cmdLMStart->setFocus(); });
    }
}

void TypedLinesPanel::startUp() {
    for (const char* size : kEnvelopeSizeNames) {
        cboLMEnvelope->addItem(tr(size));
    }
    cboLMEnvelope->setCurrentIndex(-1);
    showTypedLines();
    showOptions();
    cboLMEnvelope->hide();
    chkBold->hide();
    chkLargeFont->hide();
    cmdRetAddress->hide();
    cmdRetPreview->hide();
}

std::array<QLineEdit*, kTypedLineCount> TypedLinesPanel::lineFields() const {
    return {txtLMLine1, txtLMLine2, txtLMline3, txtLMLine4, txtLMLine5};
}

std::array<std::string, kTypedLineCount> TypedLinesPanel::typedLinesCp() const {
    std::array<std::string, kTypedLineCount> out;
    const TypedLines& lines = state_.typedLines();
    for (std::size_t i = 0; i < out.size(); ++i) {
        out[i] = toCp(lines[i]);
    }
    return out;
}

void TypedLinesPanel::takeLineFromControl(int index) {
    state_.setTypedLine(index, lineFields()[static_cast<std::size_t>(index)]->text());
}

void TypedLinesPanel::showTypedLines() {
    const auto fields = lineFields();
    const TypedLines& lines = state_.typedLines();
    for (std::size_t i = 0; i < fields.size(); ++i) {
        if (fields[i]->text() != lines[i]) {
            fields[i]->setText(lines[i]);
        }
    }
}

void TypedLinesPanel::takeOptionsFromControls() {
    if (syncing_) {
        return;
    }
    syncing_ = true;
    PrintOptions options = state_.printOptions();
    options.medium = optLMLabel->isChecked()      ? PrintMedium::LabelStock
                     : optLMEnvelope->isChecked() ? PrintMedium::Envelope
                                                  : PrintMedium::None;
    options.portrait = optPortrait->isChecked();
    options.alignment = optLMLeftjust->isChecked() ? TextAlignment::LeftJustified
                        : optLMCenter->isChecked() ? TextAlignment::Centered
                                                   : TextAlignment::None;
    options.bold = chkBold->isChecked();
    options.largeFont = chkLargeFont->isChecked();
    state_.setPrintOptions(options);
    syncing_ = false;
}

void TypedLinesPanel::showOptions() {
    if (syncing_) {
        return;
    }
    syncing_ = true;
    const PrintOptions& o = state_.printOptions();
    showChoice(optLMLabel, optLMEnvelope, o.medium == PrintMedium::LabelStock,
               o.medium == PrintMedium::Envelope);
    showChoice(optPortrait, optLandscape, o.portrait, !o.portrait);
    showChoice(optLMLeftjust, optLMCenter, o.alignment == TextAlignment::LeftJustified,
               o.alignment == TextAlignment::Centered);
    chkBold->setChecked(o.bold);
    chkLargeFont->setChecked(o.largeFont);
    syncing_ = false;
}

void TypedLinesPanel::setPads(const TextSlot& slot) {
    PrintOptions options = state_.printOptions();
    options.leftPad = slot.startColumn;
    options.topPad = slot.topLines;
    state_.setPrintOptions(options);
}

void TypedLinesPanel::clearOptions(QRadioButton* a, QRadioButton* b) {
    a->setAutoExclusive(false);
    b->setAutoExclusive(false);
    a->setChecked(false);
    b->setChecked(false);
    a->setAutoExclusive(true);
    b->setAutoExclusive(true);
}

}  // namespace qm
