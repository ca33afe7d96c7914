#include <vornexhost/Evaluator.h>
#include <vornexhost/Handles.h>
#include <vornexhost/Node.h>
#include <vornexhost/Status.h>

#include <maya/MFnIkJoint.h>
#include <maya/MFnTransform.h>

using vornexhost::Node;
using vornexhost::report;

MFnTransform::MFnTransform(const MObject& object, MStatus* status) {
    report(status, setObject(object));
}

MFnTransform::MFnTransform(const MDagPath& path, MStatus* status) {
    report(status, setObject(path));
}

double MFnTransform::now() const {
    return vornexhost::sceneTime();
}

namespace {

const Node* transformNode(const MObject& object, MStatus* status) {
    const Node* node = vornexhost::nodeOf(object);
    const bool ok = node && node->hasFn(MFn::kTransform);
    report(status, ok ? MStatus::kSuccess : MStatus::kInvalidParameter);
    return ok ? node : nullptr;
}

MVector vectorOf(const Node& node, const char* x, const char* y, const char* z, double time) {
    return {vornexhost::nodeNumber(node, x, time), vornexhost::nodeNumber(node, y, time),
            vornexhost::nodeNumber(node, z, time)};
}

// The world rotation of the parent of a path's last node, scale removed.
MQuaternion parentWorldRotation(const MDagPath& path) {
    MQuaternion q;
    q = path.exclusiveMatrix();
    return q;
}

} // namespace

MTransformationMatrix MFnTransform::transformation(MStatus* status) const {
    const Node* node = transformNode(m_object, status);
    return node ? vornexhost::transformationOf(*node, now()) : MTransformationMatrix();
}

MVector MFnTransform::translation(MSpace::Space space, MStatus* status) const {
    const Node* node = transformNode(m_object, status);
    if (!node)
        return MVector();
    if (space == MSpace::kWorld) {
        const MMatrix world = pathOrFirst().inclusiveMatrix();
        return {world[3][0], world[3][1], world[3][2]};
    }
    return vectorOf(*node, "tx", "ty", "tz", now());
}

MStatus MFnTransform::getRotation(MQuaternion& rotation, MSpace::Space space) const {
    MStatus status;
    const Node* node = transformNode(m_object, &status);
    if (!node)
        return status;
    const MEulerRotation euler(vornexhost::nodeNumber(*node, "rx", now()),
                               vornexhost::nodeNumber(*node, "ry", now()),
                               vornexhost::nodeNumber(*node, "rz", now()),
                               static_cast<MEulerRotation::RotationOrder>(rotationOrder() - 1));
    rotation = euler.asQuaternion();
    if (space == MSpace::kWorld) {
        // The rotation in world space: the local rotation followed by the parent's.
        rotation = rotation * parentWorldRotation(pathOrFirst());
    }
    return MStatus::kSuccess;
}

MStatus MFnTransform::getRotation(MEulerRotation& rotation) const {
    MStatus status;
    const Node* node = transformNode(m_object, &status);
    if (!node)
        return status;
    rotation = MEulerRotation(vornexhost::nodeNumber(*node, "rx", now()),
                              vornexhost::nodeNumber(*node, "ry", now()),
                              vornexhost::nodeNumber(*node, "rz", now()),
                              static_cast<MEulerRotation::RotationOrder>(rotationOrder() - 1));
    return MStatus::kSuccess;
}

MTransformationMatrix::RotationOrder MFnTransform::rotationOrder(MStatus* status) const {
    const Node* node = transformNode(m_object, status);
    if (!node)
        return MTransformationMatrix::kInvalid;
    const int order = vornexhost::numeric::toInt(vornexhost::nodeNumber(*node, "ro", now()));
    if (order < 0 || order > 5)
        return MTransformationMatrix::kXYZ;
    return static_cast<MTransformationMatrix::RotationOrder>(order + 1);
}

MStatus MFnTransform::getScale(double scale[3]) const {
    MStatus status;
    const Node* node = transformNode(m_object, &status);
    if (!node)
        return status;
    const MVector s = vectorOf(*node, "sx", "sy", "sz", now());
    scale[0] = s.x;
    scale[1] = s.y;
    scale[2] = s.z;
    return MStatus::kSuccess;
}

MStatus MFnTransform::getShear(double shear[3]) const {
    MStatus status;
    const Node* node = transformNode(m_object, &status);
    if (!node)
        return status;
    const MVector s = vectorOf(*node, "shxy", "shxz", "shyz", now());
    shear[0] = s.x;
    shear[1] = s.y;
    shear[2] = s.z;
    return MStatus::kSuccess;
}

MPoint MFnTransform::scalePivot(MSpace::Space, MStatus* status) const {
    const Node* node = transformNode(m_object, status);
    return node ? MPoint(vectorOf(*node, "spx", "spy", "spz", now())) : MPoint();
}

MPoint MFnTransform::rotatePivot(MSpace::Space, MStatus* status) const {
    const Node* node = transformNode(m_object, status);
    return node ? MPoint(vectorOf(*node, "rpx", "rpy", "rpz", now())) : MPoint();
}

MVector MFnTransform::scalePivotTranslation(MSpace::Space, MStatus* status) const {
    const Node* node = transformNode(m_object, status);
    return node ? vectorOf(*node, "sptx", "spty", "sptz", now()) : MVector();
}

MVector MFnTransform::rotatePivotTranslation(MSpace::Space, MStatus* status) const {
    const Node* node = transformNode(m_object, status);
    return node ? vectorOf(*node, "rptx", "rpty", "rptz", now()) : MVector();
}

MQuaternion MFnTransform::rotateOrientation(MSpace::Space, MStatus* status) const {
    const Node* node = transformNode(m_object, status);
    if (!node)
        return MQuaternion();
    const MVector ra = vectorOf(*node, "rax", "ray", "raz", now());
    return MEulerRotation(ra.x, ra.y, ra.z).asQuaternion();
}

MFnIkJoint::MFnIkJoint(const MObject& object, MStatus* status) {
    report(status, setObject(object));
}

MFnIkJoint::MFnIkJoint(const MDagPath& path, MStatus* status) {
    report(status, setObject(path));
}

MStatus MFnIkJoint::getOrientation(MQuaternion& orientation) const {
    MEulerRotation e;
    const MStatus s = getOrientation(e);
    if (s)
        orientation = e.asQuaternion();
    return s;
}

MStatus MFnIkJoint::getOrientation(MEulerRotation& orientation) const {
    MStatus status;
    const Node* node = transformNode(m_object, &status);
    if (!node)
        return status;
    const MVector jo = vectorOf(*node, "jox", "joy", "joz", now());
    orientation = MEulerRotation(jo.x, jo.y, jo.z);
    return MStatus::kSuccess;
}

MStatus MFnIkJoint::getScaleOrientation(MQuaternion& orientation) const {
    MStatus status;
    orientation = rotateOrientation(MSpace::kTransform, &status);
    return status;
}

MStatus MFnIkJoint::getSegmentScale(double scale[3]) const {
    return getScale(scale);
}
