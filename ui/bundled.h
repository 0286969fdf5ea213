#pragma once

#include <QString>

namespace tallyfin {

// The fixed texts that ship inside the program (resources/tallyfin.qrc),
// read as UTF-8 without a final line break, in the language shown (the
// translated file beside it, see languageFileName); empty when there is no
// such text.
//   bundledText("help.txt") -> "一、黄金分割法与看盘\n\n…"
QString bundledText(const QString &fileName);

// The resource path of a file compiled into the program, such as
// ":/tallyfin/help.txt". Registers the program's resources on first use:
// they live in a static library, whose registration the linker would
// otherwise drop.
QString bundledPath(const QString &fileName);

} // namespace tallyfin
