#!/usr/bin/env bash
# Refreshes the translations from the sources: every tr() of the windows and
# the platform, every text of the Designer forms, and every text the engine
# marks with TALLYFIN_TR_NOOP or TALLYFIN_TEXT (read as QT_TRANSLATE_NOOP).
# New texts arrive unfinished; texts gone from the sources are dropped.
#   translations/update.sh            refresh tallyfin_en.ts and tallyfin_zh_TW.ts
# Then translate the unfinished entries (Qt Linguist, or any editor) until
# lupdate reports none; the build compiles the .ts files with lrelease.
set -euo pipefail
cd "$(dirname "$(readlink -f "$0")")/.."
lupdate=$(command -v lupdate || echo /usr/lib/qt6/bin/lupdate)
"$lupdate" -no-obsolete -locations none -no-ui-lines \
    -tr-function-alias QT_TRANSLATE_NOOP+=TALLYFIN_TR_NOOP,QT_TRANSLATE_NOOP+=TALLYFIN_TEXT \
    -extensions cpp,h,ui \
    app core platform resources statement store ui \
    -ts translations/tallyfin_en.ts translations/tallyfin_zh_TW.ts
