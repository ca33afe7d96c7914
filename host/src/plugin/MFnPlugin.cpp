// The host defines no API version of its own: that is what plug-ins export.
#define MNoVersionString
#include <vornexhost/AttributeFactory.h>
#include <vornexhost/Handles.h>
#include <vornexhost/NodeType.h>
#include <vornexhost/PluginRegistry.h>
#include <vornexhost/Scene.h>
#include <vornexhost/Status.h>

#include <maya/MFnPlugin.h>
#include <maya/MGlobal.h>

#include <algorithm>
#include <string>

using vornexhost::PluginRegistry;
using vornexhost::report;

namespace {

vornexhost::Plugin* pluginOf(const MObject& object) {
    return dynamic_cast<vornexhost::Plugin*>(object.impl().get());
}

// The node type whose initializer is running: MPxNode::addAttribute adds to it.
vornexhost::NodeType*& typeBeingInitialized() {
    static vornexhost::NodeType* type = nullptr;
    return type;
}

} // namespace

MFnPlugin::MFnPlugin(const MObject& object, const char* vendorName, const char* versionName,
                     const char* requiredApiVersion, MStatus* status)
    : m_vendor(vendorName ? vendorName : ""), m_version(versionName ? versionName : ""),
      m_apiVersion(requiredApiVersion ? requiredApiVersion : "") {
    vornexhost::Plugin* plugin = pluginOf(object);
    report(status, plugin ? MStatus::kSuccess : MStatus::kInvalidParameter);
    if (!plugin)
        return;
    m_object = object;
    plugin->vendor = m_vendor;
    plugin->version = m_version;
}

MString MFnPlugin::vendor(MStatus* status) const {
    report(status, MStatus::kSuccess);
    return MString(m_vendor);
}

MString MFnPlugin::version(MStatus* status) const {
    report(status, MStatus::kSuccess);
    return MString(m_version);
}

MString MFnPlugin::apiVersion(MStatus* status) const {
    report(status, MStatus::kSuccess);
    return MString(m_apiVersion);
}

MString MFnPlugin::name(MStatus* status) const {
    const vornexhost::Plugin* plugin = pluginOf(m_object);
    report(status, plugin ? MStatus::kSuccess : MStatus::kFailure);
    return plugin ? MString(plugin->name) : MString();
}

MString MFnPlugin::loadPath(MStatus* status) const {
    const vornexhost::Plugin* plugin = pluginOf(m_object);
    report(status, plugin ? MStatus::kSuccess : MStatus::kFailure);
    if (!plugin)
        return MString();
    const auto slash = plugin->path.find_last_of('/');
    return MString(slash == std::string::npos ? std::string(".") : plugin->path.substr(0, slash));
}

MStatus MFnPlugin::registerCommand(const MString& commandName, MCreatorFunction creator,
                                   MCreateSyntaxFunction) {
    auto& commands = PluginRegistry::instance().commands;
    if (!pluginOf(m_object) || !creator || commandName.isEmpty() ||
        commands.count(commandName.str()))
        return MStatus::kFailure;
    commands[commandName.str()] = {creator, pluginOf(m_object)};
    return MStatus::kSuccess;
}

MStatus MFnPlugin::deregisterCommand(const MString& commandName) {
    return PluginRegistry::instance().commands.erase(commandName.str()) ? MStatus::kSuccess
                                                                        : MStatus::kFailure;
}

MStatus MFnPlugin::registerFileTranslator(const MString& translatorName, const char*,
                                          MCreatorFunction creator, const char* optionsScript,
                                          const char* defaultOptions, bool) {
    auto& translators = PluginRegistry::instance().translators;
    if (!pluginOf(m_object) || !creator || translatorName.isEmpty() ||
        translators.count(translatorName.str()))
        return MStatus::kFailure;
    translators[translatorName.str()] = {creator, optionsScript ? optionsScript : "",
                                         defaultOptions ? defaultOptions : "", pluginOf(m_object)};
    return MStatus::kSuccess;
}

MStatus MFnPlugin::deregisterFileTranslator(const MString& translatorName) {
    return PluginRegistry::instance().translators.erase(translatorName.str()) ? MStatus::kSuccess
                                                                              : MStatus::kFailure;
}

MStatus MFnPlugin::registerNode(const MString& typeName, const MTypeId& typeId,
                                MCreatorFunction creator, MInitializeFunction initialize,
                                MPxNode::Type type, const MString* classification) {
    if (!pluginOf(m_object) || !creator || typeName.isEmpty())
        return MStatus::kFailure;
    const bool hwShader = type == MPxNode::kHwShaderNode;
    vornexhost::NodeType* nodeType = vornexhost::NodeTypeRegistry::instance().addPluginType(
        typeName.str(), typeId.id(), hwShader ? MFn::kPluginHwShaderNode : MFn::kPluginDependNode,
        "dependNode");
    if (!nodeType)
        return MStatus::kFailure;
    nodeType->pluginKind = static_cast<int>(type);
    nodeType->creator = creator;
    if (hwShader) {
        // What every hardware shader has from its base class: the outputs a shading engine's
        // surfaceShader is connected from.
        for (const char* name : {"outColor", "outTransparency"}) {
            auto out = vornexhost::makeVector(name, name == std::string("outColor") ? "oc" : "ot",
                                              vornexhost::numeric::kFloat,
                                              vornexhost::AttrUnit::None, {0, 0, 0}, "RGB");
            out->usedAsColor = true;
            nodeType->add(out);
        }
    }
    if (classification)
        nodeType->classification = classification->str();
    PluginRegistry::instance().nodeTypeIds.push_back(typeId.id());
    if (initialize) {
        typeBeingInitialized() = nodeType;
        const MStatus status = initialize();
        typeBeingInitialized() = nullptr;
        if (!status) {
            deregisterNode(typeId);
            return status;
        }
    }
    return MStatus::kSuccess;
}

MStatus MFnPlugin::deregisterNode(const MTypeId& typeId) {
    // The plug-in's objects of the scene's nodes of this type go while its code is loaded.
    for (const auto& node : vornexhost::activeScene().nodes())
        if (node->type().typeId == typeId.id() && node->type().pluginKind >= 0)
            node->userNode.reset();
    auto& ids = PluginRegistry::instance().nodeTypeIds;
    ids.erase(std::remove(ids.begin(), ids.end(), typeId.id()), ids.end());
    return vornexhost::NodeTypeRegistry::instance().removePluginType(typeId.id())
               ? MStatus::kSuccess
               : MStatus::kFailure;
}

MStatus MPxNode::addAttribute(const MObject& attribute) {
    vornexhost::NodeType* type = typeBeingInitialized();
    vornexhost::Attribute* a = vornexhost::attributeOf(attribute);
    if (!type || !a || a->parent || type->find(a->longName))
        return MStatus::kFailure;
    type->add(std::static_pointer_cast<vornexhost::Attribute>(a->shared_from_this()));
    return MStatus::kSuccess;
}

MStatus MPxNode::attributeAffects(const MObject&, const MObject&) {
    return MStatus::kSuccess;
}
