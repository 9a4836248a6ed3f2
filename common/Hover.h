#pragma once

#include "platform/Controls.h"

#include <initializer_list>

namespace common {

// Hover feedback of buttons: each lights up while the pointer is over it, and the window (or a
// control beside them) puts them all back to rest.
void lightUnderPointer(std::initializer_list<platform::CommandButton*> buttons);
void restButtons(std::initializer_list<platform::CommandButton*> buttons);

} // namespace common
