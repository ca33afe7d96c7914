#pragma once
#include <string>

namespace vx::info {

// The whole file at `path`; false with the reason in `error` when it cannot be read.
bool readFileBytes(const std::string& path, std::string& bytes, std::string& error);

} // namespace vx::info
