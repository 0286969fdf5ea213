#pragma once

#include <QWidget>

#include <memory>
#include <vector>

namespace tallyfin {

// The program's eight windows in their order of creation, Form1 … Form8.
using Windows = std::vector<std::unique_ptr<QWidget>>;

// Creates every window once, in its fixed order, each global set as its
// window is made. Destroy them in reverse.
Windows createWindows();

} // namespace tallyfin
