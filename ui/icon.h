#pragma once

#include <QIcon>

namespace tallyfin {

// The program's icon (resources/tallyfin.svg), at every size it was
// rendered to, 16 to 256 pixels.
QIcon programIcon();

} // namespace tallyfin
