#pragma once
// What the plug-in registers with the host when it loads, and takes down when it unloads.
#include <maya/MObject.h>
#include <maya/MStatus.h>

namespace vx {

inline constexpr const char* kCommandName = "Vornex";
inline constexpr const char* kTranslatorName = "VornexFtr";
inline constexpr const char* kTranslatorOptionsScript = "vornexOptions";
inline constexpr const char* kTranslatorDefaultOptions =
    "includeImages=0;zaxisPositive=0;righthandedSystem=0;";
inline constexpr const char* kShaderClassification = "shader/surface/utility";

// Initialises the OpenGL extensions, then registers the shader node, the translator and the
// command; each registration runs only when the one before it succeeded, and the last status
// is returned as the host gave it.
MStatus registerVornex(const MObject& plugin);
// Deregisters in the same order and returns the last status.
MStatus deregisterVornex(const MObject& plugin);

} // namespace vx
