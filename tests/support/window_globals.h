#pragma once

#include "mainwindow.h"
#include "goldensection.h"
#include "Unit3.h"
#include "Unit4.h"
#include "about.h"
#include "colorpicker.h"
#include "help.h"
#include "captureoverlay.h"

namespace tallyfin::testing {

// Forgets every window a test made, so that no later test reaches one that
// is gone through its global.
inline void forgetAllWindows()
{
    Form1 = nullptr;
    Form2 = nullptr;
    Form3 = nullptr;
    Form4 = nullptr;
    Form5 = nullptr;
    Form6 = nullptr;
    Form7 = nullptr;
    Form8 = nullptr;
}

} // namespace tallyfin::testing
