#include "golden.h"

#include "text.h"

#include <array>

namespace tallyfin {

namespace {

// The levels of one projection, level0809 … level3000 in order; the
// multiple rows (the last three) are filled by the rise mode only.
using Levels = std::array<Extended, 11>;

constexpr std::size_t kMultipleRows = 3;

double parseInput(std::string_view text, DecimalSeparator separator)
{
    return RoundToDouble(ParseDecimal(text, separator));
}

// Each row is evaluated as it is written, so a fault in a later row leaves
// the earlier rows shown. The ratios are the decimal constants chart readers
// use, taken as extended literals.
template <typename Row>
void writeLevels(GoldenFields &f, std::size_t rows, Row level, DecimalSeparator separator)
{
    std::string *const fields[] = {&f.level0809, &f.level0618,     &f.level0500,      &f.level0382,
                                   &f.level0191, &f.levelOneThird, &f.levelTwoThirds, &f.level0236,
                                   &f.level2000, &f.level2618,     &f.level3000};
    for (std::size_t row = 0; row < std::size(fields); ++row)
        *fields[row] = row < rows ? FormatGeneral(level(row), separator) : "0";
}

Extended riseLevel(Extended low, std::size_t row)
{
    switch (row) {
    case 0: return low * 1.809L;
    case 1: return low * 1.618L;
    case 2: return low * 1.5L;
    case 3: return low * 1.382L;
    case 4: return low * 1.191L;
    case 5: return RoundCents(low * 4 / 3);
    case 6: return RoundCents(low * 5 / 3);
    case 7: return low * 1.236L;
    case 8: return low * 2;
    case 9: return low * 2.618L;
    default: return low * 3;
    }
}

Extended fallLevel(Extended high, std::size_t row)
{
    switch (row) {
    case 0: return high * 0.191L;
    case 1: return high * 0.382L;
    case 2: return high * 0.5L;
    case 3: return high * 0.618L;
    case 4: return high * 0.809L;
    case 5: return RoundCents(high * 2 / 3);
    case 6: return RoundCents(high / 3);
    default: return high * 0.764L;
    }
}

// The part of the range W that each row moves by, in the range modes.
Extended rangeShare(Extended width, std::size_t row)
{
    switch (row) {
    case 0: return width * 0.809L;
    case 1: return width * 0.618L;
    case 2: return width * 0.5L;
    case 3: return width * 0.382L;
    case 4: return width * 0.191L;
    case 5: return width / 3;
    case 6: return width * 2 / 3;
    default: return width * 0.236L;
    }
}

bool isThirdRow(std::size_t row) { return row == 5 || row == 6; }

void projectRange(GoldenFields &f, GoldenMode mode, DecimalSeparator separator)
{
    const Extended low = parseInput(f.low, separator);
    const Extended high = parseInput(f.high, separator);
    const Extended width = high - low;
    const auto level = [&](std::size_t row) {
        const Extended value = mode == GoldenMode::Rebound ? low + rangeShare(width, row)
                                                           : high - rangeShare(width, row);
        return isThirdRow(row) ? RoundCents(value) : value;
    };
    writeLevels(f, 11 - kMultipleRows, level, separator);
}

} // namespace

std::optional<std::string_view> GoldenInputMessage(const GoldenFields &fields, GoldenMode mode)
{
    switch (mode) {
    case GoldenMode::Rise:
        if (fields.low.empty())
            return TALLYFIN_TR_NOOP("Golden", "请输入低点数据！");
        break;
    case GoldenMode::Fall:
        if (fields.high.empty())
            return TALLYFIN_TR_NOOP("Golden", "请输入高点数据！");
        break;
    case GoldenMode::Rebound:
        if (fields.high.empty() || fields.low.empty())
            return TALLYFIN_TR_NOOP("Golden", "请输入低点和高点数据");
        break;
    case GoldenMode::PullBack:
        if (fields.high.empty() || fields.low.empty())
            return TALLYFIN_TR_NOOP("Golden", "请输入低点和高点数据！");
        break;
    }
    return std::nullopt;
}

std::optional<std::string_view> ProjectGolden(GoldenFields &fields, GoldenMode mode,
                                              DecimalSeparator separator)
{
    if (const auto message = GoldenInputMessage(fields, mode))
        return message;
    switch (mode) {
    case GoldenMode::Rise: {
        const Extended low = parseInput(fields.low, separator);
        writeLevels(fields, 11, [low](std::size_t row) { return riseLevel(low, row); }, separator);
        break;
    }
    case GoldenMode::Fall: {
        const Extended high = parseInput(fields.high, separator);
        writeLevels(fields, 11 - kMultipleRows, [high](std::size_t row) { return fallLevel(high, row); },
                    separator);
        break;
    }
    case GoldenMode::Rebound:
    case GoldenMode::PullBack:
        projectRange(fields, mode, separator);
        break;
    }
    return std::nullopt;
}

void ClearGolden(GoldenFields &fields) { fields = GoldenFields{}; }

} // namespace tallyfin
