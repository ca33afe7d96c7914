#pragma once
// How the `Vornex` command reads its arguments: flag letters and the output file name.
#include "Vornex/ParseFlags.h"

#include <maya/MString.h>
#include <maya/MStringArray.h>

namespace vx {

// Reads one "-letters" argument. Letters: s (selection only), t, i, w, r, z (flags). An
// argument shorter than two characters or not starting with '-' fails silently; any other
// letter fails with "Unknown parser flag: -" and that letter in the script editor.
bool parseCommandFlags(const MString& argument, ParseFlags& flags, bool& selectionOnly);

struct CommandSettings {
    ParseFlags flags = 0;
    bool selectionOnly = false;
    MString outputFile;
};

// Decides flags and output name from the command's arguments; `currentFile` is the open
// scene's path, whose extension (from the last '.') gives way to ".bundledMesh" when no name
// is given (a name without '.' is used whole). False when a flag argument is refused.
bool decideCommandSettings(const MStringArray& arguments, const MString& currentFile,
                           CommandSettings& settings);

} // namespace vx
