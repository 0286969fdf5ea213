#include "platform.h"

#include "qtplatform.h"

namespace tallyfin {

namespace {

Platform *g_current = nullptr;

} // namespace

Platform &platform()
{
    if (!g_current) {
        static QtPlatform desktop;
        g_current = &desktop;
    }
    return *g_current;
}

PlatformOverride::PlatformOverride(Platform &replacement) : m_previous(&platform())
{
    g_current = &replacement;
}

PlatformOverride::~PlatformOverride() { g_current = m_previous; }

QString decimalSeparatorFrom(const QString &localeDecimalPoint)
{
    // One user-visible character, which may take two UTF-16 units.
    const bool oneCharacter = localeDecimalPoint.size() == 1
                              || (localeDecimalPoint.size() == 2 && localeDecimalPoint.at(0).isHighSurrogate());
    return oneCharacter ? localeDecimalPoint : QStringLiteral(".");
}

} // namespace tallyfin
