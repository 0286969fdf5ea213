#include "windows.h"

#include "Unit1.h"
#include "Unit2.h"
#include "Unit3.h"
#include "Unit4.h"
#include "Unit5.h"
#include "Unit6.h"
#include "Unit7.h"
#include "Unit8.h"

namespace tallyfin {

namespace {

template <typename Form>
void create(Form *&global, Windows &windows)
{
    global = new Form;
    windows.emplace_back(global);
}

} // namespace

Windows createWindows()
{
    Windows windows;
    create(Form1, windows);
    create(Form2, windows);
    create(Form3, windows);
    create(Form4, windows);
    create(Form5, windows);
    create(Form6, windows);
    create(Form7, windows);
    create(Form8, windows);
    return windows;
}

} // namespace tallyfin
