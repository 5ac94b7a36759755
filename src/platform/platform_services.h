#pragma once

// Everything a window asks of the desktop, behind one interface: the program uses the Qt
// implementation, window tests a scripted one that records each call and replays answers.

#include <QString>
#include <QStringList>
#include <QVariant>
#include <functional>
#include <memory>

#include "surface/printer_surface.h"

class QWidget;

namespace qm {

enum class MsgButtons { Ok, YesNo, YesNoCancel, RetryCancel, SaveDiscardCancel };
enum class MsgIcon { None, Information, Exclamation, Question, Critical };
enum class MsgAnswer { Ok, Yes, No, Cancel, Retry, Save, Discard };
// The button Enter presses, counted from the left of the box's buttons in the order named.
enum class MsgDefault { First, Second, Third };

// What the print dialog is asked to offer: the job's paper (a PaperSize code; 0 leaves the
// printer's own) and orientation selected, the selection offered and perhaps chosen.
struct PrintRequest {
    bool allowSelection = false;
    int orientation = kPortrait;
    int pageCount = 0;  // 0: unknown
    int paper = 0;
    bool selection = false;
};

// The user's answer to the print dialog. A cancelled dialog has no surface.
struct PrintJob {
    std::unique_ptr<PrinterSurface> surface;
    int copies = 1;
    bool selection = false;
    bool cancelled() const { return surface == nullptr; }
};

// A print command's job in two parts, so a preview shows exactly what Print prints: the pages
// (every copy, then the end of the job; throws on failure), and what the command does with
// a job the print dialog gave (the pages, its failures reported, the window's state updated).
struct PreviewableJob {
    std::function<void(PrinterSurface& surface, int copies, bool selection)> pages;
    std::function<void(PrintJob& job)> print;
};

class PlatformServices {
  public:
    virtual ~PlatformServices() = default;

    virtual MsgAnswer messageBox(QWidget* parent, const QString& title, const QString& text,
                                 MsgButtons buttons = MsgButtons::Ok, MsgIcon icon = MsgIcon::None,
                                 MsgDefault defaultButton = MsgDefault::First) = 0;
    // A modal window listing lines under a heading, with an OK button.
    virtual void listBox(QWidget* parent, const QString& title, const QString& heading,
                         const QStringList& lines) = 0;
    // Empty on Cancel.
    virtual QString inputBox(QWidget* parent, const QString& title, const QString& prompt,
                             const QString& defaultAnswer = QString()) = 0;
    // Full path of the chosen file, which need not exist; empty on Cancel.
    virtual QString openFileDialog(QWidget* parent, const QString& title, const QString& filter,
                                   const QString& startFolder) = 0;
    // The same for a file to be made: a name typed without an ending takes the ending of the
    // kind chosen in the filter, where the dialog tells it.
    virtual QString newFileDialog(QWidget* parent, const QString& title, const QString& filter,
                                  const QString& startFolder) {
        return openFileDialog(parent, title, filter, startFolder);
    }
    virtual PrintJob printDialog(QWidget* parent, const PrintRequest& request) = 0;
    // Shows the job's pages on the default printer's surface, stepped and zoomed; printing
    // from it asks printDialog with the same request and hands the job to job.print. True
    // when the job was printed from the preview.
    virtual bool printPreview(QWidget* parent, const PrintRequest& request,
                              const PreviewableJob& job) = 0;
    virtual void beep() = 0;
    virtual QString clipboardText() = 0;
    virtual void setClipboardText(const QString& text) = 0;
    virtual void clearClipboard() = 0;
    virtual void setBusy(bool busy) = 0;
    // A local file or a web address, handed to the desktop's default program.
    virtual void openDocument(const QString& pathOrUrl) = 0;
    virtual void writeSetting(const QString& key, const QVariant& value) = 0;
    // An invalid value when the key was never written.
    virtual QVariant readSetting(const QString& key) = 0;
    // Starts a system-information program; false when none can be started.
    virtual bool startSystemInfo() = 0;
};

}  // namespace qm
