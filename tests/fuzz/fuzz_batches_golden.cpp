// The batch reduction and the four golden-section projections over arbitrary
// texts. The input's first line is a flags byte (bit 0: "," as the separator,
// else "."), the following lines are the texts of
//   golden low, golden high,
//   then price and quantity of batch rows 1 … 5
// in that order; a missing golden input keeps its start-up "0", a missing
// batch text is empty. Seeds are readable: "0\n10\n15\n10\n1000\n12\n500".

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "batch.h"
#include "fuzz_check.h"
#include "golden.h"

namespace tallyfin::fuzz {
namespace {

constexpr std::string_view kStale = "\x01stale";
constexpr std::size_t kFirstBatchLine = 2;

bool isComplete(const BatchRow &row) { return !row.price.empty() && !row.quantity.empty(); }

struct Reduction {
    Thrown thrown = Thrown::Nothing;
    BatchReduction result;
};

Reduction reduce(const BatchRows &rows, DecimalSeparator separator)
{
    Reduction reduction;
    reduction.thrown = runStep([&] { reduction.result = ReduceBatches(rows, separator); });
    return reduction;
}

// The complete rows are reduced whatever stands between them: the same rows
// moved to the top, the incomplete ones dropped, reduce the same way.
BatchRows completeRowsOnly(const BatchRows &rows)
{
    BatchRows compacted{};
    std::size_t next = 0;
    for (const BatchRow &row : rows)
        if (isComplete(row))
            compacted[next++] = row;
    return compacted;
}

void checkBatches(const FieldInput &input, DecimalSeparator separator)
{
    BatchRows rows{};
    for (std::size_t i = 0; i < kBatchRows; ++i)
        rows[i] = {input.textOr(kFirstBatchLine + 2 * i, ""), input.textOr(kFirstBatchLine + 2 * i + 1, "")};
    const Reduction reduction = reduce(rows, separator);

    bool anyComplete = false;
    for (const BatchRow &row : rows)
        anyComplete = anyComplete || isComplete(row);
    if (reduction.thrown == Thrown::Nothing) {
        const BatchReduction &result = reduction.result;
        check(result.relabel == anyComplete, "relabelled without a complete row, or not with one");
        if (result.relabel) {
            for (const std::string &text : {result.price, result.quantity}) {
                check(isGeneralText(text, separator), "a reduced text is outside FormatGeneral's grammar", text);
                check(runStep([&] { ParseDecimal(text, separator); }) == Thrown::Nothing,
                      "a reduced text does not parse back", text);
            }
        } else {
            check(result.price.empty() && result.quantity.empty(), "texts written without a complete row");
        }
    } else {
        check(anyComplete, "a reduction without a complete row failed");
    }

    const Reduction compacted = reduce(completeRowsOnly(rows), separator);
    check(compacted.thrown == reduction.thrown && compacted.result.price == reduction.result.price
              && compacted.result.quantity == reduction.result.quantity
              && compacted.result.relabel == reduction.result.relabel,
          "incomplete rows changed the reduction");
}

using Results = std::array<std::string GoldenFields::*, 11>;
constexpr Results kResults{&GoldenFields::level0809,      &GoldenFields::level0618, &GoldenFields::level0500,
                           &GoldenFields::level0382,      &GoldenFields::level0191, &GoldenFields::levelOneThird,
                           &GoldenFields::levelTwoThirds, &GoldenFields::level0236, &GoldenFields::level2000,
                           &GoldenFields::level2618,      &GoldenFields::level3000};

struct Projection {
    Thrown thrown = Thrown::Nothing;
    bool message = false;
    GoldenFields fields;
};

Projection project(const FieldInput &input, GoldenMode mode, DecimalSeparator separator)
{
    Projection projection;
    projection.fields.low = input.textOr(0, "0");
    projection.fields.high = input.textOr(1, "0");
    for (std::string GoldenFields::*field : kResults)
        projection.fields.*field = kStale;
    projection.thrown = runStep([&] { projection.message = ProjectGolden(projection.fields, mode, separator).has_value(); });
    return projection;
}

bool needsInput(GoldenMode mode, const FieldInput &input)
{
    const bool lowEmpty = input.textOr(0, "0").empty();
    const bool highEmpty = input.textOr(1, "0").empty();
    switch (mode) {
    case GoldenMode::Rise: return lowEmpty;
    case GoldenMode::Fall: return highEmpty;
    default: return lowEmpty || highEmpty;
    }
}

void checkProjection(const FieldInput &input, GoldenMode mode, const Projection &p, DecimalSeparator separator)
{
    check(p.fields.low == input.textOr(0, "0") && p.fields.high == input.textOr(1, "0"),
          "a projection rewrote its inputs");
    check(p.message == (p.thrown == Thrown::Nothing && needsInput(mode, input)),
          "the input message does not match the empty inputs");

    // Rows are written in order and a fault stops the projection, so the
    // written rows are a leading run; a bad number or a message writes none.
    std::size_t writtenRows = 0;
    while (writtenRows < kResults.size() && p.fields.*kResults[writtenRows] != kStale)
        ++writtenRows;
    for (std::size_t row = writtenRows; row < kResults.size(); ++row)
        check(p.fields.*kResults[row] == kStale, "a projection skipped a row and wrote a later one");
    for (std::size_t row = 0; row < writtenRows; ++row)
        check(isGeneralText(p.fields.*kResults[row], separator), "a level is outside FormatGeneral's grammar",
              p.fields.*kResults[row]);
    if (p.message || p.thrown == Thrown::ConvertError)
        check(writtenRows == 0, "a projection wrote rows before finding it had nothing to project");
    if (p.thrown == Thrown::Nothing && !p.message) {
        check(writtenRows == kResults.size(), "a finished projection left rows unwritten");
        if (mode != GoldenMode::Rise)
            for (std::size_t row = 8; row < kResults.size(); ++row)
                check(p.fields.*kResults[row] == "0", "a multiple row outside the rise mode is not 0");
    }
}

void checkGolden(const FieldInput &input, DecimalSeparator separator)
{
    for (GoldenMode mode : {GoldenMode::Rise, GoldenMode::Fall, GoldenMode::Rebound, GoldenMode::PullBack})
        checkProjection(input, mode, project(input, mode, separator), separator);

    // Rebounding from L towards H is pulling back from H towards L, exactly:
    // the same levels, the same fault at the same row. (Each mode reads the
    // low first, so only inputs that both read compare.)
    const bool bothRead = runStep([&] {
        RoundToDouble(ParseDecimal(input.textOr(0, "0"), separator));
        RoundToDouble(ParseDecimal(input.textOr(1, "0"), separator));
    }) == Thrown::Nothing;
    if (!bothRead)
        return;
    FieldInput swapped;
    swapped.texts = {input.textOr(1, "0"), input.textOr(0, "0")};
    const Projection rebound = project(input, GoldenMode::Rebound, separator);
    const Projection pullBack = project(swapped, GoldenMode::PullBack, separator);
    check(rebound.thrown == pullBack.thrown, "rebound and the swapped pull-back fail differently");
    for (std::string GoldenFields::*field : kResults)
        check(rebound.fields.*field == pullBack.fields.*field, "rebound and the swapped pull-back differ",
              rebound.fields.*field);
}

void checkInput(std::string_view data)
{
    const FieldInput input = splitFields(data);
    const DecimalSeparator separator = (input.flags & 1u) ? "," : ".";
    checkBatches(input, separator);
    checkGolden(input, separator);
}

} // namespace
} // namespace tallyfin::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    tallyfin::fuzz::checkInput(std::string_view(reinterpret_cast<const char *>(data), size));
    return 0;
}
