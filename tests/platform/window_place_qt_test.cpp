// The main window's place between sessions, as written at exit and read back at start.
#include <QtTest>

#include "platform/window_place.h"
#include "support/scripted_platform_qt.h"

using namespace qm;

class WindowPlaceTest : public QObject {
    Q_OBJECT

  private Q_SLOTS:
    void writtenInTwipsAndReadBackInPixels() {
        ScriptedPlatform platform;
        writeWindowPlace(platform, QRect(30, 40, 860, 460), 96.0);
        QCOMPARE(platform.settings.size(), std::size_t{4});
        QCOMPARE(platform.settings[0].first, QStringLiteral("MainLeft"));
        QCOMPARE(platform.settings[0].second.toString(), QStringLiteral("450"));
        QCOMPARE(platform.settings[3].second.toString(), QStringLiteral("6900"));
        // Read on a screen of twice the density: the same inches, twice the pixels.
        QCOMPARE(readWindowPlace(platform, 192.0, {QRect(0, 0, 3840, 2160)}),
                 std::optional<QRect>(QRect(60, 80, 1720, 920)));
    }

    void onlyAPlaceOnAScreenComesBack_data() {
        QTest::addColumn<QRect>("saved");
        QTest::addColumn<bool>("restored");
        QTest::newRow("inside the first screen") << QRect(100, 100, 800, 400) << true;
        QTest::newRow("on the second screen") << QRect(2000, 100, 800, 400) << true;
        QTest::newRow("mostly off the right edge") << QRect(1800, 100, 800, 400) << true;
        QTest::newRow("a sliver at the left edge") << QRect(-760, 100, 800, 400) << false;
        QTest::newRow("below the first screen") << QRect(100, 1300, 800, 400) << false;
        QTest::newRow("left of every screen") << QRect(-900, 100, 800, 400) << false;
        QTest::newRow("no size") << QRect(100, 100, 0, 400) << false;
    }
    void onlyAPlaceOnAScreenComesBack() {
        QFETCH(QRect, saved);
        QFETCH(bool, restored);
        ScriptedPlatform platform;
        writeWindowPlace(platform, saved, 96.0);
        // A 1920x1200 screen and a 1280x1024 one to its right.
        const QList<QRect> screens = {QRect(0, 0, 1920, 1200), QRect(1960, 0, 1280, 1024)};
        const std::optional<QRect> place = readWindowPlace(platform, 96.0, screens);
        QCOMPARE(place.has_value(), restored);
        if (restored) {
            QCOMPARE(*place, saved);
        }
    }

    void nothingComesBackWithoutAllFourValues() {
        ScriptedPlatform platform;
        QCOMPARE(readWindowPlace(platform, 96.0, {QRect(0, 0, 1920, 1200)}), std::nullopt);
        writeWindowPlace(platform, QRect(10, 10, 800, 400), 96.0);
        platform.settings.pop_back();
        QCOMPARE(readWindowPlace(platform, 96.0, {QRect(0, 0, 1920, 1200)}), std::nullopt);
        platform.settings.emplace_back(QStringLiteral("MainHeight"), QStringLiteral("tall"));
        QCOMPARE(readWindowPlace(platform, 96.0, {QRect(0, 0, 1920, 1200)}), std::nullopt);
    }
};

QTEST_GUILESS_MAIN(WindowPlaceTest)
#include "window_place_qt_test.moc"
