#pragma once
// Numbers in the artist's reports written the way the game's tools print them: six decimals.
#include <string>

namespace vx {

// `value` as printf's "%f" writes it.
std::string fixedText(double value);

} // namespace vx
