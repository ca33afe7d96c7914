// The plug-in's entry points, as the host's plug-in contract names them. Including
// MFnPlugin.h here exports MApiVersion, the API version the plug-in was built against.
#include "Vornex/PluginRegistration.h"

#include <maya/MFnPlugin.h>

PLUGIN_EXPORT MStatus initializePlugin(MObject obj) {
    return vx::registerVornex(obj);
}

PLUGIN_EXPORT MStatus uninitializePlugin(MObject obj) {
    return vx::deregisterVornex(obj);
}
