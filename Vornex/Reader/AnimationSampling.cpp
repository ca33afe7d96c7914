#include "Shared/Base/TextCase.h"
#include "Shared/Graphics/Scene/UtilJointNode.h"
#include "Shared/Graphics/Scene/UtilTransformNode.h"
#include "Vornex/Reader/SceneReader.h"
#include "Vornex/VornexException.h"

#include <maya/MAnimControl.h>
#include <maya/MFnAttribute.h>
#include <maya/MFnIkJoint.h>
#include <maya/MFnNumericAttribute.h>
#include <maya/MTime.h>

namespace vx {
namespace {

constexpr const char* kAnimExport = "anim_export";

// The node's boolean "anim_export" attribute (its name in any case), or a null object.
MObject findAnimExportAttribute(const MFnDependencyNode& fn) {
    const unsigned count = fn.attributeCount();
    for (unsigned i = 0; i < count; ++i) {
        const MObject attribute = fn.attribute(i);
        if (!attribute.hasFn(MFn::kNumericAttribute) ||
            MFnNumericAttribute(attribute).unitType() != MFnNumericData::kBoolean)
            continue;
        if (equalsIgnoringCase(MFnAttribute(attribute).name().str(), kAnimExport))
            return attribute;
    }
    return MObject();
}

// The flag's value; when the host cannot give it, the attribute's default.
bool readAnimExport(const MFnDependencyNode& fn, const MObject& attribute) {
    bool value = false;
    if (fn.findPlug(attribute).getValue(value))
        return value;
    double fallback = 0.0;
    MFnNumericAttribute(attribute).getDefault(fallback);
    return fallback != 0.0;
}

NamedValueHolder* holderOf(SceneNode& node) {
    return dynamic_cast<NamedValueHolder*>(&node);
}

Quaternion toQuaternion(const MQuaternion& q) {
    return {static_cast<float>(q.x), static_cast<float>(q.y), static_cast<float>(q.z),
            static_cast<float>(q.w)};
}

} // namespace

void SceneReader::sampleAnimation() {
    // Only nodes carrying the flag are sampled; its presence, not its value, decides.
    std::vector<AnimatedNode> sampled;
    for (const AnimatedNode& animated : m_animatedNodes) {
        const MFnDependencyNode fn(animated.path.node());
        const MObject attribute = findAnimExportAttribute(fn);
        NamedValueHolder* holder = holderOf(*animated.node);
        if (attribute.isNull() || !holder)
            continue;
        holder->setBool(kAnimExport, readAnimExport(fn, attribute));
        sampled.push_back(animated);
    }

    // Every frame of the playback range, also when nothing is sampled; the host's current
    // time is left at the last frame visited.
    MTime time = MAnimControl::minTime();
    const MTime end = MAnimControl::maxTime();
    for (unsigned frame = 0; time <= end; ++frame) {
        MAnimControl::setCurrentTime(time);
        for (const AnimatedNode& animated : sampled)
            sampleKey(animated, static_cast<float>(frame));
        const MTime previous = time;
        time += 1.0;
        if (!(previous < time))
            break; // a range so far out that one frame no longer moves the time
    }
    m_animatedNodes.clear();
}

void SceneReader::sampleKey(const AnimatedNode& animated, float time) {
    const MDagPath& path = animated.path;
    MStatus status;
    const MFnTransform transform(path, &status);
    if (!status)
        throw VornexException("failed to get transform for joint or transformNode", __LINE__,
                              status);
    MQuaternion rotation;
    MVector translation;
    const MFnIkJoint joint(path, &status);
    if (status) {
        // A camera rig's bone under a plain transform is taken in world space.
        MDagPath parent = path;
        parent.pop();
        const bool world = parent.apiType() == MFn::kTransform &&
                           path.partialPathName().str().find("Camerabone") != std::string::npos;
        const MSpace::Space space = world ? MSpace::kWorld : MSpace::kTransform;
        translation = joint.translation(space);
        MQuaternion scaleOrientation;
        MQuaternion jointRotation;
        MQuaternion orientation;
        joint.getScaleOrientation(scaleOrientation);
        joint.getRotation(jointRotation, space);
        joint.getOrientation(orientation);
        rotation = scaleOrientation * jointRotation * orientation;
    } else {
        const MMatrix world = path.inclusiveMatrix();
        rotation = world;
        translation = MTransformationMatrix(world).translation(MSpace::kWorld);
    }
    rotation = convertRotation(rotation);
    const Vector3 position =
        convertPoint({static_cast<float>(translation.x), static_cast<float>(translation.y),
                      static_cast<float>(translation.z)});
    if (auto* jointNode = dynamic_cast<UtilJointNode*>(animated.node))
        jointNode->addKey(time, toQuaternion(rotation), position);
    else if (auto* transformNode = dynamic_cast<UtilTransformNode*>(animated.node))
        transformNode->addKey(time, toQuaternion(rotation), position);
}

} // namespace vx
