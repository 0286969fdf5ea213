#include "text.h"

namespace tallyfin {

Text Text::Plain(std::string text)
{
    Text plain;
    plain.m_pattern = std::move(text);
    return plain;
}

Text &Text::arg(Text text) &
{
    m_args.push_back(std::move(text));
    return *this;
}

Text &Text::arg(std::string plain) & { return arg(Plain(std::move(plain))); }

Text &&Text::arg(Text text) && { return std::move(arg(std::move(text))); }

Text &&Text::arg(std::string plain) && { return std::move(arg(Plain(std::move(plain)))); }

std::string Text::toString() const
{
    if (!m_context)
        return m_pattern;
    std::vector<std::string> filled;
    filled.reserve(m_args.size());
    for (const Text &argument : m_args)
        filled.push_back(argument.toString());
    return FillPattern(m_pattern, filled);
}

std::string FillPattern(std::string_view pattern, const std::vector<std::string> &args)
{
    std::string text;
    text.reserve(pattern.size());
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        const bool place = pattern[i] == '%' && i + 1 < pattern.size() && pattern[i + 1] >= '1' && pattern[i + 1] <= '9';
        const std::size_t index = place ? static_cast<std::size_t>(pattern[i + 1] - '1') : 0;
        if (place && index < args.size()) {
            text += args[index];
            ++i;
        } else {
            text += pattern[i];
        }
    }
    return text;
}

Text JoinTexts(const std::vector<Text> &texts, const Text &separator)
{
    if (texts.empty())
        return Text::Plain({});
    Text joined = texts.front();
    for (std::size_t i = 1; i < texts.size(); ++i)
        joined = Text(separator).arg(std::move(joined)).arg(texts[i]);
    return joined;
}

} // namespace tallyfin
