#include "icon.h"

#include "bundled.h"

namespace tallyfin {

QIcon programIcon()
{
    // Each size is rendered from the drawing rather than scaled from one
    // picture, so that the small ones stay sharp.
    QIcon icon;
    for (int size : {16, 32, 48, 64, 128, 256})
        icon.addFile(bundledPath(QStringLiteral("icons/%1.png").arg(size)), QSize(size, size));
    return icon;
}

} // namespace tallyfin
