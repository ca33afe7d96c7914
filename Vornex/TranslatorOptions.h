#pragma once
// The `VornexFtr` translator's option string and the file names it derives.
#include "Vornex/ParseFlags.h"

#include <maya/MString.h>

namespace vx {

// "includeImages=1;zaxisPositive=0;righthandedSystem=1;" -> flags. Only a value of exactly
// "1" sets a bit; names are case-sensitive; anything else is ignored.
ParseFlags parseTranslatorOptions(const MString& options);

// The export's error list file beside the output: out/tank.bundledMesh -> out/tank.log.
// Either '/' or '\' separates; a path without a directory gives just the base name.
MString errorListPath(const MString& outputPath);

// Whether a file name is the translator's own kind: "*.sgf" (longer than 4 characters),
// "*.bundledMesh" or "*.skinnedMesh" (names longer than 12 characters); case-insensitive.
bool isTranslatorFileName(const MString& name);

} // namespace vx
