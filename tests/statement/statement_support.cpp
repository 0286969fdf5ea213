#include "statement_support.h"

#include <cstdlib>
#include <fstream>
#include <iconv.h>
#include <stdexcept>

#include "sample_spreadsheets.h"

namespace tallyfin::statement {

ScratchDirectory::ScratchDirectory()
{
    std::string pattern = (std::filesystem::temp_directory_path() / "tallyfin-statement-XXXXXX").string();
    if (!mkdtemp(pattern.data()))
        throw std::runtime_error("cannot make a scratch directory");
    m_path = pattern;
}

ScratchDirectory::~ScratchDirectory() { std::filesystem::remove_all(m_path); }

std::filesystem::path ScratchDirectory::write(const std::string &name, const std::string &bytes) const
{
    const std::filesystem::path path = m_path / name;
    std::ofstream(path, std::ios::binary) << bytes;
    return path;
}

std::filesystem::path WriteStatement(const samples::SampleTable &table, const FormatCase &format,
                                     const ScratchDirectory &directory)
{
    switch (format.container) {
    case Container::Xls: {
        // Named .xls like the other exports: the reader goes by the bytes.
        const std::filesystem::path path = directory.path() / "real.xls";
        samples::WriteXls(table, path);
        return path;
    }
    case Container::Xlsx: {
        const std::filesystem::path path = directory.path() / "export.xlsx";
        samples::WriteXlsx(table, path);
        return path;
    }
    default:
        return directory.write("text.xls", samples::TextStatement(table, format.separator, *format.encoding));
    }
}

std::string Gb18030(const std::string &utf8)
{
    iconv_t cd = iconv_open("GB18030", "UTF-8");
    std::string out(utf8.size() * 2 + 8, '\0');
    char *in = const_cast<char *>(utf8.data()), *at = out.data();
    std::size_t inLeft = utf8.size(), outLeft = out.size();
    iconv(cd, &in, &inLeft, &at, &outLeft);
    iconv_close(cd);
    out.resize(out.size() - outLeft);
    return out;
}

} // namespace tallyfin::statement
