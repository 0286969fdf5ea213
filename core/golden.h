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

// The calculator's thirteen fields: the inputs low (Edit1) and high (Edit2),
// then one result field per level; all start as "0".
//   Edit3 80.9%   Edit4 61.8%   Edit5 50%     Edit6 38.2%   Edit7 19.1%
//   Edit8 1/3     Edit9 2/3     Edit10 23.6%  Edit11 2倍    Edit12 2.618倍
//   Edit13 3倍
struct GoldenFields {
    std::string Edit1 = "0", Edit2 = "0";
    std::string Edit3 = "0", Edit4 = "0", Edit5 = "0", Edit6 = "0", Edit7 = "0", Edit8 = "0",
                Edit9 = "0", Edit10 = "0", Edit11 = "0", Edit12 = "0", Edit13 = "0";
};

// The message shown instead of projecting when an input the mode needs is
// empty (nullopt when every input it needs is there), marked for translation
// in the context "Golden".
//   Rise: "请输入低点数据！"  Fall: "请输入高点数据！"
//   Rebound: "请输入低点和高点数据"  PullBack: "请输入低点和高点数据！"
std::optional<std::string_view> GoldenInputMessage(const GoldenFields &fields, GoldenMode mode);

// Projects the levels of one mode into Edit3 … Edit13, in that order. The two
// third-rows are rounded to cents; the multiple rows are "0" outside the
// rise mode. Returns the input message and changes nothing when an input is
// empty; throws EConvertError for a bad number (nothing written) and the
// floating-point faults at the row that meets them.
//   Edit1 "10", Rise -> "18.09" "16.18" "15" "13.82" "11.91" "13.33" "16.67"
//                       "12.36" "20" "26.18" "30"
std::optional<std::string_view> ProjectGolden(GoldenFields &fields, GoldenMode mode,
                                              DecimalSeparator separator);

// "清空": every field, inputs included, back to "0".
void ClearGolden(GoldenFields &fields);

} // namespace tallyfin
