#pragma once

#include "platform/platform_services.h"

namespace qm {

class QtPlatformServices : public PlatformServices {
  public:
    MsgAnswer messageBox(QWidget* parent, const QString& title, const QString& text,
                         MsgButtons buttons, MsgIcon icon, MsgDefault defaultButton) override;
    void listBox(QWidget* parent, const QString& title, const QString& heading,
                 const QStringList& lines) override;
    QString inputBox(QWidget* parent, const QString& title, const QString& prompt,
                     const QString& defaultAnswer) override;
    QString openFileDialog(QWidget* parent, const QString& title, const QString& filter,
                           const QString& startFolder) override;
    QString newFileDialog(QWidget* parent, const QString& title, const QString& filter,
                          const QString& startFolder) override;
    PrintJob printDialog(QWidget* parent, const PrintRequest& request) override;
    bool printPreview(QWidget* parent, const PrintRequest& request,
                      const PreviewableJob& job) override;
    void beep() override;
    QString clipboardText() override;
    void setClipboardText(const QString& text) override;
    void clearClipboard() override;
    void setBusy(bool busy) override;
    void openDocument(const QString& pathOrUrl) override;
    void writeSetting(const QString& key, const QVariant& value) override;
    QVariant readSetting(const QString& key) override;
    bool startSystemInfo() override;
};

}  // namespace qm
