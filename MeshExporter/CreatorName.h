#pragma once
// Who wrote a script: the machine's network name and the logged-in user's name.
#include <string>

namespace vx {

// "computer:user", each part at most 31 characters (the scripts' readers expect no more);
// "unknown" for a part the operating system does not give.
std::string creatorName();

} // namespace vx
