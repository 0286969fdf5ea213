#pragma once

#include <QString>

class QImage;

namespace tallyfin {

// The name a capture is saved under: the name's extension, if any, becomes
// ".bmp"; a dot in a folder name or at the start of a hidden file's name is
// no extension.
//   bmpFileName("shot")          -> "shot.bmp"
//   bmpFileName("shot.png")      -> "shot.bmp"
//   bmpFileName("shot.BMP")      -> "shot.bmp"
//   bmpFileName("/tmp/a.b/shot") -> "/tmp/a.b/shot.bmp"
QString bmpFileName(const QString &name);

// Writes `image` as an uncompressed 24-bit BMP file, replacing a file of
// that name. The file appears whole or not at all: on any failure an
// existing file is left as it was and EFCreateError carries the system's
// reason ("Cannot create file "x.bmp". Permission denied").
void saveBitmap(const QImage &image, const QString &fileName);

} // namespace tallyfin
