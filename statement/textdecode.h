#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "progress.h"
#include "statement.h"

// Text files as brokers write them, made UTF-8.
namespace tallyfin::statement {

// What the first bytes of a file that is no spreadsheet say about it.
enum class TextVerdict : std::uint8_t { Text, Empty, Binary, Html };
TextVerdict InspectText(std::string_view bytes);

struct DecodedText {
    std::string text; // UTF-8, without a byte-order mark
    TextEncoding encoding = TextEncoding::Utf8;
    // Lines written in the other of UTF-8 and GB18030, each read in its own.
    int linesInOtherEncoding = 0;
};

// The encoding is told from the bytes: a byte-order mark (UTF-8, UTF-16 LE);
// else UTF-8 where the file is valid UTF-8, GB18030 (which covers GBK) where
// it is not. A file with lines of both is read line by line, each line in the
// encoding it is valid in. A byte sequence that is text in neither becomes
// U+FFFD, so that it spoils only its own cell. nullopt when cancelled.
std::optional<DecodedText> DecodeText(std::string bytes, const Stage &stage);

} // namespace tallyfin::statement
