#pragma once

namespace ui {

// The LED-style text display: its text drawn as seven-segment digits, lit green on black. Registered once at
// start; the control is made by a layout row of Kind::Led.
void RegisterLedClass();

}  // namespace ui
