#pragma once

#include <string_view>

#include "statement.h"

namespace tallyfin::statement {

// What an operation text says a row is.
//   ClassifyOperation("证券买入") -> Buy,   ClassifyOperation("融资买入") -> Buy
//   ClassifyOperation("卖券还款") -> Sell,  ClassifyOperation("卖") -> Sell
//   ClassifyOperation("红利入账") -> Other, ClassifyOperation("新股申购") -> Other
//   ClassifyOperation("融券回购") -> Other (a repo, not a trade of shares)
RowKind ClassifyOperation(std::string_view text);

} // namespace tallyfin::statement
