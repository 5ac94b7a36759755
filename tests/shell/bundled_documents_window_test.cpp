// The manual and the state list: built from their text sources, embedded, installed.
#include <QProcess>
#include <QtTest>

#include "platform/lookups.h"
#include "shell/bundled_documents_window.h"
#include "support/temp_folder.h"

namespace {

QString pdfText(const QString& path) {
    QProcess pdftotext;
    pdftotext.start(QStringLiteral("pdftotext"),
                    {QStringLiteral("-layout"), path, QStringLiteral("-")});
    if (!pdftotext.waitForFinished(30000) || pdftotext.exitCode() != 0) {
        return QStringLiteral("<pdftotext failed: %1>")
            .arg(QString::fromLocal8Bit(pdftotext.readAllStandardError()));
    }
    // Table rows keep their cells on one line; paragraphs wrap anywhere, so compare with
    // single blanks.
    return QString::fromUtf8(pdftotext.readAllStandardOutput()).simplified();
}

}  // namespace

class BundledDocumentsTest : public QObject {
    Q_OBJECT

  private Q_SLOTS:
    void installsReadableDocumentsIntoAnEmptyFolder() {
        qm::test::TempFolder folder;
        const QString home = QString::fromStdString(folder.path());
        qm::installBundledDocuments(home);

        const QString states = pdfText(home + QLatin1Char('/') + qm::kStateListFile);
        for (const char* expected :
             {"State and Territory Abbreviations", "Alabama AL", "North Carolina NC", "Wyoming WY",
              "District of Columbia DC", "Puerto Rico PR", "Armed Forces Pacific AP"}) {
            QVERIFY2(states.contains(QLatin1String(expected)), expected);
        }

        const QString manual = pdfText(home + QLatin1Char('/') + qm::kUserManualFile);
        for (const char* expected :
             {"Quillmark User Manual", "Birthday Reminders have been turned on.",
              "System Information Is Unavailable At This Time", "Label stock", "Envelope",
              "Return Address Labels", "Search Contacts", "Import Contacts", "Export Contacts",
              "Margins", "If a file cannot be opened"}) {
            QVERIFY2(manual.contains(QLatin1String(expected)), expected);
        }
    }

    void leavesADocumentAlreadyThereAlone() {
        qm::test::TempFolder folder;
        const std::string manual = folder.file(qm::kUserManualFile);
        qm::test::writeBytes(manual, "the user's own copy");
        qm::installBundledDocuments(QString::fromStdString(folder.path()));
        QCOMPARE(qm::test::readBytes(manual), std::string("the user's own copy"));
        QVERIFY(QFile::exists(QString::fromStdString(folder.file(qm::kStateListFile))));
    }
};

QTEST_MAIN(BundledDocumentsTest)
#include "bundled_documents_window_test.moc"
