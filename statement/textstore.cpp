#include "textstore.h"

#include <algorithm>
#include <cstring>
#include <functional>

namespace tallyfin::statement {

std::string_view TextStore::adopt(std::string text)
{
    m_adopted.push_back(std::make_unique<std::string>(std::move(text)));
    return *m_adopted.back();
}

bool TextStore::inAdopted(std::string_view text) const
{
    // Ordered comparison of pointers into different objects needs std::less.
    const std::less<const char *> before;
    return std::any_of(m_adopted.begin(), m_adopted.end(), [&](const std::unique_ptr<std::string> &block) {
        const char *begin = block->data();
        return !before(text.data(), begin) && !before(begin + block->size(), text.data() + text.size());
    });
}

std::string_view TextStore::keep(std::string_view text)
{
    if (text.empty())
        return {};
    if (inAdopted(text))
        return text;
    if (text.size() > m_left) {
        const std::size_t size = std::max(kChunkBytes, text.size());
        m_chunks.push_back(std::make_unique<char[]>(size));
        m_free = m_chunks.back().get();
        m_left = size;
    }
    char *copy = m_free;
    std::memcpy(copy, text.data(), text.size());
    m_free += text.size();
    m_left -= text.size();
    return {copy, text.size()};
}

} // namespace tallyfin::statement
