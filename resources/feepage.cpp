// Writes the bundled page with the dated rules' fee table in place of its
// marker, so that the page always shows the table the program computes with.
//   feepage TEMPLATE OUTPUT
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>

#include "feerules.h"

namespace {

constexpr std::string_view kMarker = "<!-- fee-table -->";

std::string escaped(std::string_view text)
{
    std::string html;
    for (const char c : text) {
        switch (c) {
        case '&': html += "&amp;"; break;
        case '<': html += "&lt;"; break;
        case '>': html += "&gt;"; break;
        case '"': html += "&quot;"; break;
        default: html += c;
        }
    }
    return html;
}

std::string feeTable()
{
    using namespace tallyfin;
    std::string html = "<div class=\"table-wrap\">\n<table class=\"fee-rules\">\n  <thead>\n    <tr>"
                       "<th scope=\"col\">起始日期</th><th scope=\"col\">市场</th><th scope=\"col\">项目</th>"
                       "<th scope=\"col\">计费方法</th><th scope=\"col\">依据</th><th scope=\"col\">来源与说明</th>"
                       "</tr>\n  </thead>\n  <tbody>\n";
    for (const FeeRuleRow &row : FeeRuleTable()) {
        html += "    <tr><td class=\"num\">" + std::string(row.effectiveFrom) + "</td><td>"
                + escaped(MarketsText(row.markets)) + "</td><td>" + escaped(FeeItemName(row.item)) + "</td><td>"
                + escaped(RowTermsText(row)) + "</td><td>" + escaped(ConfidenceMark(row.confidence)) + "</td><td>"
                + escaped(row.source) + (row.note.empty() ? "" : "<br>注：" + escaped(row.note)) + "</td></tr>\n";
    }
    return html + "  </tbody>\n</table>\n</div>";
}

} // namespace

int main(int argc, char *argv[])
{
    if (argc != 3) {
        std::cerr << "usage: feepage TEMPLATE OUTPUT\n";
        return 2;
    }
    std::ifstream in(argv[1], std::ios::binary);
    std::stringstream page;
    page << in.rdbuf();
    std::string text = page.str();
    const std::size_t marker = text.find(kMarker);
    if (!in || marker == std::string::npos) {
        std::cerr << "feepage: no " << kMarker << " in " << argv[1] << '\n';
        return 1;
    }
    text.replace(marker, kMarker.size(), feeTable());
    std::ofstream out(argv[2], std::ios::binary | std::ios::trunc);
    out << text;
    return out.flush() ? 0 : 1;
}
