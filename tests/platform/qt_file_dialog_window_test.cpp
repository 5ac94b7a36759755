// The file dialog the program shows for New, Open and the import.
#include <QFileDialog>
#include <QTimer>
#include <QtTest>

#include "platform/qt_platform_services.h"
#include "support/temp_folder.h"

class QtFileDialogTest : public QObject {
    Q_OBJECT

    // Answers the dialog once it is up, after checking how it was set up.
    static void answerWhenShown(const std::function<void(QFileDialog*)>& answer) {
        QTimer::singleShot(0, [answer] {
            auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
            QVERIFY(dialog != nullptr);
            answer(dialog);
        });
    }

  private Q_SLOTS:
    void takesANameThatDoesNotExistYet() {
        qm::test::TempFolder folder;
        const QString start = QString::fromStdString(folder.path());
        qm::QtPlatformServices platform;
        QString shownTitle;
        QStringList shownFilters;
        QString shownFolder;
        bool native = true;
        answerWhenShown([&](QFileDialog* dialog) {
            shownTitle = dialog->windowTitle();
            shownFilters = dialog->nameFilters();
            shownFolder = dialog->directory().absolutePath();
            native = !dialog->testOption(QFileDialog::DontUseNativeDialog);
            dialog->selectFile(QStringLiteral("Friends.DAT"));
            QMetaObject::invokeMethod(dialog, "accept");
        });
        const QString chosen = platform.openFileDialog(
            nullptr, QStringLiteral("New"), QStringLiteral("Data Files (*.DAT)|*.DAT"), start);
        QCOMPARE(chosen, start + QStringLiteral("/Friends.DAT"));
        QVERIFY(!QFile::exists(chosen));
        QCOMPARE(shownTitle, QStringLiteral("New"));
        QCOMPARE(shownFilters, QStringList{QStringLiteral("Data Files (*.DAT)")});
        QCOMPARE(shownFolder, QDir(start).absolutePath());
        QVERIFY(!native);
    }

    void cancelGivesAnEmptyName() {
        qm::test::TempFolder folder;
        qm::QtPlatformServices platform;
        answerWhenShown([](QFileDialog* dialog) { dialog->reject(); });
        QVERIFY(platform
                    .openFileDialog(nullptr, QStringLiteral("Open"),
                                    QStringLiteral("Data Files (*.DAT)|*.DAT"),
                                    QString::fromStdString(folder.path()))
                    .isEmpty());
    }
};

QTEST_MAIN(QtFileDialogTest)
#include "qt_file_dialog_window_test.moc"
