#pragma once

#include <QColor>
#include <QString>

#include <cstdint>
#include <optional>

namespace tallyfin {

// The value chart software expects for a colour: red in the lowest byte,
// then green, then blue, the top byte 0 (0x00BBGGRR).
//   colorReference(qRgb(255, 0, 0)) -> 0x000000FF
//   colorReference(qRgb(1, 2, 3))   -> 0x00030201
std::uint32_t colorReference(QRgb color);

// What a pixel that cannot be read (outside every screen) stands for.
inline constexpr std::uint32_t kInvalidColorReference = 0xFFFFFFFF;

// "#" and the colour reference in upper-case hexadecimal, at least six
// digits; nullopt is the invalid colour and shows all eight digits.
//   colorCode(qRgb(255, 0, 0)) -> "#0000FF"
//   colorCode(qRgb(0, 0, 255)) -> "#FF0000"
//   colorCode(std::nullopt)    -> "#FFFFFFFF"
QString colorCode(std::optional<QRgb> color);

} // namespace tallyfin
