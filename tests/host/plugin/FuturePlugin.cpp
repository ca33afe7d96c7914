// A plug-in that claims an API version newer than the host's: the host must refuse it.
#define MNoVersionString
#include <maya/MFnPlugin.h>

PLUGIN_EXPORT int MApiVersion = 20250000;

PLUGIN_EXPORT MStatus initializePlugin(MObject) {
    return MStatus::kSuccess;
}

PLUGIN_EXPORT MStatus uninitializePlugin(MObject) {
    return MStatus::kSuccess;
}
