#include "Shared/Graphics/Scene/BaseSpline.h"
#include "Shared/Graphics/Scene/OwnedNode.h"
#include "Shared/Graphics/Scene/UtilBaseSplineNode.h"
#include "Shared/Graphics/Scene/UtilJointNode.h"
#include "Shared/Graphics/Scene/UtilLocatorNode.h"
#include "Shared/Graphics/Scene/UtilTransformNode.h"
#include "Vornex/Reader/ReaderReports.h"
#include "Vornex/Reader/SceneReader.h"
#include "Vornex/VornexException.h"

#include <maya/MFnCamera.h>
#include <maya/MFnNurbsCurve.h>
#include <maya/MFnTransform.h>
#include <maya/MPlug.h>

namespace vx {
namespace {

std::string nodeName(const MObject& node) {
    return MFnDependencyNode(node).name().str();
}

Vector3 toVector3(double x, double y, double z) {
    return {static_cast<float>(x), static_cast<float>(y), static_cast<float>(z)};
}

Vector3 rowOf(const MMatrix& m, unsigned row) {
    return toVector3(m[row][0], m[row][1], m[row][2]);
}

} // namespace

// ---- Transforms

void SceneReader::readTransform(const MDagPath& path, SceneNode& node) {
    const MObject object = path.node();
    VX_READER_ASSERT(object.hasFn(MFn::kTransform), "dagPath.node().hasFn(MFn::kTransform)",
                     static_cast<int>(object.apiType()));
    auto* transform = dynamic_cast<UtilTransformNode*>(&node);
    VX_ASSERT(transform);
    MStatus status;
    const MFnTransform fn(path, &status);
    if (!status)
        throw VornexException("Failed to attach transform functionset to: " +
                                  path.fullPathName().str(),
                              __LINE__, status);
    const MMatrix local = convertMatrix(fn.transformation().asMatrix());
    const MPoint scalePivot = fn.scalePivot(MSpace::kPreTransform);
    const MVector rotatePivotTranslation = fn.rotatePivotTranslation(MSpace::kPreTransform);
    for (unsigned row = 0; row < Matrix::C; ++row)
        transform->m_matrix.rows[row] = rowOf(local, row);
    transform->m_matrix.translation = rowOf(local, 3);
    transform->m_rotatePivotTranslation = convertPoint(
        toVector3(rotatePivotTranslation.x, rotatePivotTranslation.y, rotatePivotTranslation.z));
    transform->m_scalePivot = convertPoint(toVector3(scalePivot.x, scalePivot.y, scalePivot.z));

    const std::string name = fn.name().str();
    transform->setName(name);
    copyExtraAttributes(object, *transform);
    m_animatedNodes.push_back({transform, path});
    VX_READER_INFO(*this, "Parsing transformation <" + name + ">");
}

// ---- Joints and cameras

void SceneReader::fillJoint(const MDagPath& path, SceneNode& node) {
    const std::string name = nodeName(path.node());
    node.setName(name);
    m_animatedNodes.push_back({&node, path});
    VX_READER_INFO(*this, "Parsing IKJoint <" + name + ">");
}

void SceneReader::fillCamera(const MDagPath& path, SceneNode& node) {
    const MFnCamera camera(path);
    const std::string name = camera.name().str();
    node.setName(name);
    VX_READER_INFO(*this, "Parsing Camera <" + name + ">");
}

void SceneReader::readJointOrCamera(const MDagPath& path, SceneNode* fill, bool camera) {
    if (!fill) {
        // The leaf form: once per host node, under the node its parent path ends in.
        const NodeKey key = keyOf(path.node());
        if (recordedNodes(key))
            return;
        MDagPath parent = path;
        parent.pop();
        SceneNode* endNode = nullptr;
        attachToHierarchy(parent, endNode);
        VX_READER_ASSERT(endNode, "endNode", "");
        const auto joint = makeNode<UtilJointNode>();
        endNode->addChild(joint.get());
        recordNode(key, joint.get());
        readJointOrCamera(path, joint.get(), camera);
        return;
    }
    if (camera)
        fillCamera(path, *fill);
    else
        fillJoint(path, *fill);
}

void SceneReader::readJoint(const MDagPath& path, SceneNode* fill) {
    VX_READER_ASSERT(path.node().apiType() == MFn::kJoint,
                     "dagPath.node().apiType() == MFn::kJoint", "");
    readJointOrCamera(path, fill, false);
}

void SceneReader::readCamera(const MDagPath& path, SceneNode* fill) {
    VX_READER_ASSERT(path.node().apiType() == MFn::kCamera,
                     "dagPath.node().apiType() == MFn::kCamera", "");
    readJointOrCamera(path, fill, true);
}

// ---- Shapes: curves and locators

SceneNode* SceneReader::attachShapeParent(const MDagPath& shapePath) {
    MDagPath parent = shapePath;
    parent.pop();
    SceneNode* endNode = nullptr;
    const unsigned stopped = attachToHierarchy(parent, endNode);
    // The parent already had a node: a second shape under it, or an instance met again.
    if (parent.length() > 0 && stopped == parent.length())
        return nullptr;
    VX_READER_ASSERT(endNode, "endNode", "");
    return endNode;
}

std::shared_ptr<BaseSpline> SceneReader::readCurveShape(const MDagPath& path) {
    const MObject object = path.node();
    const NodeKey key = keyOf(object);
    if (const auto it = m_splines.find(key); it != m_splines.end())
        return it->second;
    const std::string name = nodeName(object);
    MStatus status;
    const MFnNurbsCurve curve(path, &status);
    if (!status)
        throw VornexException(
            std::string("Failed to attach nurbscurve function set to DAG path: ") +
                object.apiTypeStr() + ". Possible reason: Undefined spline <" + name + ">",
            __LINE__, status);
    VX_READER_INFO(*this, "Parsing base spline shape <" + name + ">");

    auto spline = std::make_shared<BaseSpline>();
    spline->m_name = name;
    const int cvCount = curve.numCVs();
    spline->m_controlPoints.reserve(cvCount > 0 ? static_cast<std::size_t>(cvCount) : 0);
    for (int i = 0; i < cvCount; ++i) {
        MPoint point;
        curve.getCV(i, point, MSpace::kObject);
        spline->m_controlPoints.push_back(convertPoint(toVector3(point.x, point.y, point.z)));
    }
    // One extra knot at each end, spaced like the first interval.
    const int knotCount = curve.numKnots();
    if (knotCount > 0) {
        const double first = curve.knot(0);
        const double step = knotCount > 1 ? curve.knot(1) - first : 0.0;
        spline->m_knots.reserve(static_cast<std::size_t>(knotCount) + 2);
        spline->m_knots.push_back(static_cast<float>(first - step));
        double last = first;
        for (int i = 0; i < knotCount; ++i) {
            last = curve.knot(static_cast<unsigned>(i));
            spline->m_knots.push_back(static_cast<float>(last));
        }
        spline->m_knots.push_back(static_cast<float>(last + step));
    }
    copyExtraAttributes(object, spline->m_namedValues);
    m_splines[key] = spline;
    return spline;
}

void SceneReader::readCurve(const MDagPath& path) {
    const MObject object = path.node();
    VX_READER_ASSERT(object.apiType() == MFn::kNurbsCurve,
                     "dagPath.node().apiType() == MFn::kNurbsCurve", "");
    SceneNode* endNode = attachShapeParent(path);
    if (!endNode)
        return;
    std::shared_ptr<BaseSpline> spline = readCurveShape(path);
    const std::string name = nodeName(object);
    VX_READER_INFO(*this, "Parsing base spline <" + name + "::" + object.apiTypeStr() + ">");
    const auto utilBaseSpline = makeNode<UtilBaseSplineNode>();
    VX_READER_ASSERT(utilBaseSpline && spline, "utilBaseSpline", "");
    recordNode(keyOf(object), utilBaseSpline.get());
    utilBaseSpline->setName(name);
    utilBaseSpline->setSpline(std::move(spline));
    endNode->addChild(utilBaseSpline.get());
}

void SceneReader::readLocator(const MDagPath& path) {
    const MObject object = path.node();
    VX_READER_ASSERT(object.apiType() == MFn::kLocator, "dagPath.node().apiType() == MFn::kLocator",
                     "");
    SceneNode* endNode = attachShapeParent(path);
    if (!endNode)
        return;
    const MFnDependencyNode fn(object);
    // A position the host cannot give reads as 0.
    double position[3] = {0.0, 0.0, 0.0};
    fn.findPlug("localPositionX").getValue(position[0]);
    fn.findPlug("localPositionY").getValue(position[1]);
    fn.findPlug("localPositionZ").getValue(position[2]);
    const std::string name = fn.name().str();
    VX_READER_INFO(*this, "Parsing locator <" + name + ">");
    const auto locator =
        makeNode<UtilLocatorNode>(convertPoint(toVector3(position[0], position[1], position[2])));
    recordNode(keyOf(object), locator.get());
    locator->setName(name);
    endNode->addChild(locator.get());
    copyExtraAttributes(object, *locator);
}

} // namespace vx
