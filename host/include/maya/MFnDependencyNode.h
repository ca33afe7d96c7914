#pragma once
// Host API stand-in: function set for any dependency-graph node.
#include <maya/MFnBase.h>
#include <maya/MPlug.h>
#include <maya/MString.h>
#include <maya/MTypeId.h>

class MPlugArray;

class MFnDependencyNode : public MFnBase {
public:
    MFnDependencyNode() = default;
    MFnDependencyNode(const MObject& object, MStatus* status = nullptr);

    MFn::Type type() const override { return MFn::kDependencyNode; }
    MStatus setObject(const MObject& object) override;

    MString name(MStatus* status = nullptr) const;
    MString typeName(MStatus* status = nullptr) const;
    MTypeId typeId(MStatus* status = nullptr) const;
    // The plug of an attribute by long or short name; also a path such as "wl[0].w".
    MPlug findPlug(const MString& attributeName, MStatus* status = nullptr) const;
    MPlug findPlug(const MObject& attribute, MStatus* status = nullptr) const;
    bool hasAttribute(const MString& name, MStatus* status = nullptr) const;
    MObject attribute(const MString& name, MStatus* status = nullptr) const;
    // All attributes, static then dynamic, children after their parents.
    unsigned int attributeCount(MStatus* status = nullptr) const;
    MObject attribute(unsigned int index, MStatus* status = nullptr) const;
    // Plugs of this node that take part in a connection.
    MStatus getConnections(MPlugArray& plugs) const;
    bool isFromReferencedFile(MStatus* status = nullptr) const;
    bool isShared(MStatus* status = nullptr) const;
};
