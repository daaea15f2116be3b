#pragma once

// Qt key codes to Windows virtual-key codes.
namespace plat {

// The virtual-key code of a Qt key (Qt::Key), or 0 when it has none.
// keypad selects the numeric-pad codes for digits and operators.
int virtualKeyOf(int qtKey, bool keypad = false);

} // namespace plat
