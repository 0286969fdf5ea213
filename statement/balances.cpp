#include "balances.h"

#include <algorithm>
#include <map>
#include <optional>

#include "holdings.h"

namespace tallyfin::statement {

namespace {

// What a row does to the shares of its security.
enum class ShareMove : std::uint8_t { None, Known, Unknown };

// Stock Connect holdings change on settlement, days after the trade row, so
// their balances are left out.
ShareMove moveOf(const Row &row, Decimal &delta)
{
    if (row.code().empty() || row.stockConnect())
        return ShareMove::None;
    if (row.isTrade()) {
        delta = row.kind() == RowKind::Buy ? *row.quantity() : -*row.quantity();
        return ShareMove::Known;
    }
    const std::optional<HoldingEventKind> kind = KindOfOtherRow(row.operation());
    if (kind == HoldingEventKind::Dividend || kind == HoldingEventKind::DividendTax)
        return ShareMove::None;
    const std::optional<Decimal> quantity = row.quantity();
    if (!quantity || quantity->sign() == 0)
        return ShareMove::None;
    if (kind == HoldingEventKind::BonusShares || kind == HoldingEventKind::Buy) {
        delta = quantity->sign() < 0 ? -*quantity : *quantity;
        return ShareMove::Known;
    }
    return ShareMove::Unknown;
}

// One day of a running balance: the movements it adds up and the balances it shows.
struct Day {
    Decimal moved;
    bool unknown = false;
    std::vector<std::pair<Decimal, std::size_t>> balances; // (balance, row) in row order
};

// A running balance followed from day to day.
struct Chain {
    std::optional<Decimal> held; // after the last day seen; unknown after a move of no known size
    TradeDate lastDate;
    bool started = false;
};

// Where the day's balances disagree with the chain, the balance it shows
// instead; the chain moves on to the day's end either way.
std::optional<std::pair<Decimal, std::size_t>> advance(Chain &chain, const Day &day, TradeDate date)
{
    std::optional<Decimal> expected;
    if (chain.held && !day.unknown)
        expected = *chain.held + day.moved;
    std::optional<std::pair<Decimal, std::size_t>> disagreement;
    if (!day.balances.empty()) {
        const bool agrees = expected && std::any_of(day.balances.begin(), day.balances.end(),
                                                    [&](const auto &balance) { return balance.first == *expected; });
        if (expected && !agrees)
            disagreement = day.balances.back();
        chain.held = agrees ? *expected : day.balances.back().first;
    } else {
        chain.held = expected;
    }
    chain.lastDate = date;
    return disagreement;
}

class BalanceReader {
public:
    explicit BalanceReader(const Statement &statement) : m_statement(statement) {}

    BalanceCheck run()
    {
        for (std::size_t first = 0; first < m_statement.rows.size();) {
            std::size_t end = first;
            while (end < m_statement.rows.size() && m_statement.rows[end].date() == m_statement.rows[first].date())
                ++end;
            readDay(first, end);
            first = end;
        }
        return std::move(m_check);
    }

private:
    void readDay(std::size_t first, std::size_t end)
    {
        const TradeDate date = m_statement.rows[first].date();
        std::vector<std::string> order; // codes in the order of their first row today
        std::map<std::string, Day> shares;
        std::map<std::string, Day> cash; // by fund account
        for (std::size_t i = first; i < end; ++i) {
            const Row &row = m_statement.rows[i];
            Decimal delta;
            const ShareMove move = moveOf(row, delta);
            if (move != ShareMove::None) {
                const std::string code(row.code());
                if (!shares.contains(code))
                    order.push_back(code);
                Day &day = shares[code];
                if (!m_shares[code].started)
                    startShares(row, move, delta);
                day.moved = day.moved + delta;
                day.unknown = day.unknown || move == ShareMove::Unknown;
                if (row.shareBalance())
                    day.balances.emplace_back(*row.shareBalance(), i);
            }
            Day &money = cash[std::string(row.fundAccount())];
            if (row.cash())
                money.moved = money.moved + *row.cash();
            if (row.cashBalance())
                money.balances.emplace_back(*row.cashBalance(), i);
        }
        for (const std::string &code : order)
            followShares(code, shares[code], date);
        for (const auto &[account, day] : cash)
            followCash(m_cash[account], day, date);
    }

    // A security's first row: its balance, where it has one, tells what was held before it.
    void startShares(const Row &row, ShareMove move, const Decimal &delta)
    {
        Chain &chain = m_shares[std::string(row.code())];
        chain.started = true;
        chain.held = Decimal();
        if (move != ShareMove::Known || !row.shareBalance())
            return;
        const Decimal before = *row.shareBalance() - delta;
        chain.held = before;
        if (before.sign() != 0)
            m_check.openings.push_back({std::string(row.code()), std::string(row.name()), before, row.date()});
    }

    void followShares(const std::string &code, const Day &day, TradeDate date)
    {
        Chain &chain = m_shares[code];
        const TradeDate after = chain.lastDate;
        const bool first = chain.lastDate == TradeDate{};
        const std::optional<Decimal> expected = chain.held && !day.unknown ? std::optional(*chain.held + day.moved)
                                                                           : std::nullopt;
        if (const auto found = advance(chain, day, date); found && !first) {
            const Row &row = m_statement.rows[found->second];
            m_check.gaps.push_back({code, std::string(row.name()), after, date, *expected, found->first, found->second});
        }
    }

    void followCash(Chain &chain, const Day &day, TradeDate date)
    {
        if (!chain.started) {
            if (day.balances.empty())
                return;
            chain.started = true;
            chain.held = day.balances.back().first;
            chain.lastDate = date;
            return;
        }
        const TradeDate after = chain.lastDate;
        const std::optional<Decimal> expected = chain.held ? std::optional(*chain.held + day.moved) : std::nullopt;
        if (const auto found = advance(chain, day, date))
            m_check.cashBreaks.push_back({after, date, *expected, found->first, found->second});
    }

    const Statement &m_statement;
    std::map<std::string, Chain> m_shares; // by code
    std::map<std::string, Chain> m_cash;   // by fund account
    BalanceCheck m_check;
};

std::string sharesText(const Decimal &shares) { return GroupedNumber((shares.sign() < 0 ? -shares : shares).toString()); }

std::string yuanText(const Decimal &yuan)
{
    return GroupedNumber((yuan.sign() < 0 ? -yuan : yuan).toFixed(2, kDecimalPoint));
}

} // namespace

BalanceCheck CheckBalances(const Statement &statement) { return BalanceReader(statement).run(); }

std::string GroupedNumber(const std::string &digits)
{
    const std::size_t first = digits.starts_with('-') ? 1 : 0;
    const std::size_t point = std::min(digits.find('.'), digits.size());
    std::string text = digits.substr(0, first);
    for (std::size_t at = first; at < point; ++at) {
        if (at > first && (point - at) % 3 == 0)
            text += ',';
        text += digits[at];
    }
    return text + digits.substr(point);
}

std::string EnglishText(const ShareGap &gap)
{
    return gap.code + ": " + FormatTradeDate(gap.after) + " → " + FormatTradeDate(gap.before) + ", " +
           sharesText(gap.shares()) + (gap.shares().sign() > 0 ? " shares appear" : " shares vanish") +
           "; a statement of these dates may be missing";
}

Text ShareGapText(const ShareGap &gap)
{
    Text text = gap.shares().sign() > 0
                    ? TALLYFIN_TEXT("Account", "%1：%2 → %3，多出 %4 股；可能缺少这段日期的对账单")
                    : TALLYFIN_TEXT("Account", "%1：%2 → %3，少了 %4 股；可能缺少这段日期的对账单");
    return std::move(text).arg(gap.code).arg(FormatTradeDate(gap.after)).arg(FormatTradeDate(gap.before))
        .arg(sharesText(gap.shares()));
}

std::string EnglishText(const CashBreak &note)
{
    return "cash balance " + FormatTradeDate(note.after) + " → " + FormatTradeDate(note.before) + ": " +
           yuanText(note.difference()) + (note.difference().sign() > 0 ? " more" : " less") +
           " than the rows explain (a transfer the export leaves out?)";
}

Text CashBreakText(const CashBreak &note)
{
    Text text = note.difference().sign() > 0
                    ? TALLYFIN_TEXT("Account", "资金余额 %1 → %2：比各行多出 %3 元（导出文件未列出的转账？）")
                    : TALLYFIN_TEXT("Account", "资金余额 %1 → %2：比各行少了 %3 元（导出文件未列出的转账？）");
    return std::move(text).arg(FormatTradeDate(note.after)).arg(FormatTradeDate(note.before))
        .arg(yuanText(note.difference()));
}

} // namespace tallyfin::statement
