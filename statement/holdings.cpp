#include "holdings.h"

#include <algorithm>
#include <array>
#include <optional>
#include <span>

#include "cells.h"
#include "security.h"
#include "tradefigures.h"

namespace tallyfin::statement {

namespace {

bool containsAny(std::string_view text, std::span<const std::string_view> words)
{
    return std::any_of(words.begin(), words.end(),
                       [text](std::string_view word) { return text.find(word) != std::string_view::npos; });
}

constexpr std::array<std::string_view, 4> kDividendWords{"红利", "股息", "派息", "分红"};
constexpr std::array<std::string_view, 4> kBonusWords{"红股", "送股", "转增", "送转"};
// Shares of a new issue placed in the account once it lists; paid for at the
// issue price when they were allotted, on a row of the subscription's own code.
constexpr std::array<std::string_view, 2> kNewIssueWords{"新股入账", "新股入帐"};

Decimal magnitude(const Decimal &value) { return value.sign() < 0 ? -value : value; }

Decimal orZero(const std::optional<Decimal> &value) { return value ? magnitude(*value) : Decimal(); }

// The fee columns of a trade, or its total where it has none of them.
Decimal feesOf(const Row &row) { return magnitude(Decimal(FeesWritten(row).value_or(0), 2)); }

HoldingEvent tradeEvent(const Row &row)
{
    const bool buy = row.kind() == RowKind::Buy;
    HoldingEvent event{row.line(), std::string(row.code()), std::string(row.name()),
                       buy ? HoldingEventKind::Buy : HoldingEventKind::Sell, *row.quantity(), Decimal(), feesOf(row)};
    if (const std::optional<Decimal> cash = row.cash(); cash && cash->sign() != 0) {
        event.cash = magnitude(*cash);
    } else {
        const Decimal amount = row.amount() ? *row.amount() : *row.price() * event.quantity;
        event.cash = buy ? amount + event.fees : amount - event.fees;
    }
    return event;
}

// A dividend, its tax or a grant; nullopt when the row carries nothing to book.
std::optional<HoldingEvent> otherEvent(const Row &row, HoldingEventKind kind)
{
    HoldingEvent event{row.line(), std::string(row.code()), std::string(row.name()), kind, Decimal(), Decimal(),
                       Decimal()};
    if (kind == HoldingEventKind::BonusShares) {
        event.quantity = orZero(row.quantity());
    } else if (kind == HoldingEventKind::Buy) {
        event.quantity = orZero(row.quantity());
        event.cash = row.price() ? *row.price() * event.quantity : orZero(row.amount());
    } else
        event.cash = row.cash() ? magnitude(*row.cash()) : orZero(row.amount());
    if (event.quantity.sign() == 0 && event.cash.sign() == 0)
        return std::nullopt;
    return event;
}

std::optional<SkipReason> reasonToSkip(const Row &row)
{
    if (row.code().empty())
        return SkipReason::NoCode;
    // A Stock Connect stock is kept in yuan, as paid and received.
    if (!row.stockConnect() && !SecurityOfCode(row.code()))
        return SkipReason::UnknownCode;
    return std::nullopt;
}

} // namespace

std::optional<HoldingEventKind> KindOfOtherRow(std::string_view operation)
{
    const bool aboutDividends = containsAny(operation, kDividendWords);
    if (aboutDividends && operation.find("税") != std::string_view::npos)
        return HoldingEventKind::DividendTax;
    if (containsAny(operation, kBonusWords))
        return HoldingEventKind::BonusShares;
    if (containsAny(operation, kNewIssueWords))
        return HoldingEventKind::Buy;
    if (aboutDividends)
        return HoldingEventKind::Dividend;
    return std::nullopt;
}

HoldingHistory HoldingHistoryOf(const Statement &statement)
{
    HoldingHistory history;
    // The rows that become events, put in time order before any event is made.
    struct Timed {
        TradeDate date;
        int seconds; // of the day, -1 for none
        std::size_t row;
        std::optional<HoldingEventKind> other;
    };
    std::vector<Timed> timed;
    for (std::size_t i = 0; i < statement.rows.size(); ++i) {
        const Row &row = statement.rows[i];
        const std::optional<HoldingEventKind> other = row.isTrade() ? std::nullopt : KindOfOtherRow(row.operation());
        if (!row.isTrade() && !other)
            continue;
        if (const std::optional<SkipReason> reason = reasonToSkip(row)) {
            history.skipped.push_back({row.line(), *reason, std::string(row.code()), std::string(row.name()),
                                       std::string(row.operation())});
            continue;
        }
        timed.push_back({row.date(), SecondsOfDay(row.time()), i, other});
    }
    // Stable: rows of the same moment keep the statement's order.
    std::stable_sort(timed.begin(), timed.end(), [](const Timed &a, const Timed &b) {
        return a.date != b.date ? a.date < b.date : a.seconds < b.seconds;
    });
    history.events.reserve(timed.size());
    for (const Timed &each : timed) {
        const Row &row = statement.rows[each.row];
        if (!each.other)
            history.events.push_back(tradeEvent(row));
        else if (std::optional<HoldingEvent> event = otherEvent(row, *each.other))
            history.events.push_back(std::move(*event));
    }
    return history;
}

StatementPositions PositionsOfStatement(const Statement &statement, std::span<const OpeningPosition> openings)
{
    HoldingHistory history = HoldingHistoryOf(statement);
    PositionsReport report = ReplayHoldings(history.events, openings);
    // Found in time order; listed, as the skipped rows are, in the file's.
    std::stable_sort(report.oversold.begin(), report.oversold.end(),
                     [](const OversoldSale &a, const OversoldSale &b) { return a.line < b.line; });
    return {std::move(report), std::move(history.skipped)};
}

} // namespace tallyfin::statement
