#include "links.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QUrl>

#include "language.h"

namespace tallyfin {

namespace {

struct LinkEntry {
    Link link;
    const char *address; // a web address, or the file name of a bundled page
    bool bundled;
};

// The program's own pages ship with it, so they work offline and never go
// stale; the exchanges and regulators are linked at their official homes.
constexpr LinkEntry kLinks[] = {
    {Link::Blog, "tallyfin.html", true},
    {Link::ShanghaiExchange, "https://www.sse.com.cn/", false},
    {Link::ShenzhenExchange, "https://www.szse.cn/", false},
    {Link::Ndrc, "https://www.ndrc.gov.cn/", false},
    {Link::Csrc, "http://www.csrc.gov.cn/", false},
    {Link::StockSites, "stock-sites.html", true},
};

} // namespace

QString bundledPagesDirectory()
{
    return QDir::cleanPath(QCoreApplication::applicationDirPath() + QStringLiteral("/../share/tallyfin/pages"));
}

QString linkAddress(Link link)
{
    for (const LinkEntry &entry : kLinks) {
        if (entry.link != link)
            continue;
        const QString address = QString::fromUtf8(entry.address);
        if (!entry.bundled)
            return address;
        // The page in the language shown, when it ships.
        const QString translated = bundledPagesDirectory() + QLatin1Char('/') + languageFileName(address);
        const QString page = QFileInfo::exists(translated) ? translated
                                                           : bundledPagesDirectory() + QLatin1Char('/') + address;
        return QUrl::fromLocalFile(page).toString();
    }
    return {};
}

} // namespace tallyfin
