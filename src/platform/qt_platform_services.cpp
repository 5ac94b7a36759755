#include "platform/qt_platform_services.h"

#include <QApplication>
#include <QClipboard>
#include <QDesktopServices>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QGridLayout>
#include <QInputDialog>
#include <QLabel>
#include <QListWidget>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QScreen>
#include <QSettings>
#include <QStandardPaths>
#include <QUrl>
#include <QVBoxLayout>
#include <algorithm>

#include "platform/print_preview_window.h"
#include "platform/qt_printer_surface.h"
#include "platform/qt_text.h"

namespace qm {

namespace {

QMessageBox::Icon qtIcon(MsgIcon icon) {
    switch (icon) {
        case MsgIcon::Information:
            return QMessageBox::Information;
        case MsgIcon::Exclamation:
            return QMessageBox::Warning;
        case MsgIcon::Question:
            return QMessageBox::Question;
        case MsgIcon::Critical:
            return QMessageBox::Critical;
        case MsgIcon::None:
            break;
    }
    return QMessageBox::NoIcon;
}

// The box's buttons from the left, as MsgDefault counts them.
QList<QMessageBox::StandardButton> qtButtons(MsgButtons buttons) {
    switch (buttons) {
        case MsgButtons::YesNo:
            return {QMessageBox::Yes, QMessageBox::No};
        case MsgButtons::YesNoCancel:
            return {QMessageBox::Yes, QMessageBox::No, QMessageBox::Cancel};
        case MsgButtons::RetryCancel:
            return {QMessageBox::Retry, QMessageBox::Cancel};
        case MsgButtons::SaveDiscardCancel:
            return {QMessageBox::Save, QMessageBox::Discard, QMessageBox::Cancel};
        case MsgButtons::Ok:
            break;
    }
    return {QMessageBox::Ok};
}

MsgAnswer answerOf(int button) {
    switch (button) {
        case QMessageBox::Yes:
            return MsgAnswer::Yes;
        case QMessageBox::No:
            return MsgAnswer::No;
        case QMessageBox::Retry:
            return MsgAnswer::Retry;
        case QMessageBox::Cancel:
            return MsgAnswer::Cancel;
        case QMessageBox::Save:
            return MsgAnswer::Save;
        case QMessageBox::Discard:
            return MsgAnswer::Discard;
        default:
            return MsgAnswer::Ok;
    }
}

// The width a window needs for its whole title in the frame: the title set in bold, as most
// window managers draw it, with room for the frame's icon and buttons. Qt's own allowance
// is the title in the dialog's font plus 50 pixels, which cut longer titles short.
int widthForTitle(const QWidget& window, const QString& title) {
    QFont font = window.font();
    font.setBold(true);
    const QFontMetrics metrics(font);
    const int wanted = metrics.horizontalAdvance(title) + 8 * metrics.height();
    const QScreen* screen = window.screen();
    return screen != nullptr ? std::min(wanted, screen->availableGeometry().width()) : wanted;
}

// A message box sizes itself to its layout when shown; a spacer as wide as the title makes
// the layout that wide.
void widenForTitle(QMessageBox& box, const QString& title) {
    auto* grid = qobject_cast<QGridLayout*>(box.layout());
    if (grid != nullptr) {
        grid->addItem(
            new QSpacerItem(widthForTitle(box, title), 0, QSizePolicy::Minimum, QSizePolicy::Fixed),
            grid->rowCount(), 0, 1, grid->columnCount());
    }
}

// Filters come as "Description|pattern|Description|pattern"; the dialog wants
// "Description (pattern);;...".
QString qtNameFilters(const QString& filter) {
    const QStringList parts = filter.split(QLatin1Char('|'));
    if (parts.size() < 2) {
        return filter;
    }
    QStringList filters;
    for (int i = 0; i + 1 < parts.size(); i += 2) {
        const QString patterns = QString(parts[i + 1]).replace(QLatin1Char(';'), QLatin1Char(' '));
        QString description = parts[i];
        const int bracket = description.lastIndexOf(QLatin1Char('('));
        if (bracket >= 0) {
            description.truncate(bracket);
        }
        filters << description.trimmed() + QStringLiteral(" (") + patterns + QLatin1Char(')');
    }
    return filters.join(QStringLiteral(";;"));
}

}  // namespace

MsgAnswer QtPlatformServices::messageBox(QWidget* parent, const QString& title, const QString& text,
                                         MsgButtons buttons, MsgIcon icon,
                                         MsgDefault defaultButton) {
    QMessageBox box(qtIcon(icon), title, text, QMessageBox::NoButton, parent);
    const QList<QMessageBox::StandardButton> order = qtButtons(buttons);
    for (QMessageBox::StandardButton button : order) {
        box.addButton(button);
    }
    const auto index = std::min(static_cast<qsizetype>(defaultButton), order.size() - 1);
    box.setDefaultButton(order[index]);
    // Escape answers as the box's own cancel choice would.
    if (buttons == MsgButtons::YesNo) {
        box.setEscapeButton(QMessageBox::No);
    }
    widenForTitle(box, title);
    return answerOf(box.exec());
}

void QtPlatformServices::listBox(QWidget* parent, const QString& title, const QString& heading,
                                 const QStringList& lines) {
    QDialog dialog(parent);
    dialog.setWindowTitle(title);
    auto* label = new QLabel(heading);
    label->setWordWrap(true);
    auto* list = new QListWidget;
    list->addItems(lines);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    auto* layout = new QVBoxLayout(&dialog);
    layout->addWidget(label);
    layout->addWidget(list, 1);
    layout->addWidget(buttons);
    buttons->button(QDialogButtonBox::Ok)->setDefault(true);
    buttons->button(QDialogButtonBox::Ok)->setFocus();
    // Wide enough for the longest line and the title, and tall enough for a dozen lines.
    int width = widthForTitle(dialog, title);
    for (const QString& line : lines) {
        width = std::max(width, list->fontMetrics().horizontalAdvance(line) + 48);
    }
    const int rows = std::min(static_cast<int>(lines.size()), 12);
    const int height = (rows + 1) * list->fontMetrics().lineSpacing() + 120;
    dialog.resize(std::min(width, 900), std::max(height, 200));
    dialog.exec();
}

QString QtPlatformServices::inputBox(QWidget* parent, const QString& title, const QString& prompt,
                                     const QString& defaultAnswer) {
    QInputDialog dialog(parent);
    dialog.setWindowTitle(title);
    dialog.setLabelText(prompt);
    dialog.setTextValue(defaultAnswer);
    // Long prompts wrap instead of stretching the dialog across the screen.
    if (auto* label = dialog.findChild<QLabel*>()) {
        label->setWordWrap(true);
    }
    dialog.setMinimumWidth(std::max(420, widthForTitle(dialog, title)));
    if (dialog.exec() != QDialog::Accepted) {
        return QString();
    }
    return dialog.textValue();
}

namespace {

// The ending of a name filter of one pattern, "Books (*.qmbook)" -> "qmbook"; empty for any
// other.
QString endingOfFilter(const QString& nameFilter) {
    static const QRegularExpression onePattern(QStringLiteral("\\(\\*\\.([^*? ()]+)\\)$"));
    return onePattern.match(nameFilter).captured(1);
}

QString chooseFile(QWidget* parent, const QString& title, const QString& filter,
                   const QString& startFolder, bool endingOfChosenKind) {
    QFileDialog dialog(parent, title, startFolder, qtNameFilters(filter));
    if (endingOfChosenKind) {
        const auto follow = [&dialog](const QString& chosen) {
            dialog.setDefaultSuffix(endingOfFilter(chosen));
        };
        QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog, follow);
        follow(dialog.selectedNameFilter());
    }
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setOption(QFileDialog::DontConfirmOverwrite);
    // New names a file that does not exist yet; the desktop's own open dialogs (GTK, portal)
    // only take existing files, so Qt's own dialog is used.
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return QString();
    }
    return dialog.selectedFiles().first();
}

}  // namespace

QString QtPlatformServices::newFileDialog(QWidget* parent, const QString& title,
                                          const QString& filter, const QString& startFolder) {
    return chooseFile(parent, title, filter, startFolder, true);
}

QString QtPlatformServices::openFileDialog(QWidget* parent, const QString& title,
                                           const QString& filter, const QString& startFolder) {
    return chooseFile(parent, title, filter, startFolder, false);
}

PrintJob QtPlatformServices::printDialog(QWidget* parent, const PrintRequest& request) {
    auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    // The dialog opens with the job's own paper, whatever the printer's default.
    const PaperSize* paper = paperSize(request.paper);
    if (paper != nullptr) {
        printer->setPageSize(qtPageSize(*paper));
    }
    printer->setPageOrientation(request.orientation == kLandscape ? QPageLayout::Landscape
                                                                  : QPageLayout::Portrait);
    const QPageLayout offered = printer->pageLayout();
    if (request.allowSelection && request.selection) {
        printer->setPrintRange(QPrinter::Selection);
    }
    QPrintDialog dialog(printer.get(), parent);
    // Printing to a file stays offered: here it is how a user without a printer gets a PDF.
    dialog.setOption(QAbstractPrintDialog::PrintToFile, true);
    dialog.setOption(QAbstractPrintDialog::PrintSelection, request.allowSelection);
    dialog.setOption(QAbstractPrintDialog::PrintPageRange, true);
    dialog.setOption(QAbstractPrintDialog::PrintCurrentPage, false);
    if (request.pageCount > 0) {
        dialog.setMinMax(1, request.pageCount);
    }
    if (dialog.exec() != QDialog::Accepted) {
        return PrintJob{};
    }
    PrintJob job;
    job.copies = std::max(1, printer->copyCount());
    job.selection = printer->printRange() == QPrinter::Selection;
    // The caller produces each copy as a document of its own.
    printer->setCopyCount(1);
    const QPageLayout chosen = printer->pageLayout();
    const bool paperChanged =
        paper != nullptr && (!chosen.pageSize().isEquivalentTo(offered.pageSize()) ||
                             chosen.orientation() != offered.orientation());
    const std::string device = surfaceDeviceName(*printer);
    auto surface = std::make_unique<QtPrinterSurface>(std::move(printer), device);
    if (paperChanged) {
        // A paper the user chose in the dialog is the one printed on.
        surface->keepChosenPaper();
    }
    job.surface = std::move(surface);
    return job;
}

bool QtPlatformServices::printPreview(QWidget* parent, const PrintRequest& request,
                                      const PreviewableJob& job) {
    PrintPreviewWindow window(*this, parent, request, job);
    window.exec();
    return window.printed();
}

void QtPlatformServices::beep() {
    QApplication::beep();
}

QString QtPlatformServices::clipboardText() {
    return QApplication::clipboard()->text();
}

void QtPlatformServices::setClipboardText(const QString& text) {
    QApplication::clipboard()->setText(text);
}

void QtPlatformServices::clearClipboard() {
    QApplication::clipboard()->clear();
}

void QtPlatformServices::setBusy(bool busy) {
    if (busy) {
        QApplication::setOverrideCursor(Qt::WaitCursor);
    } else {
        QApplication::restoreOverrideCursor();
    }
}

void QtPlatformServices::openDocument(const QString& pathOrUrl) {
    const QUrl url =
        pathOrUrl.contains(QLatin1String("://")) ? QUrl(pathOrUrl) : QUrl::fromLocalFile(pathOrUrl);
    QDesktopServices::openUrl(url);
}

void QtPlatformServices::writeSetting(const QString& key, const QVariant& value) {
    QSettings settings(QStringLiteral("Quillmark"), QStringLiteral("Quillmark"));
    settings.beginGroup(QStringLiteral("Settings"));
    settings.setValue(key, value);
    settings.endGroup();
    settings.sync();
}

QVariant QtPlatformServices::readSetting(const QString& key) {
    QSettings settings(QStringLiteral("Quillmark"), QStringLiteral("Quillmark"));
    settings.beginGroup(QStringLiteral("Settings"));
    return settings.value(key);
}

bool QtPlatformServices::startSystemInfo() {
    // Programs with a window of their own; a console tool started here would show nothing.
    for (const char* name :
         {"hardinfo2", "hardinfo", "kinfocenter", "gnome-system-monitor", "ksysguard"}) {
        const QString program = QStandardPaths::findExecutable(QString::fromLatin1(name));
        if (!program.isEmpty() && QProcess::startDetached(program, {})) {
            return true;
        }
    }
    return false;
}

}  // namespace qm
