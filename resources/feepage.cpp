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
#include "translatedtext.h"

namespace {

constexpr std::string_view kMarker = "<!-- fee-table -->\n";

std::string escaped(const QString &text) { return text.toHtmlEscaped().toStdString(); }

// One <tr> per row of the table; the template holds the table around them.
std::string feeRows()
{
    using namespace tallyfin;
    std::string html;
    for (const FeeRuleRow &row : FeeRuleTable()) {
        QString source = translated("FeeTable", row.source).toHtmlEscaped();
        if (!row.note.empty())
            source = QCoreApplication::translate("FeePage", "%1<br>注：%2")
                         .arg(source, translated("FeeTable", row.note).toHtmlEscaped());
        html += "    <tr><td class=\"num\">" + std::string(row.effectiveFrom) + "</td><td>"
                + escaped(translated(MarketsList(row.markets))) + "</td><td>"
                + escaped(translated("FeeRules", FeeItemName(row.item))) + "</td><td>"
                + escaped(translated(RowTerms(row))) + "</td><td>" + std::string(ConfidenceMark(row.confidence))
                + "</td><td>" + source.toStdString() + "</td></tr>\n";
    }
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
