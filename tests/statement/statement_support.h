#pragma once

#include <filesystem>
#include <ostream>
#include <string>

#include "decimal.h"
#include "feerules.h"
#include "statement.h"
#include "statementgen.h"

namespace tallyfin {

inline void PrintTo(const Decimal &value, std::ostream *out) { *out << value.toString(); }
inline void PrintTo(const TradeDate &date, std::ostream *out) { *out << FormatTradeDate(date); }

namespace statement {

// A directory of its own for one test, removed with everything in it.
class ScratchDirectory {
public:
    ScratchDirectory();
    ~ScratchDirectory();
    ScratchDirectory(const ScratchDirectory &) = delete;
    ScratchDirectory &operator=(const ScratchDirectory &) = delete;

    const std::filesystem::path &path() const { return m_path; }
    std::filesystem::path write(const std::string &name, const std::string &bytes) const;

private:
    std::filesystem::path m_path;
};

// The ways a statement reaches us, each with what the reader should say of it.
enum class Container : std::uint8_t { Gb18030Tsv, Utf8BomCsv, Utf16Tsv, Xls, Xlsx };

struct FormatCase {
    const char *name;
    Container container;
    FileKind kind;
    std::optional<TextEncoding> encoding;
    char separator;
};

inline constexpr FormatCase kGb18030Tsv{"Gb18030Tsv", Container::Gb18030Tsv, FileKind::Text, TextEncoding::Gb18030, '\t'};
inline constexpr FormatCase kUtf8BomCsv{"Utf8BomCsv", Container::Utf8BomCsv, FileKind::Text, TextEncoding::Utf8, ','};
inline constexpr FormatCase kUtf16Tsv{"Utf16Tsv", Container::Utf16Tsv, FileKind::Text, TextEncoding::Utf16Le, '\t'};
inline constexpr FormatCase kXls{"Xls", Container::Xls, FileKind::Xls, std::nullopt, 0};
inline constexpr FormatCase kXlsx{"Xlsx", Container::Xlsx, FileKind::Xlsx, std::nullopt, 0};
// What brokers' clients export most: a PC client's GB18030 text, a UTF-8 CSV, real spreadsheets.
inline constexpr FormatCase kCommonFormats[] = {kGb18030Tsv, kUtf8BomCsv, kXls, kXlsx};

// The table written as a file of that format in `directory`.
std::filesystem::path WriteStatement(const samples::SampleTable &table, const FormatCase &format,
                                     const ScratchDirectory &directory);

// UTF-8 text in GB18030.
std::string Gb18030(const std::string &utf8);

} // namespace statement
} // namespace tallyfin
