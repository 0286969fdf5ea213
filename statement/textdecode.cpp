#include "textdecode.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <iconv.h>
#include <stdexcept>
#include <unistr.h>

namespace tallyfin::statement {

namespace {

constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";
constexpr std::string_view kUtf16LeBom = "\xFF\xFE";
constexpr std::string_view kReplacement = "\xEF\xBF\xBD"; // U+FFFD
constexpr std::size_t kBlockBytes = 1 << 20;

bool isValidUtf8(std::string_view text)
{
    return u8_check(reinterpret_cast<const std::uint8_t *>(text.data()), text.size()) == nullptr;
}

bool hasHighByte(std::string_view text)
{
    return std::any_of(text.begin(), text.end(), [](char c) { return static_cast<unsigned char>(c) >= 0x80; });
}

bool startsWithCaseless(std::string_view text, std::string_view word)
{
    return text.size() >= word.size() && std::equal(word.begin(), word.end(), text.begin(), [](char w, char t) {
               return w == (t >= 'A' && t <= 'Z' ? static_cast<char>(t - 'A' + 'a') : t);
           });
}

bool looksLikeHtml(std::string_view start)
{
    const std::size_t first = start.find_first_not_of(" \t\r\n");
    if (first == std::string_view::npos || start[first] != '<')
        return false;
    for (std::size_t at = start.find('<'); at != std::string_view::npos; at = start.find('<', at + 1))
        for (const std::string_view tag : {"<html", "<table", "<!doctype html"})
            if (startsWithCaseless(start.substr(at), tag))
                return true;
    return false;
}

// The UTF-8 text of bytes in `from`, block by block, each invalid sequence
// replaced by U+FFFD.
class Converter {
public:
    // `growth` bounds how much longer the UTF-8 text is than its input, for one input byte.
    Converter(const char *from, std::size_t unitBytes, double growth)
        : m_cd(iconv_open("UTF-8", from)), m_unitBytes(unitBytes), m_growth(growth)
    {
        if (m_cd == reinterpret_cast<iconv_t>(-1))
            throw std::runtime_error(std::string("iconv cannot convert from ") + from);
    }
    ~Converter() { iconv_close(m_cd); }
    Converter(const Converter &) = delete;
    Converter &operator=(const Converter &) = delete;

    // Appends the conversion of `input` to `out`; false when cancelled.
    bool append(std::string_view input, std::string &out, const Stage *stage = nullptr)
    {
        std::size_t used = out.size();
        // A replaced byte grows more, and E2BIG says so.
        out.resize(used + static_cast<std::size_t>(static_cast<double>(input.size()) * m_growth) + 64);
        const char *end = input.data() + input.size();
        char *in = const_cast<char *>(input.data());
        while (in < end) {
            std::size_t inLeft = std::min<std::size_t>(static_cast<std::size_t>(end - in), kBlockBytes);
            const bool lastBlock = in + inLeft == end;
            char *outAt = out.data() + used;
            std::size_t outLeft = out.size() - used;
            const std::size_t result = iconv(m_cd, &in, &inLeft, &outAt, &outLeft);
            used = static_cast<std::size_t>(outAt - out.data());
            if (result == static_cast<std::size_t>(-1) && errno == E2BIG) {
                out.resize(out.size() + out.size() / 2 + 64);
            } else if (result == static_cast<std::size_t>(-1) && (errno == EILSEQ || (errno == EINVAL && lastBlock))) {
                // Not text here, or cut off at the end of the input.
                const std::size_t skip = std::min<std::size_t>(m_unitBytes, static_cast<std::size_t>(end - in));
                in += errno == EINVAL ? static_cast<std::size_t>(end - in) : skip;
                iconv(m_cd, nullptr, nullptr, nullptr, nullptr);
                out.resize(std::max(out.size(), used + kReplacement.size() + 64));
                out.replace(used, kReplacement.size(), kReplacement);
                used += kReplacement.size();
            }
            if (stage && !stage->report(1 - static_cast<double>(end - in) / static_cast<double>(input.size())))
                return false;
        }
        out.resize(used);
        return true;
    }

private:
    iconv_t m_cd;
    std::size_t m_unitBytes;
    double m_growth;
};

// GB18030's two-byte characters become three bytes of UTF-8 and its other
// characters keep their length: the text grows by half its high bytes.
double gb18030Growth(std::string_view bytes)
{
    std::size_t high = 0;
    for (const char c : bytes)
        high += static_cast<unsigned char>(c) >> 7;
    return bytes.empty() ? 1.0 : 1.0 + static_cast<double>(high) / 2.0 / static_cast<double>(bytes.size());
}

// Lines that are valid UTF-8 and not plain ASCII, against lines that are not
// valid UTF-8.
struct LineVote {
    int utf8 = 0, other = 0;
};

LineVote voteLines(std::string_view text)
{
    LineVote vote;
    while (!text.empty()) {
        const std::size_t end = std::min(text.find('\n'), text.size());
        const std::string_view line = text.substr(0, end);
        if (!isValidUtf8(line))
            ++vote.other;
        else if (hasHighByte(line))
            ++vote.utf8;
        text.remove_prefix(std::min(end + 1, text.size()));
    }
    return vote;
}

// Each line in the encoding it is valid in: UTF-8 as it is, others from GB18030.
bool decodeByLine(std::string_view text, std::string &out, const Stage &stage)
{
    Converter gb18030("GB18030", 1, 1.5);
    out.reserve(text.size() + text.size() / 8);
    const std::size_t total = text.size();
    int lines = 0;
    while (!text.empty()) {
        const std::size_t end = std::min(text.find('\n'), text.size() - 1) + 1;
        const std::string_view line = text.substr(0, end);
        if (isValidUtf8(line))
            out += line;
        else
            gb18030.append(line, out);
        text.remove_prefix(end);
        if (++lines % 4096 == 0 && !stage.report(1 - static_cast<double>(text.size()) / static_cast<double>(total)))
            return false;
    }
    return true;
}

} // namespace

TextVerdict InspectText(std::string_view bytes)
{
    if (bytes.starts_with(kUtf16LeBom))
        return bytes.substr(kUtf16LeBom.size()).find_first_not_of(std::string_view(" \0\t\r\n", 5)) ==
                       std::string_view::npos
                   ? TextVerdict::Empty
                   : TextVerdict::Text;
    const std::string_view body = bytes.starts_with(kUtf8Bom) ? bytes.substr(kUtf8Bom.size()) : bytes;
    if (body.find_first_not_of(" \t\r\n") == std::string_view::npos)
        return TextVerdict::Empty;
    const std::string_view start = body.substr(0, 64 * 1024);
    // Text has no NUL, and few control characters besides tab and line ends.
    if (start.find('\0') != std::string_view::npos)
        return TextVerdict::Binary;
    const std::string_view head = start.substr(0, 4096);
    const auto controls = std::count_if(head.begin(), head.end(), [](char c) {
        return static_cast<unsigned char>(c) < 0x20 && c != '\t' && c != '\r' && c != '\n' && c != '\f';
    });
    if (controls * 20 > static_cast<long>(head.size()))
        return TextVerdict::Binary;
    return looksLikeHtml(start) ? TextVerdict::Html : TextVerdict::Text;
}

std::optional<DecodedText> DecodeText(std::string bytes, const Stage &stage)
{
    DecodedText decoded;
    if (std::string_view(bytes).starts_with(kUtf16LeBom)) {
        decoded.encoding = TextEncoding::Utf16Le;
        // Two bytes of UTF-16 are at most three of UTF-8.
        if (!Converter("UTF-16LE", 2, 1.5).append(std::string_view(bytes).substr(kUtf16LeBom.size()), decoded.text, &stage))
            return std::nullopt;
        decoded.text.shrink_to_fit();
        return decoded;
    }
    const bool utf8Bom = std::string_view(bytes).starts_with(kUtf8Bom);
    if (utf8Bom)
        bytes.erase(0, kUtf8Bom.size());
    if (isValidUtf8(bytes)) {
        decoded.text = std::move(bytes);
        return decoded;
    }
    const LineVote vote = voteLines(bytes);
    if (!utf8Bom && vote.utf8 == 0) {
        decoded.encoding = TextEncoding::Gb18030;
        if (!Converter("GB18030", 1, gb18030Growth(bytes)).append(bytes, decoded.text, &stage))
            return std::nullopt;
        return decoded;
    }
    const bool mostlyUtf8 = utf8Bom || vote.utf8 >= vote.other;
    decoded.encoding = mostlyUtf8 ? TextEncoding::Utf8 : TextEncoding::Gb18030;
    decoded.linesInOtherEncoding = mostlyUtf8 ? vote.other : vote.utf8;
    if (!decodeByLine(bytes, decoded.text, stage))
        return std::nullopt;
    return decoded;
}

} // namespace tallyfin::statement
