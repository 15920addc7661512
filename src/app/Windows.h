// Every secondary window of the program, one row each, in start order. The
// rows live here, where the window classes are known; the main window sees
// only their shape (main/WindowRegistry.h).
#pragma once

#include <span>

#include "main/WindowRegistry.h"

namespace tevrane {

std::span<const WindowRow> windowRows();

}  // namespace tevrane
