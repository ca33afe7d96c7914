#pragma once
// Host API stand-in: base class of node types that plug-ins register.
#include <maya/MObject.h>
#include <maya/MStatus.h>
#include <maya/MTypeId.h>

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
    MObject thisMObject() const { return m_thisObject; }

    // Adds a static attribute to the node type being registered (from its initializer).
    static MStatus addAttribute(const MObject& attribute);
    static MStatus attributeAffects(const MObject& whenChanges, const MObject& isAffected);

private:
    friend class MFnPlugin;
    MObject m_thisObject;
};
