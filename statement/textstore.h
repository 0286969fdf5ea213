#pragma once

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "statement.h"

namespace tallyfin::statement {

// Where the texts of a statement's rows live. The decoded file (or a
// spreadsheet's cells) is adopted whole, so that most row texts are views
// into it; the few made while reading (a padded code, an unquoted cell) are
// copied into chunks. Nothing moves once stored.
class TextStore {
public:
    // Keeps `text`; the view returned lives as long as the store.
    std::string_view adopt(std::string text);

    // `text` itself when it lies in an adopted text, else a stored copy.
    std::string_view keep(std::string_view text);

private:
    bool inAdopted(std::string_view text) const;

    static constexpr std::size_t kChunkBytes = 64 * 1024;
    std::vector<std::unique_ptr<std::string>> m_adopted;
    std::vector<std::unique_ptr<char[]>> m_chunks;
    char *m_free = nullptr;
    std::size_t m_left = 0;
};

} // namespace tallyfin::statement
