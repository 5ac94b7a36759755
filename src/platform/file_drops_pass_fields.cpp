#include "platform/file_drops_pass_fields.h"

#include <QDropEvent>
#include <QEvent>
#include <QLineEdit>
#include <QMimeData>
#include <QWidget>

namespace qm {

namespace {

bool isDrag(QEvent::Type type) {
    return type == QEvent::DragEnter || type == QEvent::DragMove || type == QEvent::Drop;
}

class FileDropsPassFields : public QObject {
  public:
    explicit FileDropsPassFields(QWidget* window) : QObject(window) {}

  protected:
    // Left unaccepted, a drag event travels on to the parents until one takes drops.
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (isDrag(event->type()) && qobject_cast<QLineEdit*>(watched) != nullptr) {
            const QMimeData* data = static_cast<QDropEvent*>(event)->mimeData();
            if (data != nullptr && data->hasUrls()) {
                event->ignore();
                return true;
            }
        }
        return QObject::eventFilter(watched, event);
    }
};

}  // namespace

void letFileDropsPassFields(QWidget* window) {
    auto* filter = new FileDropsPassFields(window);
    for (QLineEdit* field : window->findChildren<QLineEdit*>()) {
        field->installEventFilter(filter);
    }
}

}  // namespace qm
