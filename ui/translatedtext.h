#pragma once

#include <QString>

#include <string_view>

#include "text.h"

namespace tallyfin {

// A text of the engine in the language shown: its pattern and every
// translatable argument through the installed translators, data as it is.
// Without a translation (the source language) it is the engine's own text.
//   translated(Text("Trade", "实付金额应大于 0")) -> "Cash paid must be above 0" (English)
QString translated(const Text &text);

// One text the engine marked with TALLYFIN_TR_NOOP(context, source).
//   translated("Markets", "上海A股") -> "Shanghai A-shares" (English)
QString translated(const char *context, std::string_view source);

} // namespace tallyfin
