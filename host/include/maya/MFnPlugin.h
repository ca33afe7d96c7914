#pragma once
// Host API stand-in: what a plug-in registers with the host. Including this header in one
// source file of a plug-in exports the API version the plug-in was built against.
#include <maya/MFnBase.h>
#include <maya/MPxNode.h>
#include <maya/MString.h>
#include <maya/MTypeId.h>
#include <maya/MTypes.h>

class MSyntax;

using MCreatorFunction = void* (*)();
using MInitializeFunction = MStatus (*)();
using MCreateSyntaxFunction = MSyntax (*)();

class MFnPlugin : public MFnBase {
public:
    MFnPlugin() = default;
    MFnPlugin(const MObject& object, const char* vendor = "Unknown",
              const char* version = "Unknown", const char* requiredApiVersion = "Any",
              MStatus* status = nullptr);

    MFn::Type type() const override { return MFn::kBase; }

    MString vendor(MStatus* status = nullptr) const;
    MString version(MStatus* status = nullptr) const;
    MString apiVersion(MStatus* status = nullptr) const;
    MString name(MStatus* status = nullptr) const;
    MString loadPath(MStatus* status = nullptr) const;

    MStatus registerCommand(const MString& commandName, MCreatorFunction creatorFunction,
                            MCreateSyntaxFunction createSyntaxFunction = nullptr);
    MStatus deregisterCommand(const MString& commandName);
    MStatus registerFileTranslator(const MString& translatorName, const char* pixmapName,
                                   MCreatorFunction creatorFunction,
                                   const char* optionsScriptName = nullptr,
                                   const char* defaultOptionsString = nullptr,
                                   bool requiresFullMel = false);
    MStatus deregisterFileTranslator(const MString& translatorName);
    MStatus registerNode(const MString& typeName, const MTypeId& typeId,
                         MCreatorFunction creatorFunction, MInitializeFunction initFunction,
                         MPxNode::Type type = MPxNode::kDependNode,
                         const MString* classification = nullptr);
    MStatus deregisterNode(const MTypeId& typeId);

private:
    std::string m_vendor;
    std::string m_version;
    std::string m_apiVersion;
};

#ifndef MNoVersionString
PLUGIN_EXPORT int MApiVersion = MAYA_API_VERSION;
#endif
