#include "dividendtax.h"

#include <algorithm>
#include <chrono>
#include <deque>
#include <map>

#include "cells.h"
#include "holdings.h"

namespace tallyfin::statement {

namespace {

Decimal magnitude(const Decimal &value) { return value.sign() < 0 ? -value : value; }

// The money a row moves: its cash column, else its amount.
Decimal moneyOf(const Row &row)
{
    if (const std::optional<Decimal> cash = row.cash(); cash && cash->sign() != 0)
        return magnitude(*cash);
    return row.amount() ? magnitude(*row.amount()) : Decimal();
}

constexpr int kMarketClose = 15 * 3600;

TradeDate weekdayBefore(TradeDate date)
{
    using namespace std::chrono;
    sys_days day{year(date.year) / month(static_cast<unsigned>(date.month)) / static_cast<unsigned>(date.day)};
    do
        day -= days{1};
    while (weekday(day) == Saturday || weekday(day) == Sunday);
    const year_month_day before{day};
    return {static_cast<int>(before.year()), static_cast<int>(static_cast<unsigned>(before.month())),
            static_cast<int>(static_cast<unsigned>(before.day()))};
}

TradeDate recordDateOf(const Row &dividend)
{
    return SecondsOfDay(dividend.time()) >= kMarketClose ? dividend.date() : weekdayBefore(dividend.date());
}

// A dividend a lot received, and how many of its shares did.
struct Entitlement {
    TradeDate recordDate;
    Decimal perShare;
    const DividendTaxRegime *regime = nullptr;
    Decimal shares; // of the lot's shares, those that received it and are not yet sold
};

struct Lot {
    std::optional<TradeDate> bought; // nullopt: held before the history begins
    Decimal shares;
    std::vector<Entitlement> dividends;
};

// One security: its lots, the day's trades not yet netted into a lot, and
// the sales whose tax no row has taken yet.
struct Holding {
    std::deque<Lot> lots;
    std::optional<TradeDate> pendingDay;
    Decimal pending; // the day's purchases less its sales
    std::size_t pendingRow = 0;
    std::optional<TradeDate> firstDate; // of the history, for lots held before it
    std::deque<SoldLot> owed;
};

class TaxReader {
public:
    TaxReader(const Statement &statement, const std::vector<OpeningHolding> &openings) : m_statement(statement)
    {
        for (const OpeningHolding &opening : openings) {
            Holding &holding = m_holdings[opening.code];
            holding.lots.push_back({std::nullopt, opening.shares, {}});
            holding.firstDate = opening.firstDate;
        }
    }

    DividendTaxCheck run()
    {
        for (std::size_t i = 0; i < m_statement.rows.size(); ++i)
            read(i);
        for (auto &[code, holding] : m_holdings) {
            settleDay(code, holding);
            listMissing(holding);
        }
        std::sort(m_check.missing.begin(), m_check.missing.end(),
                  [](const MissingTax &a, const MissingTax &b) { return a.saleRow < b.saleRow; });
        return std::move(m_check);
    }

private:
    void read(std::size_t index)
    {
        const Row &row = m_statement.rows[index];
        if (row.code().empty() || row.stockConnect())
            return;
        const std::string code(row.code());
        Holding &holding = m_holdings[code];
        if (!holding.firstDate)
            holding.firstDate = row.date();
        if (holding.pendingDay && *holding.pendingDay != row.date())
            settleDay(code, holding);
        if (row.isTrade()) {
            holding.pendingDay = row.date();
            holding.pending = holding.pending + (row.kind() == RowKind::Buy ? *row.quantity() : -*row.quantity());
            holding.pendingRow = index;
            return;
        }
        const std::optional<HoldingEventKind> kind = KindOfOtherRow(row.operation());
        if (kind == HoldingEventKind::Buy && row.quantity()) { // a new issue's shares: a purchase of their day
            holding.pendingDay = row.date();
            holding.pending = holding.pending + magnitude(*row.quantity());
            holding.pendingRow = index;
            return;
        }
        if (!kind)
            return;
        settleDay(code, holding);
        switch (*kind) {
        case HoldingEventKind::Dividend: dividend(index, holding); break;
        case HoldingEventKind::DividendTax: taxRow(index, holding); break;
        case HoldingEventKind::BonusShares: bonus(row, holding); break;
        default: break;
        }
    }

    // The day's trades as one lot bought, or as a sale from the earliest lots.
    void settleDay(const std::string &code, Holding &holding)
    {
        if (!holding.pendingDay)
            return;
        if (holding.pending.sign() > 0)
            holding.lots.push_back({holding.pendingDay, holding.pending, {}});
        else if (holding.pending.sign() < 0)
            sell(code, holding, -holding.pending, *holding.pendingDay, holding.pendingRow);
        holding.pendingDay.reset();
        holding.pending = Decimal();
    }

    void sell(const std::string &code, Holding &holding, Decimal quantity, TradeDate day, std::size_t row)
    {
        while (quantity.sign() > 0 && !holding.lots.empty()) {
            Lot &lot = holding.lots.front();
            const Decimal taken = std::min(quantity, lot.shares);
            SoldLot sold{code, day, lot.bought, Decimal(), {}, row};
            for (Entitlement &dividend : lot.dividends) {
                const Decimal entitled = std::min(taken, dividend.shares);
                dividend.shares = dividend.shares - entitled;
                if (entitled.sign() > 0)
                    owe(sold, holding, dividend, entitled);
            }
            if (!sold.taxes.empty())
                holding.owed.push_back(std::move(sold));
            lot.shares = lot.shares - taken;
            quantity = quantity - taken;
            if (lot.shares.sign() == 0)
                holding.lots.pop_front();
        }
    }

    static void owe(SoldLot &sold, const Holding &holding, const Entitlement &dividend, const Decimal &shares)
    {
        std::optional<HoldingTerm> term;
        if (sold.bought)
            term = HoldingTermOf(*sold.bought, sold.sold);
        else if (holding.firstDate && sold.sold > AddMonths(*holding.firstDate, 12))
            term = HoldingTerm::OverAYear; // bought before the history began, over a year before
        LotTax tax{sold.bought, shares, dividend.perShare, dividend.recordDate, sold.sold, 0, std::nullopt};
        if (term) {
            tax.ratePercent = RatePercentDueOnSale(*dividend.regime, *term);
            if (tax.ratePercent == 0)
                return;
            tax.tax = (shares * dividend.perShare * Decimal(tax.ratePercent, 2)).rounded(2, Rounding::HalfUp);
        }
        sold.quantity = std::max(sold.quantity, shares);
        sold.taxes.push_back(tax);
    }

    void dividend(std::size_t index, Holding &holding)
    {
        const Row &row = m_statement.rows[index];
        Decimal held;
        for (const Lot &lot : holding.lots)
            held = held + lot.shares;
        const Decimal cash = moneyOf(row);
        if (cash.sign() == 0)
            return;
        if (held.sign() <= 0) {
            m_check.unheldDividends.push_back({index, std::string(row.code()), row.date(), cash});
            return;
        }
        const TradeDate recordDate = recordDateOf(row);
        const DividendTaxRegime &regime = DividendTaxRegimeOn(recordDate);
        const Decimal perShare = DividendPerShare(cash, held, regime.withheldPercent);
        for (Lot &lot : holding.lots)
            lot.dividends.push_back({recordDate, perShare, &regime, lot.shares});
    }

    // Bonus shares count as held since the shares they were granted on: each
    // lot grows by its part, the last taking what rounding leaves.
    static void bonus(const Row &row, Holding &holding)
    {
        const Decimal granted = row.quantity() ? magnitude(*row.quantity()) : Decimal();
        Decimal held, given;
        for (const Lot &lot : holding.lots)
            held = held + lot.shares;
        if (held.sign() <= 0) {
            if (granted.sign() > 0)
                holding.lots.push_back({row.date(), granted, {}});
            return;
        }
        for (std::size_t i = 0; i < holding.lots.size(); ++i) {
            Lot &lot = holding.lots[i];
            const Decimal part = i + 1 == holding.lots.size()
                                     ? granted - given
                                     : Decimal::quotient(granted * lot.shares, held, 0, Rounding::Floor);
            lot.shares = lot.shares + part;
            given = given + part;
        }
    }

    void taxRow(std::size_t index, Holding &holding)
    {
        const Row &row = m_statement.rows[index];
        TaxRowCheck check{index, std::string(row.code()), row.date(), std::nullopt, moneyOf(row), {}, false};
        if (const std::optional<Decimal> quantity = row.quantity(); quantity && quantity->sign() != 0)
            check.quantity = magnitude(*quantity);
        if (const auto run = explaining(holding.owed, check)) {
            for (std::size_t i = run->first; i < run->second; ++i)
                check.lots.insert(check.lots.end(), holding.owed[i].taxes.begin(), holding.owed[i].taxes.end());
            holding.owed.erase(holding.owed.begin() + static_cast<long>(run->first),
                               holding.owed.begin() + static_cast<long>(run->second));
            check.explained = true;
        }
        m_check.taxRows.push_back(std::move(check));
    }

    // The earliest run of owed lots a tax row takes: their shares make its
    // quantity (one row per lot, or one per sale of several), or, where it
    // has none, their tax makes its charge.
    static std::optional<std::pair<std::size_t, std::size_t>> explaining(const std::deque<SoldLot> &owed,
                                                                         const TaxRowCheck &row)
    {
        for (std::size_t first = 0; first < owed.size(); ++first) {
            Decimal sum;
            for (std::size_t end = first; end < owed.size();) {
                const SoldLot &lot = owed[end++];
                if (row.quantity) {
                    sum = sum + lot.quantity;
                } else {
                    for (const LotTax &tax : lot.taxes)
                        sum = sum + tax.tax.value_or(Decimal());
                }
                const Decimal &wanted = row.quantity ? *row.quantity : row.charged;
                if (sum == wanted)
                    return std::pair{first, end};
                if (sum > wanted)
                    break;
            }
        }
        return std::nullopt;
    }

    void listMissing(const Holding &holding)
    {
        for (const SoldLot &lot : holding.owed) {
            if (m_check.missing.empty() || m_check.missing.back().saleRow != lot.saleRow)
                m_check.missing.push_back({lot.code, lot.sold, Decimal(), Decimal(), lot.saleRow});
            MissingTax &missing = m_check.missing.back();
            missing.quantity = missing.quantity + lot.quantity;
            for (const LotTax &tax : lot.taxes)
                missing.due = missing.due && tax.tax ? std::optional(*missing.due + *tax.tax) : std::nullopt;
        }
    }

    const Statement &m_statement;
    std::map<std::string, Holding> m_holdings;
    DividendTaxCheck m_check;
};

std::string yuan(const Decimal &value) { return value.toFixed(2, kDecimalPoint); }

} // namespace

std::optional<Decimal> TaxRowCheck::due() const
{
    if (!explained)
        return Decimal();
    Decimal sum;
    for (const LotTax &lot : lots) {
        if (!lot.tax)
            return std::nullopt;
        sum = sum + *lot.tax;
    }
    return sum;
}

DividendTaxCheck CheckDividendTax(const Statement &statement, const std::vector<OpeningHolding> &openings)
{
    return TaxReader(statement, openings).run();
}

Decimal DividendPerShare(const Decimal &cash, const Decimal &shares, int withheldPercent)
{
    const Decimal kept(100 - withheldPercent, 2); // of the dividend, the part paid out
    constexpr int kMostDecimals = 6;
    for (int decimals = 1; decimals <= kMostDecimals; ++decimals) {
        const Decimal perShare = Decimal::quotient(cash, shares * kept, decimals, Rounding::HalfUp);
        if ((shares * perShare * kept).rounded(2, Rounding::HalfUp) == cash)
            return perShare;
    }
    return Decimal::quotient(cash, shares * kept, kMostDecimals, Rounding::HalfUp);
}

TaxVerdict VerdictOf(const TaxRowCheck &row)
{
    if (!row.explained)
        return TaxVerdict::Unexplained;
    const std::optional<Decimal> due = row.due();
    return !due ? TaxVerdict::BoughtUnknown : *due == row.charged ? TaxVerdict::Agrees : TaxVerdict::Differs;
}

std::string_view ChineseText(TaxVerdict verdict)
{
    switch (verdict) {
    case TaxVerdict::Agrees: return TALLYFIN_TR_NOOP("Account", "相符");
    case TaxVerdict::Differs: return TALLYFIN_TR_NOOP("Account", "不符");
    case TaxVerdict::Unexplained: return TALLYFIN_TR_NOOP("Account", "无法解释");
    case TaxVerdict::BoughtUnknown: break;
    }
    return TALLYFIN_TR_NOOP("Account", "买入日未知");
}

std::string_view HoldingTermText(const LotTax &lot)
{
    if (!lot.bought)
        return TALLYFIN_TR_NOOP("Account", "未知");
    switch (HoldingTermOf(*lot.bought, lot.sold)) {
    case HoldingTerm::UpToAMonth: return TALLYFIN_TR_NOOP("Account", "1个月以内");
    case HoldingTerm::UpToAYear: return TALLYFIN_TR_NOOP("Account", "1个月至1年");
    case HoldingTerm::OverAYear: break;
    }
    return TALLYFIN_TR_NOOP("Account", "1年以上");
}

std::string EnglishText(const MissingTax &missing)
{
    return FormatTradeDate(missing.date) + " " + missing.code + ": " + missing.quantity.toString() +
           " shares that received a dividend within the year sold, " +
           (missing.due ? yuan(*missing.due) : std::string("an unknown sum")) + " due, no tax row";
}

Text MissingTaxText(const MissingTax &missing)
{
    return TALLYFIN_TEXT("Account", "%1 %2：卖出一年内获得股息的 %3 股，应补缴 %4 元，没有补缴记录")
        .arg(FormatTradeDate(missing.date))
        .arg(missing.code)
        .arg(missing.quantity.toString())
        .arg(missing.due ? yuan(*missing.due) : std::string("?"));
}

} // namespace tallyfin::statement
