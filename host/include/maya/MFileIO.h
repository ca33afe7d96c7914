#pragma once
// Host API stand-in: opening scene files (Maya ASCII) and the current file's name.
#include <maya/MStatus.h>
#include <maya/MString.h>

class MFileIO {
public:
    // Loads a Maya ASCII scene in place of the current one. A malformed file fails with its
    // file, line and reason in the script editor and leaves an empty scene.
    static MStatus open(const MString& fileName, const char* type = nullptr, bool force = false);
    static MStatus newFile(bool force = false);
    static MString currentFile();
};
