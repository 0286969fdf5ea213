#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "numeric.h"

namespace tallyfin {

// The four projections of the golden-section calculator from a swing low L
// and a swing high H.
enum class GoldenMode {
    Rise,     // from the low upwards: L × (1 + fraction)
    Fall,     // from the high downwards: H × (1 − fraction)
    Rebound,  // inside the range: L + (H − L) × fraction
    PullBack, // inside the range: H − (H − L) × fraction
};

// The calculator's thirteen fields: the inputs, then one result per level,
// named by the ratio its row moves by, in thousandths (level0809 is the 80.9%
// row, level2618 the 2.618倍 row); all start as "0". The window lists the
// levels from 19.1% down to 3倍; the calculation fills them in the order
// declared here.
struct GoldenFields {
    std::string low = "0", high = "0";
    std::string level0809 = "0", level0618 = "0", level0500 = "0", level0382 = "0", level0191 = "0",
                levelOneThird = "0", levelTwoThirds = "0", level0236 = "0", level2000 = "0", level2618 = "0",
                level3000 = "0";
};

// The message shown instead of projecting when an input the mode needs is
// empty (nullopt when every input it needs is there), marked for translation
// in the context "Golden".
//   Rise: "请输入低点数据！"  Fall: "请输入高点数据！"
//   Rebound: "请输入低点和高点数据"  PullBack: "请输入低点和高点数据！"
std::optional<std::string_view> GoldenInputMessage(const GoldenFields &fields, GoldenMode mode);

// Projects the levels of one mode, level0809 to level3000 in the order
// declared. The two third-rows are rounded to cents; the multiple rows
// (level2000, level2618, level3000) are "0" outside the rise mode.
// Returns the input message and changes nothing when an input is empty; throws EConvertError for a bad number (nothing written) and the
// floating-point faults at the row that meets them.
//   low "10", Rise -> "18.09" "16.18" "15" "13.82" "11.91" "13.33" "16.67"
//                       "12.36" "20" "26.18" "30"
std::optional<std::string_view> ProjectGolden(GoldenFields &fields, GoldenMode mode,
                                              DecimalSeparator separator);

// "清空": every field, inputs included, back to "0".
void ClearGolden(GoldenFields &fields);

} // namespace tallyfin
