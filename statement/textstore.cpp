#include "textstore.h"

#include <functional>

namespace tallyfin::statement {

std::string_view TextStore::adopt(std::string text)
{
    m_text = std::move(text);
    return m_text;
}

StoredText TextStore::keep(std::string_view text)
{
    if (text.empty())
        return {};
    // Ordered comparison of pointers into different objects needs std::less.
    const std::less<const char *> before;
    const char *begin = m_text.data(), *end = begin + m_text.size();
    if (!before(text.data(), begin) && !before(end, text.data() + text.size()))
        return {static_cast<std::uint32_t>(text.data() - begin), static_cast<std::uint32_t>(text.size())};
    const std::size_t offset = m_text.size() + m_made.size();
    m_made += text;
    return {static_cast<std::uint32_t>(offset), static_cast<std::uint32_t>(text.size())};
}

std::string_view TextStore::view(StoredText stored) const
{
    if (stored.offset < m_text.size())
        return std::string_view(m_text).substr(stored.offset, stored.size);
    return std::string_view(m_made).substr(stored.offset - m_text.size(), stored.size);
}

} // namespace tallyfin::statement
