#include "Unit3.h"

namespace tallyfin {

WindowGlobal<TForm3> Form3;

} // namespace tallyfin
