#pragma once

#include <array>
#include <cstdint>
#include <optional>

#include "audit.h"
#include "cells.h"

// The money of a trade row in exact cents, worked out here once for the
// reader's choice of columns, the audit and the positions:
//   the fee items it writes (commission, stamp duty, transfer fee, the
//   levies, other fees), their sum, and the fees its cash movement implies.
// A figure the row lacks is nullopt.
namespace tallyfin::statement {

// Fee figures in the rules' items, Commission … Other; nullopt where there is none.
using ItemFigures = std::array<std::optional<Cents>, kFeeItemCount>;

// Two figures added where either is written; nullopt where neither is.
std::optional<Cents> FigureSum(std::optional<Cents> a, std::optional<Cents> b);

// A number as written in cents, half up; nullopt beyond 64 bits.
//   {4303015, 3} -> 430302,  {-5, 0} -> -500
std::optional<Cents> CentsOf(CellNumber number);

// The fee columns of a row as written: commission, stamp duty, transfer fee,
// the levies (经手费 + 证管费 + 规费) and the other fees.
ItemFigures WrittenItems(const Row &row);

// What the row's fee columns add up to, or its total of the fees (手续费
// beside 佣金, 总费用) where it has no fee column.
std::optional<Cents> FeesWritten(const Row &row);

// The trade's amount: its 成交金额, else price × quantity.
std::optional<Cents> AmountCents(const Row &row);

// The fees a cash movement implies: what a buy paid above its amount, what
// a sale received below it (the cash's sign as the broker wrote it is left
// aside).
//   FeesImplied(Buy, -1005.10, 1000.00) -> 5.10,  FeesImplied(Sell, 1094.39, 1100.00) -> 5.61
Cents FeesImplied(RowKind side, Cents cash, Cents amount);
// The same from the row's cash and amount; nullopt where it lacks either.
std::optional<Cents> FeesImplied(const Row &row);

// A row charging Stock Connect's portfolio fee (港股通组合费收取, 证券组合费).
bool IsPortfolioFee(std::string_view operation);

// The settlement rate a Stock Connect row gives: its exchange-rate column
// (a rate other than 1), else 汇率:0.933580 in its remark; nullopt for none.
std::optional<Decimal> SettlementRate(const Row &row);

} // namespace tallyfin::statement
