#include "Unit4.h"

namespace tallyfin {

WindowGlobal<TForm4> Form4;

} // namespace tallyfin
