#pragma once

#include <span>
#include <string_view>
#include <vector>

#include "audit.h"
#include "ratefit.h"

// Infers a group's commission agreement from what its orders were charged:
// the terms of each period, of each class of securities the broker prices
// apart, and of single securities whose rows follow terms of their own.
// Internal to the audit; see audit.h for the lines and their tallies.
namespace tallyfin::statement {

// What the inference needs of one order of a group.
struct OrderFacts {
    TradeDate date;
    SecurityClass securityClass = SecurityClass::General; // by its code and name
    std::string_view code, name;
    Cents amount = 0;
    Cents allowance = 1;
    std::optional<Cents> commission, transferFee, levies; // charged, the other fees moved as the column holds
    Cents leviesDue = 0;    // handling + management fee by the rules of its date
    Cents transferDue = 0;  // the transfer fee, where it is on the amount
    bool tableBillsTransferWithLevies = false;
    bool nothingCharged = false; // every fee figure of the order is 0
};

// The lines of one group and the line that prices each of its orders.
struct GroupAgreement {
    std::vector<Agreement> lines;
    std::vector<std::uint32_t> lineOfOrder; // index into lines, by order
};

// How far the inference goes: Quick fits one period per scope and sets no
// security apart (enough to tell what a column holds), Full finds it all.
enum class InferenceDepth : std::uint8_t { Quick, Full };

// The group's agreement from its orders (in date order), the other-fee
// column read as `hold`. Terms the user set for the group, its classes or
// its securities are taken as set and the rest inferred under them.
// `changes`: dates on which other groups' terms changed; a period of this
// group ends there too when that explains even one more order.
GroupAgreement InferGroupAgreement(InstrumentGroup group, std::span<const OrderFacts> orders, OtherFeesHold hold,
                                   const AuditOptions &options, std::span<const TradeDate> changes = {},
                                   InferenceDepth depth = InferenceDepth::Full);

// The dates on which a line's terms give way to the next line's of the same
// scope: the last trade the old terms are pinned by.
std::vector<TradeDate> ChangeDates(const GroupAgreement &agreement);

} // namespace tallyfin::statement
