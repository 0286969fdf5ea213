#include <expat.h>
#include <map>
#include <memory>
#include <vector>
#include <zip.h>

#include "cells.h"
#include "failure.h"
#include "spreadsheets.h"

namespace tallyfin::statement {

namespace {

// The element's name without a namespace prefix: "x:row" -> "row".
std::string_view localName(const XML_Char *name)
{
    const std::string_view full(name);
    const std::size_t colon = full.rfind(':');
    return colon == std::string_view::npos ? full : full.substr(colon + 1);
}

const XML_Char *attribute(const XML_Char **attributes, std::string_view name)
{
    for (; attributes && attributes[0]; attributes += 2)
        if (localName(attributes[0]) == name)
            return attributes[1];
    return nullptr;
}

// A SAX reader over expat; subclasses take the elements they need.
class XmlReader {
public:
    XmlReader() : m_parser(XML_ParserCreate(nullptr))
    {
        XML_SetUserData(m_parser, this);
        XML_SetElementHandler(m_parser, &XmlReader::onStart, &XmlReader::onEnd);
        XML_SetCharacterDataHandler(m_parser, &XmlReader::onText);
        // A workbook has no document type; one with a DTD is refused.
        XML_SetStartDoctypeDeclHandler(m_parser, [](void *self, const XML_Char *, const XML_Char *,
                                                    const XML_Char *, int) {
            XML_StopParser(static_cast<XmlReader *>(self)->m_parser, XML_FALSE);
        });
    }
    virtual ~XmlReader() { XML_ParserFree(m_parser); }
    XmlReader(const XmlReader &) = delete;
    XmlReader &operator=(const XmlReader &) = delete;

    // Empty on success, else what was wrong.
    std::string parse(std::string_view chunk, bool last)
    {
        if (XML_Parse(m_parser, chunk.data(), static_cast<int>(chunk.size()), last ? XML_TRUE : XML_FALSE) ==
            XML_STATUS_OK)
            return {};
        return std::string("XML: ") + XML_ErrorString(XML_GetErrorCode(m_parser)) + " at line " +
               std::to_string(XML_GetCurrentLineNumber(m_parser));
    }

protected:
    virtual void start(std::string_view name, const XML_Char **attributes) = 0;
    virtual void end(std::string_view name) = 0;
    virtual void text(std::string_view) {}

private:
    static void onStart(void *self, const XML_Char *name, const XML_Char **attributes)
    {
        static_cast<XmlReader *>(self)->start(localName(name), attributes);
    }
    static void onEnd(void *self, const XML_Char *name) { static_cast<XmlReader *>(self)->end(localName(name)); }
    static void onText(void *self, const XML_Char *text, int length)
    {
        static_cast<XmlReader *>(self)->text(std::string_view(text, static_cast<std::size_t>(length)));
    }

    XML_Parser m_parser;
};

// The sheets' names and relationship ids, in the workbook's order.
class WorkbookReader final : public XmlReader {
public:
    std::vector<std::pair<std::string, std::string>> sheets;

private:
    void start(std::string_view name, const XML_Char **attributes) override
    {
        const XML_Char *sheetName = attribute(attributes, "name"), *id = attribute(attributes, "id");
        if (name == "sheet" && sheetName && id)
            sheets.emplace_back(sheetName, id);
    }
    void end(std::string_view) override {}
};

// Relationship id -> the part's path inside the zip.
class RelationshipsReader final : public XmlReader {
public:
    std::map<std::string, std::string> targets;
    std::string sharedStrings;

private:
    void start(std::string_view name, const XML_Char **attributes) override
    {
        const XML_Char *id = attribute(attributes, "Id"), *target = attribute(attributes, "Target"),
                       *type = attribute(attributes, "Type");
        if (name != "Relationship" || !id || !target)
            return;
        // Targets are relative to xl/, or absolute within the package.
        std::string path = target[0] == '/' ? std::string(target + 1) : "xl/" + std::string(target);
        if (type && std::string_view(type).ends_with("/sharedStrings"))
            sharedStrings = path;
        targets.emplace(id, std::move(path));
    }
    void end(std::string_view) override {}
};

// The shared strings, each the text of its runs (phonetic runs left out).
class SharedStringsReader final : public XmlReader {
public:
    std::string pool;
    std::vector<std::pair<std::size_t, std::size_t>> strings; // (offset, size) in pool

    std::string_view at(std::size_t index) const
    {
        return index < strings.size() ? std::string_view(pool).substr(strings[index].first, strings[index].second)
                                      : std::string_view{};
    }

private:
    void start(std::string_view name, const XML_Char **) override
    {
        if (name == "si")
            m_start = pool.size();
        m_inText = name == "t" && m_phonetic == 0;
        m_phonetic += name == "rPh" ? 1 : 0;
    }
    void end(std::string_view name) override
    {
        if (name == "si")
            strings.emplace_back(m_start, pool.size() - m_start);
        m_phonetic -= name == "rPh" && m_phonetic > 0 ? 1 : 0;
        m_inText = false;
    }
    void text(std::string_view chunk) override
    {
        if (m_inText)
            pool += chunk;
    }

    std::size_t m_start = 0;
    int m_phonetic = 0;
    bool m_inText = false;
};

// "AB12" -> 27; -1 when it names no column.
int columnOf(const XML_Char *reference)
{
    int column = 0, letters = 0;
    for (; reference && *reference >= 'A' && *reference <= 'Z' && letters < 4; ++reference, ++letters)
        column = column * 26 + (*reference - 'A' + 1);
    return letters == 0 ? -1 : column - 1;
}

// A number as the spreadsheet program shows it: a value stored with more
// digits than it shows (16899.150000000001) is shown at 15 significant digits.
std::string numberShown(const std::string &stored)
{
    std::size_t digits = 0;
    for (const char c : stored)
        digits += c >= '0' && c <= '9' ? 1 : 0;
    if (digits <= 15)
        return stored;
    char *end = nullptr;
    const double value = std::strtod(stored.c_str(), &end);
    return end && *end == '\0' ? SpreadsheetNumberText(value) : stored;
}

// The last row a sheet can have.
constexpr long kMaxSheetRow = 1048576;
// No part of a workbook unpacks to more (a zip bomb of spaces or comments).
constexpr std::uint64_t kMaxPartBytes = 2ull << 30;

// The cells of a sheet into a SheetTable.
class SheetReader final : public XmlReader {
public:
    SheetReader(const SharedStringsReader &shared, SheetTable &table) : m_shared(shared), m_table(table) {}

private:
    void start(std::string_view name, const XML_Char **attributes) override
    {
        if (name == "row") {
            // Rows come in order; a number that does not go up is taken as the next row.
            const XML_Char *r = attribute(attributes, "r");
            const long row = r ? std::strtol(r, nullptr, 10) : 0;
            m_row = row > m_row && row <= kMaxSheetRow ? static_cast<int>(row) : m_row + 1;
            m_table.startRow(m_row);
            m_column = -1;
        } else if (name == "c") {
            const XML_Char *type = attribute(attributes, "t"), *reference = attribute(attributes, "r");
            const int column = columnOf(reference);
            m_column = column >= 0 ? column : m_column + 1;
            m_type = type ? type : "n";
            m_value.clear();
        }
        m_collecting = name == "v" || (name == "t" && m_type == "inlineStr");
    }
    void end(std::string_view name) override
    {
        m_collecting = false;
        if (name == "c")
            m_table.addCell(m_column, cellText());
    }
    void text(std::string_view chunk) override
    {
        if (m_collecting)
            m_value += chunk;
    }

    std::string cellText() const
    {
        if (m_type == "s")
            return std::string(m_shared.at(static_cast<std::size_t>(std::strtoul(m_value.c_str(), nullptr, 10))));
        if (m_type == "n")
            return numberShown(m_value);
        return m_value; // str (a formula's text), inlineStr, b, e, d
    }

    const SharedStringsReader &m_shared;
    SheetTable &m_table;
    int m_row = 0, m_column = -1;
    std::string m_type, m_value;
    bool m_collecting = false;
};

class Package {
public:
    explicit Package(std::string_view bytes)
    {
        zip_error_t error;
        zip_error_init(&error);
        zip_source_t *source = zip_source_buffer_create(bytes.data(), bytes.size(), 0, &error);
        if (source && !(m_zip = zip_open_from_source(source, ZIP_RDONLY, &error)))
            zip_source_free(source);
        if (!m_zip)
            m_error = std::string("zip: ") + zip_error_strerror(&error);
        zip_error_fini(&error);
    }
    ~Package()
    {
        if (m_zip)
            zip_discard(m_zip);
    }
    Package(const Package &) = delete;
    Package &operator=(const Package &) = delete;

    const std::string &error() const { return m_error; }
    bool has(const std::string &path) const { return zip_name_locate(m_zip, path.c_str(), 0) >= 0; }

    // Feeds the part at `path` to `reader`: nullopt on success, else the failure.
    std::optional<Failure> parse(const std::string &path, XmlReader &reader, const Stage *stage = nullptr,
                                 const SheetTable *table = nullptr) const
    {
        zip_stat_t stat;
        zip_file_t *file = zip_stat(m_zip, path.c_str(), 0, &stat) == 0 ? zip_fopen(m_zip, path.c_str(), 0) : nullptr;
        if (!file)
            return BadSpreadsheet("zip: cannot open " + path + ": " + zip_strerror(m_zip));
        const std::unique_ptr<zip_file_t, int (*)(zip_file_t *)> closer(file, zip_fclose);
        std::vector<char> buffer(1 << 16);
        std::uint64_t total = 0;
        for (;;) {
            const zip_int64_t n = zip_fread(file, buffer.data(), buffer.size());
            if (n < 0)
                return BadSpreadsheet("zip: cannot read " + path + ": " + zip_file_strerror(file));
            total += static_cast<std::uint64_t>(n);
            if (std::string failure = reader.parse({buffer.data(), static_cast<std::size_t>(n)}, n == 0); !failure.empty())
                return BadSpreadsheet(failure + " in " + path);
            if (n == 0)
                return std::nullopt;
            if ((table && table->overLimits()) || total > kMaxPartBytes)
                return BadSpreadsheet(kSheetTooLarge);
            if (stage && stat.size > 0 && !stage->report(std::min(1.0, double(total) / double(stat.size))))
                return MakeFailure(FailureKind::Cancelled);
        }
    }

private:
    zip_t *m_zip = nullptr;
    std::string m_error;
};

} // namespace

std::optional<Failure> ReadXlsxSheets(std::string_view bytes, const Stage &stage, const SheetUser &use)
{
    const Package package(bytes);
    if (!package.error().empty())
        return BadSpreadsheet(package.error());
    const std::string workbookPath = "xl/workbook.xml", relationshipsPath = "xl/_rels/workbook.xml.rels";
    if (!package.has(workbookPath))
        return BadSpreadsheet("a zip archive without xl/workbook.xml: not an .xlsx workbook");
    WorkbookReader workbook;
    RelationshipsReader relationships;
    SharedStringsReader shared;
    for (const auto &[path, reader] : {std::pair<std::string, XmlReader *>{workbookPath, &workbook},
                                       std::pair<std::string, XmlReader *>{relationshipsPath, &relationships}})
        if (std::optional<Failure> failure = package.parse(path, *reader))
            return failure;
    const std::string sharedPath =
        relationships.sharedStrings.empty() ? "xl/sharedStrings.xml" : relationships.sharedStrings;
    if (package.has(sharedPath))
        if (std::optional<Failure> failure = package.parse(sharedPath, shared))
            return failure;
    for (std::size_t i = 0; i < workbook.sheets.size(); ++i) {
        const auto target = relationships.targets.find(workbook.sheets[i].second);
        if (target == relationships.targets.end() || !package.has(target->second))
            continue;
        SheetTable table;
        SheetReader reader(shared, table);
        const double sheets = static_cast<double>(workbook.sheets.size());
        const Stage sheetStage = stage.part(static_cast<double>(i) / sheets, static_cast<double>(i + 1) / sheets);
        if (std::optional<Failure> failure = package.parse(target->second, reader, &sheetStage, &table))
            return failure;
        if (use(workbook.sheets[i].first, table))
            break;
    }
    return std::nullopt;
}

} // namespace tallyfin::statement
