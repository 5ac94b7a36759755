#include "shell/about_window.h"

#include "platform/widget_names.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/app_state.h"
#include "shell/about_open.h"

namespace {

// The product's name is a name, the same in every language.
const QString kProductName = QStringLiteral("Quillmark");

// An envelope with an address on it: the program's own picture.
QPixmap productPicture() {
    QPixmap picture(48, 48);
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(QColor(40, 60, 110), 2));
    painter.setBrush(QColor(250, 246, 232));
    painter.drawRect(QRectF(3, 10, 42, 28));
    painter.drawLine(QPointF(3, 10), QPointF(24, 26));
    painter.drawLine(QPointF(45, 10), QPointF(24, 26));
    painter.setPen(QPen(QColor(170, 40, 40), 2));
    painter.drawLine(QPointF(14, 32), QPointF(34, 32));
    return picture;
}

QLabel* paragraph(const QString& text, const char* name) {
    auto* label = qm::named(new QLabel(text), name);
    label->setWordWrap(true);
    return label;
}

}  // namespace

frmLMAbout::frmLMAbout(qm::AppState& state, QWidget* caller)
    : QDialog(caller != nullptr ? caller->window() : nullptr), state_(state) {
    setObjectName(QStringLiteral("frmLMAbout"));
    setAttribute(Qt::WA_DeleteOnClose);
    setModal(false);
    buildControls();
    setWindowTitle(tr("About %1").arg(kProductName));
    ui_.lblTitle->setText(kProductName);
    ui_.lblVersion->setText(tr("Version %1").arg(QStringLiteral(QUILLMARK_VERSION)));
    connect(ui_.cmdOK, &QPushButton::clicked, this, &QDialog::close);
    connect(ui_.cmdSysInfo, &QPushButton::clicked, this, &frmLMAbout::showSystemInfo);
}

void frmLMAbout::buildControls() {
    ui_.picIcon = qm::named(new QLabel, "picIcon");
    ui_.picIcon->setPixmap(productPicture());
    ui_.lblTitle = qm::named(new QLabel(tr("Application Title")), "lblTitle");
    QFont titleFont = ui_.lblTitle->font();
    titleFont.setPointSize(titleFont.pointSize() + 6);
    titleFont.setBold(true);
    ui_.lblTitle->setFont(titleFont);
    ui_.lblVersion = qm::named(new QLabel, "lblVersion");
    ui_.lblDescription =
        paragraph(tr("Quillmark  is a software program for your home or small business.  It "
                     "allows you to type and print your label, or retrieve label information "
                     "from your contact file.  With its comprehensive features, you can save "
                     "time and money."),
                  "lblDescription");
    ui_.lblDisclaimer =
        paragraph(tr("Disclaimer:  This software is provided as a tool for individuals and "
                     "small business owners.  It is provided as is, without warranty of any "
                     "kind.  Check your labels, envelopes and contact data before you rely on "
                     "them, and keep a copy of your contact files."),
                  "lblDisclaimer");
    ui_.cmdOK = qm::named(new QPushButton(tr("OK")), "cmdOK");
    ui_.cmdOK->setDefault(true);
    ui_.cmdSysInfo = qm::named(new QPushButton(tr("&System Info...")), "cmdSysInfo");

    auto* heading = new QVBoxLayout;
    heading->addWidget(ui_.lblTitle);
    heading->addWidget(ui_.lblVersion);
    auto* top = new QHBoxLayout;
    top->addWidget(ui_.picIcon, 0, Qt::AlignTop);
    top->addLayout(heading, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ui_.cmdOK);
    buttons->addWidget(ui_.cmdSysInfo);
    auto* page = new QVBoxLayout(this);
    page->addLayout(top);
    page->addWidget(ui_.lblDescription);
    page->addSpacing(8);
    page->addWidget(ui_.lblDisclaimer);
    page->addStretch();
    page->addLayout(buttons);
    setMinimumWidth(460);
}

void frmLMAbout::showSystemInfo() {
    if (!state_.platform.startSystemInfo()) {
        state_.platform.messageBox(this, kProductName,
                                   tr("System Information Is Unavailable At This Time"));
    }
}

void showAboutWindow(qm::AppState& state, QWidget* caller) {
    frmLMAbout* about = nullptr;
    for (QWidget* window : QApplication::topLevelWidgets()) {
        // A closed About window is only waiting to be deleted.
        auto* found = qobject_cast<frmLMAbout*>(window);
        if (found != nullptr && found->isVisible()) {
            about = found;
        }
    }
    if (about == nullptr) {
        about = new frmLMAbout(state, caller);
        state.openWindows.emplace_back(about);
    } else if (caller != nullptr && about->parentWidget() != caller->window()) {
        // Follows the window that asked, so it stays on top of that one.
        about->setParent(caller->window(), about->windowFlags());
    }
    about->show();
    about->raise();
    about->activateWindow();
}
