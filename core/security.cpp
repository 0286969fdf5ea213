#include "security.h"

#include <algorithm>
#include <array>

namespace tallyfin {

namespace {

struct CodeRange {
    std::string_view prefix;
    Exchange exchange;
    Board board;
};

// The exchanges' code ranges, longest prefixes where they would overlap.
constexpr std::array kCodeRanges{
    CodeRange{"600", Exchange::Shanghai, Board::Main},  CodeRange{"601", Exchange::Shanghai, Board::Main},
    CodeRange{"603", Exchange::Shanghai, Board::Main},  CodeRange{"605", Exchange::Shanghai, Board::Main},
    CodeRange{"688", Exchange::Shanghai, Board::Star},  CodeRange{"689", Exchange::Shanghai, Board::Star},
    CodeRange{"50", Exchange::Shanghai, Board::Fund},   CodeRange{"51", Exchange::Shanghai, Board::Fund},
    CodeRange{"52", Exchange::Shanghai, Board::Fund},   CodeRange{"56", Exchange::Shanghai, Board::Fund},
    CodeRange{"58", Exchange::Shanghai, Board::Fund},   CodeRange{"110", Exchange::Shanghai, Board::ConvertibleBond},
    CodeRange{"111", Exchange::Shanghai, Board::ConvertibleBond},
    CodeRange{"113", Exchange::Shanghai, Board::ConvertibleBond},
    CodeRange{"118", Exchange::Shanghai, Board::ConvertibleBond},
    CodeRange{"000", Exchange::Shenzhen, Board::Main},  CodeRange{"001", Exchange::Shenzhen, Board::Main},
    CodeRange{"002", Exchange::Shenzhen, Board::Main},  CodeRange{"003", Exchange::Shenzhen, Board::Main},
    CodeRange{"300", Exchange::Shenzhen, Board::ChiNext}, CodeRange{"301", Exchange::Shenzhen, Board::ChiNext},
    CodeRange{"15", Exchange::Shenzhen, Board::Fund},   CodeRange{"16", Exchange::Shenzhen, Board::Fund},
    CodeRange{"18", Exchange::Shenzhen, Board::Fund},   CodeRange{"123", Exchange::Shenzhen, Board::ConvertibleBond},
    CodeRange{"127", Exchange::Shenzhen, Board::ConvertibleBond},
    CodeRange{"128", Exchange::Shenzhen, Board::ConvertibleBond},
    CodeRange{"43", Exchange::Beijing, Board::Beijing}, CodeRange{"83", Exchange::Beijing, Board::Beijing},
    CodeRange{"87", Exchange::Beijing, Board::Beijing}, CodeRange{"92", Exchange::Beijing, Board::Beijing},
};

// 港 covers 港股通, 沪港通, 深港通 and 港币; exports also write 沪HK and HKD.
constexpr std::array<std::string_view, 3> kHongKongMarks{"港", "HK", "hk"};

bool allDigits(std::string_view text)
{
    return std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

} // namespace

std::optional<Security> SecurityOfCode(std::string_view code)
{
    if (code.size() != 6 || !allDigits(code))
        return std::nullopt;
    for (const CodeRange &range : kCodeRanges)
        if (code.starts_with(range.prefix))
            return Security{range.exchange, range.board};
    return std::nullopt;
}

bool IsHongKongTrade(const TradeMarks &marks)
{
    if ((marks.code.size() == 5 && allDigits(marks.code)) || marks.foreignExchangeRate)
        return true;
    const auto named = [](std::string_view text) {
        return std::any_of(kHongKongMarks.begin(), kHongKongMarks.end(),
                           [text](std::string_view mark) { return text.find(mark) != std::string_view::npos; });
    };
    return named(marks.market) || named(marks.currency);
}

Market MarketOfSecurity(const Security &security)
{
    const bool shanghai = security.exchange == Exchange::Shanghai;
    switch (security.board) {
    case Board::Main:
        return shanghai ? Market::ShanghaiA : Market::ShenzhenA;
    case Board::ChiNext:
        return Market::ShenzhenA;
    case Board::Star:
        return Market::ShanghaiA;
    case Board::Beijing:
        return Market::BeijingA;
    case Board::Fund:
        return shanghai ? Market::ShanghaiFund : Market::ShenzhenFund;
    case Board::ConvertibleBond:
        break;
    }
    return shanghai ? Market::ShanghaiBond : Market::ShenzhenBond;
}

TradingLot LotOfSecurity(const Security &security)
{
    if (security.board == Board::Star)
        return {200, 1};
    return *MarketInfoOf(MarketOfSecurity(security)).lot; // every market a code names has one
}

} // namespace tallyfin
