#pragma once

// A reader of the BMP files the capture writes, independent of Qt's image
// plug-ins, so that a test sees the bytes any other program would read.
#include <QByteArray>
#include <QFile>
#include <QImage>
#include <QString>
#include <QtEndian>

#include <cstdint>

namespace tallyfin::testing {

struct BmpFile {
    QByteArray bytes;

    template <typename T>
    T field(qsizetype offset) const
    {
        if (offset + qsizetype(sizeof(T)) > bytes.size())
            return T{};
        return qFromLittleEndian<T>(bytes.constData() + offset);
    }

    QByteArray magic() const { return bytes.left(2); }
    std::uint32_t fileSize() const { return field<std::uint32_t>(2); }
    std::uint32_t pixelOffset() const { return field<std::uint32_t>(10); }
    std::uint32_t infoHeaderSize() const { return field<std::uint32_t>(14); }
    std::int32_t width() const { return field<std::int32_t>(18); }
    // Positive: the rows are stored bottom-up.
    std::int32_t height() const { return field<std::int32_t>(22); }
    std::uint16_t planes() const { return field<std::uint16_t>(26); }
    std::uint16_t bitsPerPixel() const { return field<std::uint16_t>(28); }
    std::uint32_t compression() const { return field<std::uint32_t>(30); }

    // Rows of 3 bytes per pixel (blue, green, red), each padded to 4 bytes.
    qsizetype rowSize() const { return (qsizetype(width()) * 3 + 3) / 4 * 4; }

    // The pixels of a bottom-up 24-bit file; a null image when the data is
    // short or the file is of another kind.
    QImage pixels() const
    {
        if (bitsPerPixel() != 24 || width() <= 0 || height() <= 0
            || qsizetype(pixelOffset()) + rowSize() * height() > bytes.size())
            return {};
        QImage image(width(), height(), QImage::Format_RGB32);
        for (int y = 0; y < height(); ++y) {
            const char *row = bytes.constData() + pixelOffset() + rowSize() * (height() - 1 - y);
            for (int x = 0; x < width(); ++x) {
                const auto *pixel = reinterpret_cast<const unsigned char *>(row + 3 * x);
                image.setPixel(x, y, qRgb(pixel[2], pixel[1], pixel[0]));
            }
        }
        return image;
    }
};

inline BmpFile readBmp(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return {file.readAll()};
}

} // namespace tallyfin::testing
