#include "output.h"

#include <nlohmann/json.hpp>

#include <span>
#include <utility>

#include "json.h"
#include "table.h"

namespace tallyfin {

namespace {

template <typename Fields>
using NamedField = std::pair<std::string_view, std::string Fields::*>;

constexpr NamedField<TradeFields> kTradeFieldNames[] = {
    {"jg", &TradeFields::jg},         {"sl", &TradeFields::sl},         {"Edit2", &TradeFields::Edit2},
    {"Edit3", &TradeFields::Edit3},   {"Edit4", &TradeFields::Edit4},   {"Edit5", &TradeFields::Edit5},
    {"Edit6", &TradeFields::Edit6},   {"Edit7", &TradeFields::Edit7},   {"Edit8", &TradeFields::Edit8},
    {"Edit9", &TradeFields::Edit9},   {"Edit10", &TradeFields::Edit10}, {"Edit11", &TradeFields::Edit11},
    {"Edit12", &TradeFields::Edit12}, {"Edit13", &TradeFields::Edit13}, {"Edit14", &TradeFields::Edit14},
    {"Edit15", &TradeFields::Edit15}, {"Edit16", &TradeFields::Edit16}, {"Edit17", &TradeFields::Edit17},
    {"Edit18", &TradeFields::Edit18}, {"Edit19", &TradeFields::Edit19},
};

constexpr NamedField<GoldenFields> kGoldenFieldNames[] = {
    {"Edit1", &GoldenFields::Edit1},   {"Edit2", &GoldenFields::Edit2},   {"Edit3", &GoldenFields::Edit3},
    {"Edit4", &GoldenFields::Edit4},   {"Edit5", &GoldenFields::Edit5},   {"Edit6", &GoldenFields::Edit6},
    {"Edit7", &GoldenFields::Edit7},   {"Edit8", &GoldenFields::Edit8},   {"Edit9", &GoldenFields::Edit9},
    {"Edit10", &GoldenFields::Edit10}, {"Edit11", &GoldenFields::Edit11}, {"Edit12", &GoldenFields::Edit12},
    {"Edit13", &GoldenFields::Edit13},
};

// The window's levels from top to bottom, under their labels.
constexpr NamedField<GoldenFields> kGoldenLevels[] = {
    {"19.1%", &GoldenFields::Edit7},   {"23.6%", &GoldenFields::Edit10},
    {"1/3", &GoldenFields::Edit8},     {"38.2%", &GoldenFields::Edit6},
    {"50%", &GoldenFields::Edit5},     {"61.8%", &GoldenFields::Edit4},
    {"2/3", &GoldenFields::Edit9},     {"80.9%", &GoldenFields::Edit3},
    {"2倍", &GoldenFields::Edit11},    {"2.618倍", &GoldenFields::Edit12},
    {"3倍", &GoldenFields::Edit13},
};

struct Caption {
    std::string_view text;
    std::string TradeFields::*field;
    FieldColor TradeFields::*color = nullptr;
};

constexpr Caption kBuyCaptions[] = {
    {"买入价格(元)", &TradeFields::jg},     {"买入数量(股)", &TradeFields::sl},
    {"交易金额(元)", &TradeFields::Edit4},  {"佣    金(元)", &TradeFields::Edit5},
    {"印 花 税(元)", &TradeFields::Edit6},  {"过 户 费(元)", &TradeFields::Edit7},
    {"费用合计(元)", &TradeFields::Edit8},  {"实付金额(元)", &TradeFields::Edit9},
    {"买入成本(元)", &TradeFields::Edit10}, {"保本价格(元)", &TradeFields::Edit11},
};

constexpr Caption kSellCaptions[] = {
    {"卖出价格(元)", &TradeFields::Edit2},  {"卖出数量(股)", &TradeFields::Edit3},
    {"交易金额(元)", &TradeFields::Edit12}, {"佣    金(元)", &TradeFields::Edit13},
    {"印 花 税(元)", &TradeFields::Edit14}, {"过 户 费(元)", &TradeFields::Edit15},
    {"费用合计(元)", &TradeFields::Edit16}, {"实收金额(元)", &TradeFields::Edit17},
    {"收 益 率(%)", &TradeFields::Edit18, &TradeFields::Edit18Color},
    {"盈亏金额(元)", &TradeFields::Edit19, &TradeFields::Edit19Color},
};

// A group's title and captions; after a batch reduction its first two
// captions become the average price and the total quantity.
struct Group {
    std::string_view title;
    std::span<const Caption> captions;
    bool relabelled;
    std::string_view averageCaption, totalCaption;
};

template <typename Fields, std::size_t N>
nlohmann::ordered_json jsonFields(const Fields &fields, const NamedField<Fields> (&names)[N])
{
    nlohmann::ordered_json object = nlohmann::ordered_json::object();
    for (const auto &[name, field] : names)
        object[std::string(name)] = fields.*field;
    return object;
}

nlohmann::ordered_json jsonText(const std::optional<std::string> &text)
{
    return text ? nlohmann::ordered_json(*text) : nlohmann::ordered_json(nullptr);
}

std::string_view colorName(FieldColor color)
{
    switch (color) {
    case FieldColor::Red: return "red";
    case FieldColor::Green: return "green";
    case FieldColor::Window: break;
    }
    return "window";
}

std::string_view colorMark(FieldColor color)
{
    switch (color) {
    case FieldColor::Red: return "（红）";
    case FieldColor::Green: return "（绿）";
    case FieldColor::Window: break;
    }
    return {};
}

std::string perMille(const std::string &rate) { return rate.empty() ? rate : rate + " ‰"; }

void addSettings(TextTable &table, const TradeFields &f)
{
    table.addRow("证 交 所", f.zjs);
    table.addRow("佣    金", perMille(f.ComboBox1));
    table.addRow("印 花 税", perMille(f.ComboBox2));
    table.addRow("印花税双边征收", f.CheckBox1 ? "是" : "否");
}

void addGroup(TextTable &table, const TradeFields &f, const Group &group)
{
    table.addBlankLine();
    table.addHeading(std::string(group.title));
    for (std::size_t row = 0; row < group.captions.size(); ++row) {
        const Caption &caption = group.captions[row];
        std::string_view text = caption.text;
        if (group.relabelled && row < 2)
            text = row == 0 ? group.averageCaption : group.totalCaption;
        const FieldColor color = caption.color ? f.*caption.color : FieldColor::Window;
        table.addRow("  " + std::string(text), f.*caption.field + std::string(colorMark(color)), color);
    }
}

std::string_view modeName(GoldenMode mode)
{
    switch (mode) {
    case GoldenMode::Rise: return "低点上涨";
    case GoldenMode::Fall: return "高点下跌";
    case GoldenMode::Rebound: return "区间反弹";
    case GoldenMode::PullBack: break;
    }
    return "区间回调";
}

} // namespace

std::string TradeJson(const TradeResult &result)
{
    const TradeFields &f = result.fields;
    return JsonLine({{"fields", jsonFields(f, kTradeFieldNames)},
                     {"colors", {{"Edit18", colorName(f.Edit18Color)}, {"Edit19", colorName(f.Edit19Color)}}},
                     {"message", jsonText(result.message)},
                     {"error", jsonText(result.error)}})
           + '\n';
}

std::string GoldenJson(const GoldenResult &result)
{
    return JsonLine({{"fields", jsonFields(result.fields, kGoldenFieldNames)},
                     {"message", jsonText(result.message)},
                     {"error", jsonText(result.error)}})
           + '\n';
}

std::string TradeTable(const TradeResult &result, bool ansiColours)
{
    TextTable table;
    addSettings(table, result.fields);
    addGroup(table, result.fields,
             {"买入计算", kBuyCaptions, result.buyRelabelled, "买入均价(元)", "持股总数(股)"});
    addGroup(table, result.fields,
             {"卖出计算", kSellCaptions, result.sellRelabelled, "卖出均价(元)", "卖出总数(股)"});
    return table.render(ansiColours);
}

std::string GoldenTable(const GoldenResult &result)
{
    TextTable table;
    table.addRow("低点", result.fields.Edit1);
    table.addRow("高点", result.fields.Edit2);
    table.addBlankLine();
    table.addHeading(std::string(modeName(result.mode)));
    for (const auto &[label, field] : kGoldenLevels)
        table.addRow("  " + std::string(label), result.fields.*field);
    return table.render(false);
}

} // namespace tallyfin
