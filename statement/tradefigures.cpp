#include "tradefigures.h"

#include <algorithm>

namespace tallyfin::statement {

namespace {

constexpr std::size_t at(FeePart part) { return static_cast<std::size_t>(part); }

} // namespace

std::optional<Cents> FigureSum(std::optional<Cents> a, std::optional<Cents> b)
{
    if (!a || !b)
        return a ? a : b;
    return *a + *b;
}

std::optional<Cents> CentsOf(CellNumber number)
{
    constexpr int kCentDecimals = 2;
    if (number.scale <= kCentDecimals) {
        const std::int64_t factor = number.scale == 0 ? 100 : number.scale == 1 ? 10 : 1;
        Cents cents = 0;
        if (__builtin_mul_overflow(number.units, factor, &cents))
            return std::nullopt;
        return cents;
    }
    // Units stay below 2^58, so a divisor of 10^18 or more leaves no cent.
    if (number.scale - kCentDecimals > 17)
        return 0;
    std::int64_t divisor = 1;
    for (int i = kCentDecimals; i < number.scale; ++i)
        divisor *= 10;
    const std::int64_t quotient = number.units / divisor, remainder = number.units % divisor;
    const std::int64_t magnitude = remainder < 0 ? -remainder : remainder;
    if (magnitude < divisor - magnitude)
        return quotient;
    return remainder < 0 ? quotient - 1 : quotient + 1;
}

ItemFigures WrittenItems(const Row &row)
{
    ItemFigures items;
    items[at(FeePart::Commission)] = row.cents(NumberField::Commission);
    items[at(FeePart::StampDuty)] = row.cents(NumberField::StampDuty);
    items[at(FeePart::TransferFee)] = row.cents(NumberField::TransferFee);
    items[at(FeePart::Levies)] = FigureSum(FigureSum(row.cents(NumberField::HandlingFee), row.cents(NumberField::ManagementFee)),
                                      row.cents(NumberField::Levies));
    items[at(FeePart::Other)] = row.cents(NumberField::OtherFees);
    return items;
}

std::optional<Cents> FeesWritten(const Row &row)
{
    std::optional<Cents> sum;
    for (const std::optional<Cents> &item : WrittenItems(row))
        sum = FigureSum(sum, item);
    return sum ? sum : row.cents(NumberField::FeesTotal);
}

std::optional<Cents> AmountCents(const Row &row)
{
    if (const std::optional<Cents> amount = row.cents(NumberField::Amount))
        return amount;
    if (!row.price() || !row.quantity())
        return std::nullopt;
    return (*row.price() * *row.quantity()).rounded(2, Rounding::HalfUp).unitsAt(2);
}

Cents FeesImplied(RowKind side, Cents cash, Cents amount)
{
    const Cents paid = cash < 0 ? -cash : cash;
    return side == RowKind::Buy ? paid - amount : amount - paid;
}

std::optional<Cents> FeesImplied(const Row &row)
{
    const std::optional<Cents> cash = row.cents(NumberField::Cash), amount = AmountCents(row);
    if (!cash || !amount)
        return std::nullopt;
    return FeesImplied(row.kind(), *cash, *amount);
}

bool IsPortfolioFee(std::string_view operation) { return operation.find("组合费") != std::string_view::npos; }

std::optional<Decimal> SettlementRate(const Row &row)
{
    if (const std::optional<Decimal> rate = row.exchangeRate(); rate && rate->sign() > 0 && *rate != Decimal(1))
        return rate;
    const std::string_view remark = row.text(TextField::Remark);
    for (const std::string_view mark : {std::string_view("汇率:"), std::string_view("汇率：")}) {
        const std::size_t at = remark.find(mark);
        if (at == std::string_view::npos)
            continue;
        const std::string_view rest = remark.substr(at + mark.size());
        const std::size_t end = rest.find_first_not_of("0123456789.");
        const std::optional<Decimal> rate = Decimal::fromTyped(rest.substr(0, end), ".");
        if (rate && rate->sign() > 0)
            return rate;
    }
    return std::nullopt;
}

} // namespace tallyfin::statement
