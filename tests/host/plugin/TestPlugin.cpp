// A plug-in built like the real one, for the host's plug-in tests: it registers the command
// and translator names the host program looks for, and a node type.
#include <maya/MArgList.h>
#include <maya/MFnNumericAttribute.h>
#include <maya/MFnPlugin.h>
#include <maya/MGlobal.h>
#include <maya/MPxCommand.h>
#include <maya/MPxFileTranslator.h>
#include <maya/MPxNode.h>
#include <maya/MStringArray.h>

#include <cstdio>

namespace {

// Echoes its arguments as its result; "fail" as the first argument makes it fail.
class EchoCommand : public MPxCommand {
public:
    MStatus doIt(const MArgList& args) override {
        MString joined = "echo";
        for (unsigned i = 0; i < args.length(); ++i)
            joined += ":" + args.asString(i);
        if (args.length() > 0 && args.asString(0) == "fail")
            return MStatus::kFailure;
        MStringArray transforms;
        MGlobal::executeCommand("ls -type joint", transforms);
        joined += "|" + MString(std::to_string(transforms.length()));
        setResult(joined);
        return MStatus::kSuccess;
    }
    static void* creator() { return new EchoCommand; }
};

// Writes the options and access mode it was called with, and the selection size.
class RecordingTranslator : public MPxFileTranslator {
public:
    MStatus writer(const MFileObject& file, const MString& options, FileAccessMode mode) override {
        if (file.name() == "refuse.out")
            return MStatus::kFailure;
        std::FILE* out = std::fopen(file.fullName().asChar(), "w");
        if (!out)
            return MStatus::kFailure;
        MStringArray selected;
        MGlobal::executeCommand("ls -sl", selected);
        std::fprintf(out, "%s\n%d\n%u\n", options.asChar(), static_cast<int>(mode),
                     selected.length());
        std::fclose(out);
        return MStatus::kSuccess;
    }
    bool haveWriteMethod() const override { return true; }
    MString defaultExtension() const override { return "out"; }
    static void* creator() { return new RecordingTranslator; }
};

class LevelNode : public MPxNode {
public:
    static void* creator() { return new LevelNode; }
    static MStatus initialize() {
        MFnNumericAttribute numeric;
        MObject level = numeric.create("level", "lv", MFnNumericData::kFloat, 2.5);
        return addAttribute(level);
    }
};

} // namespace

PLUGIN_EXPORT MStatus initializePlugin(MObject obj) {
    MFnPlugin plugin(obj, "Vornex tests", "1.0", "Any");
    MStatus status = plugin.registerNode("vxLevelNode", 0x7f0001, LevelNode::creator,
                                         LevelNode::initialize, MPxNode::kDependNode);
    if (!status)
        return status;
    status = plugin.registerFileTranslator("VornexFtr", nullptr, RecordingTranslator::creator,
                                           "vornexOptions", "includeImages=0;", false);
    if (!status)
        return status;
    status = plugin.registerCommand("Vornex", EchoCommand::creator);
    MGlobal::executeCommand("if( `window -exists createRenderNodeWindow` )  "
                            "{refreshCreateRenderNodeWindow(\"shader/surface/utility\");}\n");
    return status;
}

PLUGIN_EXPORT MStatus uninitializePlugin(MObject obj) {
    MFnPlugin plugin(obj, "Unknown", "Unknown", "Any");
    MStatus status = plugin.deregisterNode(0x7f0001);
    if (status)
        status = plugin.deregisterFileTranslator("VornexFtr");
    if (status)
        status = plugin.deregisterCommand("Vornex");
    MGlobal::displayInfo("test plug-in unloaded");
    return status;
}
