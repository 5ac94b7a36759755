// Window text (UTF-16) to core text (UTF-8) and back: every letter whole, counted as the core
// counts it, and folded only where it becomes a value of a store that cannot hold it.
#include <QtTest>

#include "platform/letter_faces.h"
#include "platform/qt_text.h"
#include "records/code_page.h"
#include "records/text_rules.h"

using namespace qm;

class QtTextTest : public QObject {
    Q_OBJECT

  private Q_SLOTS:
    void lettersOfEveryScriptGoBothWaysWhole_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("characters");
        QTest::newRow("ASCII") << QStringLiteral("Ann Lee\t12") << 10;
        QTest::newRow("code page letters") << QString::fromUtf8("Émile Zoë € ŠŸ") << 14;
        QTest::newRow("Polish and Greek") << QString::fromUtf8("Łukasz Σωκράτης") << 15;
        QTest::newRow("beyond the BMP") << QString::fromUtf8("a😀b") << 3;
        QTest::newRow("empty") << QString() << 0;
    }
    void lettersOfEveryScriptGoBothWaysWhole() {
        QFETCH(QString, text);
        QFETCH(int, characters);
        const std::string core = toCore(text);
        QCOMPARE(fromCore(core), text);
        QCOMPARE(letterCount(text), qsizetype{characters});
        QCOMPARE(characterCount(core), static_cast<std::size_t>(characters));
    }

    // What the contact file reads (every byte as its letter) shows in a window and comes back
    // from it unchanged.
    void everyLetterOfTheContactFileComesBack() {
        std::string bytes;
        for (int b = 1; b < 256; ++b) {
            bytes += static_cast<char>(b);
        }
        const std::string core = cp1252ToUtf8(bytes);
        QCOMPARE(utf8ToCp1252(toCore(fromCore(core))), bytes);
    }

    void aContactValueIsFoldedOnlyForTheContactFile() {
        const QString typed = QString::fromUtf8("Łukasz Żółć");
        const FoldedText stored = toStorable(typed, kContactFileLimits);
        QCOMPARE(fromCore(stored.text), QString::fromUtf8("Lukasz Zólc"));
        QVERIFY(stored.changed);
        const FieldLimits any{};
        QCOMPARE(fromCore(toStorable(typed, any).text), typed);
    }
};

QTEST_GUILESS_MAIN(QtTextTest)
#include "qt_text_qt_test.moc"
