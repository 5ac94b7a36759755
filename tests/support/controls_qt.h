#pragma once

// Window tests reach a window's controls as the rest of the program names them: by their
// object names. A name the window lacks, or holds twice, ends the test run with a message
// that names the window, the control and the test's own line.

#include <QByteArray>
#include <QList>
#include <QObject>
#include <QString>
#include <QtGlobal>
#include <memory>
#include <source_location>

namespace qm::test {

// The one control of type T called `name` inside `window` (menus and items included).
template <typename T>
T* control(const QObject& window, const QString& name,
           std::source_location where = std::source_location::current()) {
    const QList<T*> found = window.findChildren<T*>(name);
    if (found.size() != 1) {
        qFatal("%s:%u: %s holds %lld %s named %s, not one", where.file_name(), where.line(),
               qPrintable(window.objectName()), static_cast<long long>(found.size()),
               T::staticMetaObject.className(), qPrintable(name));
    }
    return found.front();
}

template <typename T>
T* control(const QObject* window, const QString& name,
           std::source_location where = std::source_location::current()) {
    if (window == nullptr) {
        qFatal("%s:%u: no window to find %s in", where.file_name(), where.line(), qPrintable(name));
    }
    return control<T>(*window, name, where);
}

template <typename T, typename W>
T* control(const std::unique_ptr<W>& window, const QString& name,
           std::source_location where = std::source_location::current()) {
    return control<T>(window.get(), name, where);
}

}  // namespace qm::test
