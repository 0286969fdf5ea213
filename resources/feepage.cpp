// Writes a bundled page with the dated rules' fee table in place of its
// marker, so that the page always shows the table the program computes with,
// in the page's language: the rows' texts through the translation given.
//   feepage TEMPLATE OUTPUT [TRANSLATION.qm]
#include <QCoreApplication>
#include <QTranslator>

#include <fstream>
#include <iostream>
#include <sstream>
#include <string>

#include "feerules.h"
#include "hkfeerules.h"
#include "translatedtext.h"

namespace {

constexpr std::string_view kMarker = "<!-- fee-table -->\n";

std::string escaped(const QString &text) { return text.toHtmlEscaped().toStdString(); }

// One row: its date, markets, item, terms, mark, and source with its note.
std::string tableRow(std::string_view effectiveFrom, const QString &markets, const QString &item, const QString &terms,
                     tallyfin::Confidence confidence, std::string_view sourceText, std::string_view note)
{
    using namespace tallyfin;
    QString source = translated("FeeTable", sourceText).toHtmlEscaped();
    if (!note.empty())
        source = QCoreApplication::translate("FeePage", "%1<br>注：%2")
                     .arg(source, translated("FeeTable", note).toHtmlEscaped());
    return "    <tr><td class=\"num\">" + std::string(effectiveFrom) + "</td><td>" + escaped(markets) + "</td><td>"
           + escaped(item) + "</td><td>" + escaped(terms) + "</td><td>" + std::string(ConfidenceMark(confidence))
           + "</td><td>" + source.toStdString() + "</td></tr>\n";
}

// One <tr> per row of the tables, the A-share one and the Hong Kong one;
// the template holds the table around them.
std::string feeRows()
{
    using namespace tallyfin;
    std::string html;
    for (const FeeRuleRow &row : FeeRuleTable())
        html += tableRow(row.effectiveFrom, translated(MarketsList(row.markets)),
                         translated("FeeRules", FeeItemName(row.item)), translated(RowTerms(row)), row.confidence,
                         row.source, row.note);
    for (const HkFeeRuleRow &row : HkFeeRuleTable())
        html += tableRow(row.effectiveFrom, translated(MarketText(Market::HongKong)),
                         translated("FeeRules", HkFeeItemName(row.item)), translated(HkRowTerms(row)),
                         row.confidence, row.source, row.note);
    return html;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    if (argc != 3 && argc != 4) {
        std::cerr << "usage: feepage TEMPLATE OUTPUT [TRANSLATION.qm]\n";
        return 2;
    }
    QTranslator translation;
    const bool loaded = argc == 4 && translation.load(QString::fromLocal8Bit(argv[3]))
                            && QCoreApplication::installTranslator(&translation);
    if (argc == 4 && !loaded) {
        std::cerr << "feepage: cannot load the translation " << argv[3] << '\n';
        return 1;
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
    text.replace(marker, kMarker.size(), feeRows());
    std::ofstream out(argv[2], std::ios::binary | std::ios::trunc);
    out << text;
    return out.flush() ? 0 : 1;
}
