#include "colorcode.h"

namespace tallyfin {

std::uint32_t colorReference(QRgb color)
{
    return static_cast<std::uint32_t>(qBlue(color)) << 16 | static_cast<std::uint32_t>(qGreen(color)) << 8
           | static_cast<std::uint32_t>(qRed(color));
}

QString colorCode(std::optional<QRgb> color)
{
    const std::uint32_t value = color ? colorReference(*color) : kInvalidColorReference;
    return QLatin1Char('#') + QString::number(value, 16).rightJustified(6, QLatin1Char('0')).toUpper();
}

} // namespace tallyfin
