#include "fees.h"

#include <cmath>

#include "constants.h"
#include "extended.h"

namespace tallyfin {

namespace {

Extended perMilleOfAmount(double price, double quantity, double ratePerMille)
{
    return Extended(price) * quantity * ratePerMille / 1000;
}

} // namespace

double TradeAmount(double price, double quantity)
{
    return RoundToDouble(Extended(price) * quantity);
}

double CommissionFee(double price, double quantity, double ratePerMille, bool withMinimum)
{
    const double commission = RoundToDouble(perMilleOfAmount(price, quantity, ratePerMille));
    return withMinimum && commission < kMinimumCommissionYuan ? kMinimumCommissionYuan : commission;
}

double StampDutyFee(double price, double quantity, double ratePerMille)
{
    return RoundToDouble(perMilleOfAmount(price, quantity, ratePerMille));
}

double TransferFee(std::optional<Market> market, double quantity)
{
    if (market != Market::ShanghaiA)
        return 0;
    if (quantity > 1000)
        return RoundToDouble(std::trunc((Extended(quantity) / 1000).value()));
    return 1;
}

} // namespace tallyfin
