#pragma once
// The OpenGL extensions the viewport shader node draws with, initialised when the plug-in
// loads.
#include <iosfwd>
#include <string_view>

namespace vx {

inline constexpr std::string_view kGlExtensions[] = {"GL_ARB_multitexture",
                                                     "GL_NV_register_combiners"};

// Makes one extension's entry points available; false when it cannot.
bool initializeGlExtension(std::string_view name);

// Initialises each extension in order and writes "Failed to initialize <name>!" and an end of
// line to `err` for each that fails. Loading goes on either way.
void initializeGlExtensions(std::ostream& err);

} // namespace vx
