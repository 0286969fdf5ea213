#include "Unit4.h"

namespace tallyfin {

TForm4 *Form4 = nullptr;

} // namespace tallyfin
