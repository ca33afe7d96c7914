#include "Vornex/VornexCmd.h"

#include "Shared/Base/Log.h"
#include "Shared/Base/Streams/FileOutStream.h"
#include "Vornex/CommandArguments.h"
#include "Vornex/Reader/SceneReader.h"
#include "Vornex/VornexException.h"

#include <maya/MArgList.h>
#include <maya/MFileIO.h>
#include <maya/MGlobal.h>

#include <cstdio>

namespace vx {
namespace {

// Writes the scene graph file; a file that could not be written whole is removed, so that
// nothing half-written is left looking complete. Asserts when the file cannot be created.
bool writeSceneGraphFile(Scene& scene, const std::string& path) {
    FileOutStream out(path.c_str());
    const bool written = scene.write(out);
    if (out.close() && written)
        return true;
    std::remove(path.c_str());
    VX_ERROR << "The scene graph file " << path << " could not be written whole and was removed";
    return false;
}

} // namespace

void* VornexCmd::creator() {
    return new VornexCmd;
}

MStatus VornexCmd::doIt(const MArgList& args) {
    MStringArray arguments;
    for (unsigned i = 0; i < args.length(); ++i)
        arguments.append(args.asString(i));
    CommandSettings settings;
    if (!decideCommandSettings(arguments, MFileIO::currentFile(), settings))
        return MStatus::kFailure;
    try {
        SceneReader reader;
        const unsigned warnings = reader.parseActiveMayaScene(
            settings.selectionOnly, settings.flags, [](const std::string&) {});
        if (!writeSceneGraphFile(reader.scene(), settings.outputFile.str()))
            return MStatus::kFailure;
        if (warnings != 0)
            MGlobal::displayInfo(MString("Parse (un)successful with ") +
                                 MString(std::to_string(warnings)) + " warning(s)\r\n");
        else
            MGlobal::displayInfo("Parse successful");
        return MStatus::kSuccess;
    } catch (const VornexException& e) {
        MGlobal::displayWarning(e.what());
        return MStatus::kFailure;
    } catch (const AssertionFailed&) {
        // The broken invariant has been reported; the read stops here, the host goes on.
        return MStatus::kFailure;
    }
}

} // namespace vx
