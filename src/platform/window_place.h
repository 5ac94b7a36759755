#pragma once

// The main window's place between sessions: its frame written at exit in twips (1440 to the
// inch) as MainLeft, MainTop, MainWidth and MainHeight, and read back at start.

#include <QList>
#include <QRect>
#include <optional>

namespace qm {

class PlatformServices;

void writeWindowPlace(PlatformServices& platform, const QRect& frame, double dotsPerInch);

// The saved frame in pixels when all four values are there, the size is positive and enough
// of it lies on one of the screens to be taken hold of; nothing otherwise.
std::optional<QRect> readWindowPlace(PlatformServices& platform, double dotsPerInch,
                                     const QList<QRect>& screens);

}  // namespace qm
