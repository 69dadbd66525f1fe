// The artwork, compiled in as vector pictures and rendered at the screen's pixel ratio, so
// pieces and icons stay sharp at any scaling.
#pragma once

#include <QPixmap>

namespace dz
{

// name: "x", "o", "icon", "notice", "link-cursor", "scoring". size is in device-independent
// pixels.
QPixmap Picture(const QString& name, QSize size, qreal devicePixelRatio);

} // namespace dz
