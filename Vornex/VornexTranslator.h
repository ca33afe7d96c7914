#pragma once
// The `VornexFtr` file translator: the export dialog's way to export game assets. It reads the
// scene and hands it to the game asset exporter.
#include <maya/MPxFileTranslator.h>

namespace vx {

class VornexTranslator : public MPxFileTranslator {
public:
    static void* creator();

    // Nothing is read.
    MStatus reader(const MFileObject& file, const MString& optionsString,
                   FileAccessMode mode) override;
    // Logs to the output path + "_log.txt", reads the scene (only the selection in the
    // export-selection mode), exports it and writes the artist's error list beside the output
    // as "<base name>.log" when it has entries. Fails when the read or the export fails or
    // a file cannot be written.
    MStatus writer(const MFileObject& file, const MString& optionsString,
                   FileAccessMode mode) override;
    bool haveReadMethod() const override { return false; }
    bool haveWriteMethod() const override { return true; }
    MString defaultExtension() const override { return "bundledMesh"; }
    bool canBeOpened() const override { return false; }
    MFileKind identifyFile(const MFileObject& file, const char* buffer, short size) const override;
};

} // namespace vx
