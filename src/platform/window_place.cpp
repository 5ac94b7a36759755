#include "platform/window_place.h"

#include <array>

#include "platform/platform_services.h"

namespace qm {

namespace {

constexpr double kTwipsPerInch = 1440.0;
// A frame is on screen when a piece at least this large (in pixels) shows on one screen.
constexpr int kVisibleWidth = 64;
constexpr int kVisibleHeight = 32;

const std::array<QString, 4> kKeys = {QStringLiteral("MainLeft"), QStringLiteral("MainTop"),
                                      QStringLiteral("MainWidth"), QStringLiteral("MainHeight")};

}  // namespace

void writeWindowPlace(PlatformServices& platform, const QRect& frame, double dotsPerInch) {
    const auto twips = [dotsPerInch](int pixels) {
        return qRound(pixels * kTwipsPerInch / dotsPerInch);
    };
    const std::array<int, 4> values = {twips(frame.x()), twips(frame.y()), twips(frame.width()),
                                       twips(frame.height())};
    for (std::size_t i = 0; i < kKeys.size(); ++i) {
        platform.writeSetting(kKeys[i], QString::number(values[i]));
    }
}

std::optional<QRect> readWindowPlace(PlatformServices& platform, double dotsPerInch,
                                     const QList<QRect>& screens) {
    std::array<int, 4> pixels{};
    for (std::size_t i = 0; i < kKeys.size(); ++i) {
        bool ok = false;
        const int twips = platform.readSetting(kKeys[i]).toString().toInt(&ok);
        if (!ok) {
            return std::nullopt;
        }
        pixels[i] = qRound(twips * dotsPerInch / kTwipsPerInch);
    }
    const QRect frame(pixels[0], pixels[1], pixels[2], pixels[3]);
    if (frame.width() <= 0 || frame.height() <= 0) {
        return std::nullopt;
    }
    for (const QRect& screen : screens) {
        const QRect shown = screen.intersected(frame);
        if (shown.width() >= kVisibleWidth && shown.height() >= kVisibleHeight) {
            return frame;
        }
    }
    return std::nullopt;
}

}  // namespace qm
