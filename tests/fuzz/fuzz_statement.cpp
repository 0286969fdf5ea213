// The statement readers on arbitrary bytes: text in any encoding, .xls and
// .xlsx containers. Whatever the bytes, reading ends with a failure and no
// rows, or with rows that keep the reader's promises: trades with a date, a
// code of five or six digits, a quantity above zero and a price or an amount;
// texts in valid UTF-8; lines in file order after the header; a message in
// each language for every problem. An input whose first byte is odd is also
// read with a progress callback that cancels after a few calls; one that
// starts with "<worksheet" is also read as the sheet of a workbook.

#include <cstdint>
#include <string>
#include <string_view>
#include <unistr.h>
#include <zip.h>

#include "fuzz_check.h"
#include "messages.h"
#include "statement.h"

namespace tallyfin::fuzz {
namespace {

using namespace statement;

bool isUtf8(std::string_view text)
{
    return u8_check(reinterpret_cast<const std::uint8_t *>(text.data()), text.size()) == nullptr;
}

void checkTrade(const Row &row)
{
    const std::string_view code = row.code();
    check((code.size() == 5 || code.size() == 6) && code.find_first_not_of("0123456789") == std::string_view::npos,
          "a trade's code is not five or six digits", code);
    check(row.stockConnect() || code.size() == 6, "an A-share code of five digits", code);
    check(row.quantity() && row.quantity()->sign() > 0, "a trade without a quantity above zero", code);
    check(row.price() || row.amount(), "a trade with neither price nor amount", code);
    for (const NumberField field : {NumberField::Price, NumberField::Amount, NumberField::Commission,
                                    NumberField::StampDuty, NumberField::TransferFee, NumberField::OtherFees})
        check(!row.number(field) || row.number(field)->sign() >= 0, "a trade's figure below zero", code);
}

void checkRows(const Statement &read)
{
    int previous = read.format.headerLine;
    for (const Row &row : read.rows) {
        check(row.line() > previous, "rows out of file order", std::to_string(row.line()));
        previous = row.line();
        check(row.date() >= TradeDate{1990, 1, 1} && row.date() <= TradeDate{2099, 12, 31}, "a date out of range",
              FormatTradeDate(row.date()));
        for (int field = 0; field < kTextFieldCount; ++field)
            check(isUtf8(row.text(static_cast<TextField>(field))), "a row's text is not UTF-8",
                  row.text(static_cast<TextField>(field)));
        if (row.isTrade())
            checkTrade(row);
        else
            check(!row.operation().empty(), "another row without the name of its business");
    }
    for (const UnreadableRow &row : read.unreadable) {
        check(row.line > read.format.headerLine, "an unreadable row before the header", std::to_string(row.line));
        check(!EnglishText(row).empty() && !ChineseText(row).empty(), "an unreadable row without a message");
    }
    for (const ColumnChoice &choice : read.choices)
        check(!EnglishText(choice, read.columns).empty() && !ChineseText(choice, read.columns).empty(),
              "a column choice without a text");
}

void checkStatement(const Statement &read)
{
    if (read.failure) {
        check(read.rows.empty() && read.unreadable.empty(), "a failed reading kept rows");
        check(!EnglishText(*read.failure).empty() && !ChineseText(*read.failure).empty(), "a failure without a message");
        return;
    }
    check(read.format.headerLine >= 1, "no header line");
    checkRows(read);
}

// The fuzzer seldom gets a zip's checksums right, so an input that starts
// like a sheet's XML is also read as the only sheet of a workbook, beside
// shared strings that name a statement's columns.
constexpr std::string_view kWorkbook =
    R"(<workbook xmlns:r="r"><sheets><sheet name="交割单" sheetId="1" r:id="rId1"/></sheets></workbook>)";
constexpr std::string_view kRelationships =
    R"(<Relationships><Relationship Id="rId1" Type="t/worksheet" Target="worksheets/sheet1.xml"/>)"
    R"(<Relationship Id="rId2" Type="t/sharedStrings" Target="sharedStrings.xml"/></Relationships>)";
constexpr std::string_view kSharedStrings =
    "<sst><si><t>成交日期</t></si><si><t>证券代码</t></si><si><t>操作</t></si><si><t>成交数量</t></si>"
    "<si><t>成交价格</t></si><si><r><t>证券</t></r><r><t>买入</t></r></si><si><t>红利入账</t><rPh><t>x</t></rPh></si></sst>";

std::string workbookAround(std::string_view sheet)
{
    zip_error_t error;
    zip_error_init(&error);
    zip_source_t *buffer = zip_source_buffer_create(nullptr, 0, 0, &error);
    zip_source_keep(buffer);
    zip_t *zip = zip_open_from_source(buffer, ZIP_TRUNCATE, &error);
    check(zip != nullptr, "libzip cannot make a workbook");
    for (const auto &[name, text] : {std::pair{"xl/workbook.xml", kWorkbook},
                                     std::pair{"xl/_rels/workbook.xml.rels", kRelationships},
                                     std::pair{"xl/sharedStrings.xml", kSharedStrings},
                                     std::pair{"xl/worksheets/sheet1.xml", sheet}})
        zip_file_add(zip, name, zip_source_buffer(zip, text.data(), text.size(), 0), ZIP_FL_OVERWRITE);
    check(zip_close(zip) == 0, "libzip cannot write a workbook");
    zip_stat_t stat;
    std::string bytes;
    if (zip_source_stat(buffer, &stat) == 0 && zip_source_open(buffer) == 0) {
        bytes.resize(stat.size);
        check(zip_source_read(buffer, bytes.data(), stat.size) == static_cast<zip_int64_t>(stat.size),
              "libzip cannot read back a workbook");
        zip_source_close(buffer);
    }
    zip_source_free(buffer);
    zip_error_fini(&error);
    return bytes;
}

} // namespace
} // namespace tallyfin::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    using namespace tallyfin::statement;
    const std::string bytes(reinterpret_cast<const char *>(data), size);
    tallyfin::fuzz::checkStatement(ReadStatementBytes(bytes));
    if (std::string_view(bytes).starts_with("<worksheet"))
        tallyfin::fuzz::checkStatement(ReadStatementBytes(tallyfin::fuzz::workbookAround(bytes)));
    if (size > 1 && (data[0] & 1)) {
        int calls = data[1] % 8;
        const Statement cancelled = ReadStatementBytes(bytes, [&](double) { return calls-- > 0; });
        tallyfin::fuzz::checkStatement(cancelled);
    }
    return 0;
}
