#pragma once
#include <string_view>

namespace vx {

// The debugger's output channel. On Linux a message goes to standard error while a debugger
// (any tracer) is attached to the process, and nowhere otherwise, so a terminal run does not
// show every message twice. Tests and tools may install their own handler.
using DebugOutputHandler = void (*)(std::string_view text);

void debugOutput(std::string_view text);
// Replaces the handler and returns the previous one; nullptr restores the default.
DebugOutputHandler setDebugOutputHandler(DebugOutputHandler handler);

} // namespace vx
