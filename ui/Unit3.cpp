#include "Unit3.h"

namespace tallyfin {

TForm3 *Form3 = nullptr;

} // namespace tallyfin
