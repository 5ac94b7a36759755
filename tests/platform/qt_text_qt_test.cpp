// Code page 1252 text into Qt strings: Latin-1 text takes the short way, text with the code
// page's own letters (0x80 to 0x9F) the long one; both must give the same characters.
#include <QtTest>

#include "platform/qt_text.h"
#include "records/code_page.h"

using namespace qm;

class QtTextTest : public QObject {
    Q_OBJECT

  private Q_SLOTS:
    void everyByteBecomesItsCharacter_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("expected");
        QTest::newRow("ASCII") << QByteArray("Ann Lee\t12") << QStringLiteral("Ann Lee\t12");
        QTest::newRow("Latin-1 letters")
            << QByteArray("\xC9mile Zo\xEB") << QString::fromUtf8("Émile Zoë");
        QTest::newRow("the code page's own")
            << QByteArray("\x80 \x8A\x9F") << QString::fromUtf8("€ ŠŸ");
        QTest::newRow("empty") << QByteArray() << QString();
    }
    void everyByteBecomesItsCharacter() {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, expected);
        QCOMPARE(fromCore(bytes.toStdString()), expected);
    }

    void allBytesAgreeWithTheCodePage() {
        std::string all;
        for (int b = 1; b < 256; ++b) {
            all += static_cast<char>(b);
        }
        QCOMPARE(fromCore(all).toStdString(), cp1252ToUtf8(all));
        QCOMPARE(toCore(fromCore(all)), all);
    }
};

QTEST_GUILESS_MAIN(QtTextTest)
#include "qt_text_qt_test.moc"
