#pragma once
// Host API stand-in: base class of node types that plug-ins register.
#include <maya/MObject.h>
#include <maya/MStatus.h>
#include <maya/MTypeId.h>

#include <memory>

namespace vornexhost {
class Object;
class Scene;
} // namespace vornexhost

class MPxNode {
public:
    enum Type {
        kDependNode = 0,
        kLocatorNode,
        kDeformerNode,
        kManipContainer,
        kSurfaceShape,
        kFieldNode,
        kEmitterNode,
        kSpringNode,
        kIkSolverNode,
        kHwShaderNode,
        kTransformNode,
        kObjectSet,
        kFluidEmitterNode,
        kImagePlaneNode,
        kParticleAttributeMapperNode,
        kLast
    };

    MPxNode() = default;
    virtual ~MPxNode() = default;
    MPxNode(const MPxNode&) = delete;
    MPxNode& operator=(const MPxNode&) = delete;

    virtual void postConstructor() {}
    // The node this object is the plug-in's part of (null once the node is gone).
    MObject thisMObject() const { return MObject(m_thisObject.lock()); }

    // Adds a static attribute to the node type being registered (from its initializer).
    static MStatus addAttribute(const MObject& attribute);
    static MStatus attributeAffects(const MObject& whenChanges, const MObject& isAffected);

private:
    // The scene creates plug-in nodes and introduces them to their node. The link is weak: the
    // node owns this object.
    friend class vornexhost::Scene;
    std::weak_ptr<vornexhost::Object> m_thisObject;
};
