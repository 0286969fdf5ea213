#pragma once

#include <string>
#include <string_view>

#include "statement.h"

namespace tallyfin::statement {

// Where the texts of a statement's rows live: the decoded file (or a
// spreadsheet's cells), adopted whole so that most row texts are places in
// it, and the few texts made while reading (a padded code, an unquoted cell)
// in a second text. Rows hold StoredText, 8 bytes, instead of pointers.
class TextStore {
public:
    // Keeps `text` as the store's main text; once per store. The view lives
    // as long as the store.
    std::string_view adopt(std::string text);

    // Where `text` lies in the main text, or a stored copy of it.
    StoredText keep(std::string_view text);

    std::string_view view(StoredText stored) const;

private:
    std::string m_text;
    std::string m_made; // offsets past m_text.size() point here
};

} // namespace tallyfin::statement
