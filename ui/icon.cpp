#include "icon.h"

#include <QImage>
#include <QPixmap>

#include <cstdint>

namespace tallyfin {

namespace {

struct IconPixels {
    int size;
    const std::uint32_t *pixels;
};

#include "icon_pixels.inc"

} // namespace

QIcon programIcon()
{
    // Each size is rendered from the drawing rather than scaled from one
    // picture, so that the small ones stay sharp. The pixels are compiled in,
    // already in the pixmaps' format: each pixmap points at them, so building
    // the icon decodes and copies nothing. Built once and shared: every
    // window asks for the icon.
    static const QIcon icon = [] {
        QIcon sizes;
        for (const IconPixels &each : kIconSizes) {
            const QImage image(reinterpret_cast<const uchar *>(each.pixels), each.size, each.size,
                               each.size * int(sizeof(std::uint32_t)), QImage::Format_ARGB32_Premultiplied);
            sizes.addPixmap(QPixmap::fromImage(image));
        }
        return sizes;
    }();
    return icon;
}

} // namespace tallyfin
