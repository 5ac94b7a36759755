#include "support/scripted_platform_qt.h"

#include <algorithm>

namespace qm {

QStringList ScriptedPlatform::messageTexts() const {
    QStringList out;
    for (const auto& m : messages) {
        out << m.text;
    }
    return out;
}

QStringList ScriptedPlatform::messageTitles() const {
    QStringList out;
    for (const auto& m : messages) {
        out << m.title;
    }
    return out;
}

void ScriptedPlatform::clearRecords() {
    messages.clear();
    inputs.clear();
    lists.clear();
    fileDialogTitles.clear();
    fileDialogFilters.clear();
    fileDialogFolders.clear();
    printRequests.clear();
    previewRequests.clear();
    previews.clear();
    openedDocuments.clear();
    settings.clear();
    beeps = 0;
    unanswered = 0;
}

MsgAnswer ScriptedPlatform::messageBox(QWidget*, const QString& title, const QString& text,
                                       MsgButtons buttons, MsgIcon icon, MsgDefault defaultButton) {
    messages.push_back({title, text, buttons, icon, defaultButton});
    if (onMessage) {
        onMessage(messages.back());
    }
    if (!messageAnswers.empty()) {
        const MsgAnswer answer = messageAnswers.front();
        messageAnswers.pop_front();
        return answer;
    }
    if (buttons != MsgButtons::Ok) {
        ++unanswered;
    }
    return defaultAnswer(buttons, defaultButton);
}

MsgAnswer ScriptedPlatform::defaultAnswer(MsgButtons buttons, MsgDefault defaultButton) {
    std::vector<MsgAnswer> order;
    switch (buttons) {
        case MsgButtons::YesNo:
            order = {MsgAnswer::Yes, MsgAnswer::No};
            break;
        case MsgButtons::YesNoCancel:
            order = {MsgAnswer::Yes, MsgAnswer::No, MsgAnswer::Cancel};
            break;
        case MsgButtons::RetryCancel:
            order = {MsgAnswer::Retry, MsgAnswer::Cancel};
            break;
        case MsgButtons::SaveDiscardCancel:
            order = {MsgAnswer::Save, MsgAnswer::Discard, MsgAnswer::Cancel};
            break;
        case MsgButtons::Ok:
            order = {MsgAnswer::Ok};
            break;
    }
    return order[std::min(static_cast<std::size_t>(defaultButton), order.size() - 1)];
}

QString ScriptedPlatform::inputBox(QWidget*, const QString& title, const QString& prompt,
                                   const QString& defaultAnswer) {
    inputs.push_back({title, prompt, defaultAnswer});
    if (inputAnswers.empty()) {
        ++unanswered;
        return QString();
    }
    const QString answer = inputAnswers.front();
    inputAnswers.pop_front();
    return answer;
}

QString ScriptedPlatform::openFileDialog(QWidget*, const QString& title, const QString& filter,
                                         const QString& startFolder) {
    fileDialogTitles << title;
    fileDialogFilters << filter;
    fileDialogFolders << startFolder;
    if (fileAnswers.empty()) {
        ++unanswered;
        return QString();
    }
    const QString answer = fileAnswers.front();
    fileAnswers.pop_front();
    return answer;
}

PrintJob ScriptedPlatform::printDialog(QWidget*, const PrintRequest& request) {
    printRequests.push_back(request);
    PrintJob job;
    if (printAnswers.empty()) {
        ++unanswered;
        return job;
    }
    PrintAnswer answer = std::move(printAnswers.front());
    printAnswers.pop_front();
    if (answer.cancel || !answer.makeSurface) {
        return job;
    }
    job.surface = answer.makeSurface();
    job.copies = answer.copies;
    job.selection = answer.selection;
    return job;
}

bool ScriptedPlatform::printPreview(QWidget* parent, const PrintRequest& request,
                                    const PreviewableJob& job) {
    previewRequests.push_back(request);
    // Without a parent, so the test owns the window whatever closes first.
    static_cast<void>(parent);
    previews.push_back(std::make_unique<PrintPreviewWindow>(*this, nullptr, request, job));
    PrintPreviewWindow& window = *previews.back();
    window.show();
    if (previewPrints.empty()) {
        ++unanswered;
        return false;
    }
    const bool print = previewPrints.front();
    previewPrints.pop_front();
    return print && window.printFromPreview();
}

}  // namespace qm
