#pragma once

#include <QString>

namespace tallyfin {

// Every web address the program opens, in one table (links.cpp).
enum class Link {
    Blog,             // "我的博客", also the About window's icon: the page about Tallyfin
    ShanghaiExchange, // "上证所"
    ShenzhenExchange, // "深交所"
    Ndrc,             // "发改委"
    Csrc,             // "证监会"
    StockSites,       // "股票网址大全": a list of useful stock-market addresses
};

// The address to open for a link: a web address, or for the pages that ship
// with the program a file:// address of the installed copy, in the language
// shown when it ships in it.
QString linkAddress(Link link);

// Where the program looks for its bundled pages: share/tallyfin/pages beside
// the directory of the executable (the installed layout, and the build tree).
QString bundledPagesDirectory();

} // namespace tallyfin
