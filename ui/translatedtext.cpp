#include "translatedtext.h"

#include <QCoreApplication>

#include <string>
#include <vector>

namespace tallyfin {

namespace {

std::string translatedUtf8(const Text &text)
{
    if (!text.context())
        return text.pattern();
    std::vector<std::string> args;
    args.reserve(text.args().size());
    for (const Text &argument : text.args())
        args.push_back(translatedUtf8(argument));
    const QString pattern = QCoreApplication::translate(text.context(), text.pattern().c_str());
    return FillPattern(pattern.toStdString(), args);
}

} // namespace

QString translated(const Text &text) { return QString::fromStdString(translatedUtf8(text)); }

QString translated(const char *context, std::string_view source)
{
    return QCoreApplication::translate(context, std::string(source).c_str());
}

} // namespace tallyfin
