#include "operations.h"

#include <algorithm>
#include <array>
#include <string>

namespace tallyfin::statement {

namespace {

constexpr std::array<std::string_view, 6> kBuyNames{"买", "买入", "B", "买券还券", "证券买入", "融资买入"};
constexpr std::array<std::string_view, 6> kSellNames{"卖", "卖出", "S", "卖券还款", "证券卖出", "融券卖出"};

// Words that make a name ending in 买入 or 卖出 something else than a trade on
// the exchange: subscriptions, repos, dividends, transfers, cancellations.
constexpr std::array<std::string_view, 19> kNotTradeWords{
    "申购", "赎回", "配售", "配号", "中签", "回购", "购回", "红利", "股息", "利息",
    "撤", "冻结", "托管", "新股", "配股", "转股", "要约", "质押", "划"};

// Spaces removed, and a remark in brackets or a trailing 成交 dropped:
// "证券买入(港股通)" and "买入成交" are trades like "证券买入" and "买入".
std::string normalized(std::string_view text)
{
    std::string name;
    name.reserve(text.size());
    for (const char c : text)
        if (c != ' ')
            name += c;
    for (const std::string_view open : {"(", "（"}) {
        const std::size_t at = name.find(open);
        if (at != std::string::npos && at > 0)
            name.resize(at);
    }
    if (name.size() > std::string_view("成交").size() && name.ends_with("成交"))
        name.resize(name.size() - std::string_view("成交").size());
    return name;
}

bool contains(std::string_view text, std::string_view word) { return text.find(word) != std::string_view::npos; }

} // namespace

RowKind ClassifyOperation(std::string_view text)
{
    const std::string name = normalized(text);
    const auto is = [&](std::string_view known) { return name == known; };
    if (std::any_of(kBuyNames.begin(), kBuyNames.end(), is))
        return RowKind::Buy;
    if (std::any_of(kSellNames.begin(), kSellNames.end(), is))
        return RowKind::Sell;
    const bool buys = name.ends_with("买入"), sells = name.ends_with("卖出");
    if (!buys && !sells)
        return RowKind::Other;
    if (std::any_of(kNotTradeWords.begin(), kNotTradeWords.end(), [&](std::string_view w) { return contains(name, w); }))
        return RowKind::Other;
    return buys ? RowKind::Buy : RowKind::Sell;
}

} // namespace tallyfin::statement
