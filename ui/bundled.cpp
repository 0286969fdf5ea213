#include "bundled.h"

#include <QFile>

#include "language.h"

// Q_INIT_RESOURCE declares a function of the global namespace.
static void registerProgramResources() { Q_INIT_RESOURCE(tallyfin); }

namespace tallyfin {

QString bundledPath(const QString &fileName)
{
    static const bool registered = (registerProgramResources(), true);
    Q_UNUSED(registered);
    return QStringLiteral(":/tallyfin/") + fileName;
}

QString bundledText(const QString &fileName)
{
    QFile file(bundledPath(languageFileName(fileName)));
    if (!file.exists())
        file.setFileName(bundledPath(fileName));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QString text = QString::fromUtf8(file.readAll());
    while (text.endsWith(QLatin1Char('\n')))
        text.chop(1);
    return text;
}

} // namespace tallyfin
