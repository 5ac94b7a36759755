#pragma once

// Platform services for window tests: every call is recorded, and the user's answers are
// replayed from queues filled by the test. An unqueued question gets its box's default
// button (what Enter presses), an empty input, or a cancelled dialog, and is counted.

#include <QStringList>
#include <deque>
#include <functional>
#include <vector>

#include "platform/platform_services.h"
#include "platform/print_preview_window.h"

namespace qm {

struct RecordedMessage {
    QString title;
    QString text;
    MsgButtons buttons;
    MsgIcon icon;
    MsgDefault defaultButton = MsgDefault::First;
};

struct RecordedList {
    QString title;
    QString heading;
    QStringList lines;
};

struct RecordedInput {
    QString title;
    QString prompt;
    QString defaultAnswer;
};

// One answer to the print dialog: a surface factory stands for the printer chosen.
struct PrintAnswer {
    bool cancel = false;
    int copies = 1;
    bool selection = false;
    std::function<std::unique_ptr<PrinterSurface>()> makeSurface;
};

class ScriptedPlatform : public PlatformServices {
  public:
    // Queued answers.
    std::deque<MsgAnswer> messageAnswers;
    std::deque<QString> inputAnswers;
    std::deque<QString> fileAnswers;
    std::deque<PrintAnswer> printAnswers;
    // Whether the user prints from each preview shown (else closes it).
    std::deque<bool> previewPrints;
    // Runs when a message box would be shown, after it is recorded (for checks mid-dialogue).
    std::function<void(const RecordedMessage&)> onMessage;

    // What the windows asked.
    std::vector<RecordedMessage> messages;
    std::vector<RecordedInput> inputs;
    std::vector<RecordedList> lists;
    QStringList fileDialogTitles;
    QStringList fileDialogFilters;
    QStringList fileDialogFolders;
    std::vector<PrintRequest> printRequests;
    std::vector<PrintRequest> previewRequests;
    // Every preview shown, real windows kept open for the test to look at.
    std::vector<std::unique_ptr<PrintPreviewWindow>> previews;
    QStringList openedDocuments;
    std::vector<std::pair<QString, QVariant>> settings;
    int beeps = 0;
    int unanswered = 0;
    int busyDepth = 0;
    int systemInfoStarts = 0;
    bool systemInfoAvailable = false;
    QString clipboard;

    // The message texts in order, for compact assertions.
    QStringList messageTexts() const;
    QStringList messageTitles() const;
    void clearRecords();
    // The answer Enter gives: the default button among the box's buttons.
    static MsgAnswer defaultAnswer(MsgButtons buttons, MsgDefault defaultButton);

    MsgAnswer messageBox(QWidget* parent, const QString& title, const QString& text,
                         MsgButtons buttons, MsgIcon icon, MsgDefault defaultButton) override;
    void listBox(QWidget*, const QString& title, const QString& heading,
                 const QStringList& lines) override {
        lists.push_back({title, heading, lines});
    }
    QString inputBox(QWidget* parent, const QString& title, const QString& prompt,
                     const QString& defaultAnswer) override;
    QString openFileDialog(QWidget* parent, const QString& title, const QString& filter,
                           const QString& startFolder) override;
    PrintJob printDialog(QWidget* parent, const PrintRequest& request) override;
    bool printPreview(QWidget* parent, const PrintRequest& request,
                      const PreviewableJob& job) override;
    void beep() override { ++beeps; }
    QString clipboardText() override { return clipboard; }
    void setClipboardText(const QString& text) override { clipboard = text; }
    void clearClipboard() override { clipboard.clear(); }
    void setBusy(bool busy) override { busyDepth += busy ? 1 : -1; }
    void openDocument(const QString& pathOrUrl) override { openedDocuments << pathOrUrl; }
    void writeSetting(const QString& key, const QVariant& value) override {
        settings.emplace_back(key, value);
    }
    // The last value written under the key, or one a test stored beforehand.
    QVariant readSetting(const QString& key) override {
        for (auto it = settings.rbegin(); it != settings.rend(); ++it) {
            if (it->first == key) {
                return it->second;
            }
        }
        return {};
    }
    bool startSystemInfo() override {
        ++systemInfoStarts;
        return systemInfoAvailable;
    }
};

}  // namespace qm
