#pragma once

#include "Unit1.h"
#include "Unit2.h"
#include "Unit3.h"
#include "Unit4.h"
#include "Unit5.h"
#include "Unit6.h"
#include "Unit7.h"
#include "Unit8.h"

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
