#include "Vornex/PluginRegistration.h"

#include "ShaderNode/rscMeshShader.h"
#include "Vornex/GlExtensions.h"
#include "Vornex/VornexCmd.h"
#include "Vornex/VornexTranslator.h"

#define MNoVersionString // the entry points' file exports the API version
#include <maya/MFnPlugin.h>
#include <maya/MGlobal.h>

#include <iostream>

namespace vx {
namespace {

// Lists a newly registered shader in the host's create-render-node window when it is open.
void refreshRenderNodeWindow() {
    MGlobal::executeCommand(MString("if( `window -exists createRenderNodeWindow` )  "
                                    "{refreshCreateRenderNodeWindow(\"") +
                                kShaderClassification + "\");}\n",
                            false, false);
}

} // namespace

MStatus registerVornex(const MObject& pluginObject) {
    initializeGlExtensions(std::cerr);
    MFnPlugin plugin(pluginObject, "Zephcorp", "4.0", "Any");
    const MString classification(kShaderClassification);
    MStatus status =
        plugin.registerNode(rscMeshShader::kTypeName, rscMeshShader::id, &rscMeshShader::creator,
                            &rscMeshShader::initialize, MPxNode::kHwShaderNode, &classification);
    if (!status)
        return status;
    status =
        plugin.registerFileTranslator(kTranslatorName, nullptr, &VornexTranslator::creator,
                                      kTranslatorOptionsScript, kTranslatorDefaultOptions, false);
    if (!status)
        return status;
    status = plugin.registerCommand(kCommandName, &VornexCmd::creator);
    refreshRenderNodeWindow();
    return status;
}

MStatus deregisterVornex(const MObject& pluginObject) {
    MFnPlugin plugin(pluginObject, "Unknown", "Unknown", "Any");
    MStatus status = plugin.deregisterNode(rscMeshShader::id);
    if (!status)
        return status;
    status = plugin.deregisterFileTranslator(kTranslatorName);
    if (!status)
        return status;
    status = plugin.deregisterCommand(kCommandName);
    refreshRenderNodeWindow();
    return status;
}

} // namespace vx
