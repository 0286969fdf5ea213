#include "icon.h"

#include "bundled.h"

namespace tallyfin {

QIcon programIcon()
{
    // Each size is rendered from the drawing rather than scaled from one
    // picture, so that the small ones stay sharp. Built once and shared:
    // adding a file decodes it at once, and every window asks for the icon.
    static const QIcon icon = [] {
        QIcon sizes;
        for (int size : {16, 32, 48, 64, 128, 256})
            sizes.addFile(bundledPath(QStringLiteral("icons/%1.png").arg(size)), QSize(size, size));
        return sizes;
    }();
    return icon;
}

} // namespace tallyfin
