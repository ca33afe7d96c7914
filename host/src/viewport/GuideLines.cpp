#include <vornexhost/GuideLines.h>

#include <maya/MFnDagNode.h>
#include <maya/MFnDependencyNode.h>
#include <maya/MFnNurbsCurve.h>
#include <maya/MMatrix.h>
#include <maya/MPlug.h>
#include <maya/MPoint.h>
#include <maya/MPointArray.h>

namespace vornexhost {
namespace {

constexpr float kJointColor[3] = {0.45f, 0.75f, 1.0f};
constexpr float kCurveColor[3] = {0.9f, 0.9f, 0.6f};
constexpr float kLocatorColor[3] = {0.3f, 0.35f, 1.0f};
constexpr double kJointCross = 0.5; // half size of a joint's cross, scene units

void segment(GuideLines& out, const double a[3], const double b[3], const float color[3]) {
    for (const double* p : {a, b})
        for (int k = 0; k < 3; ++k) {
            out.points.push_back(static_cast<float>(p[k]));
            out.colors.push_back(color[k]);
        }
}

void positionOf(const MMatrix& m, double out[3]) {
    for (int k = 0; k < 3; ++k)
        out[k] = m.matrix[3][k];
}

void cross(GuideLines& out, const double centre[3], double half, const float color[3]) {
    for (int axis = 0; axis < 3; ++axis) {
        double a[3] = {centre[0], centre[1], centre[2]};
        double b[3] = {centre[0], centre[1], centre[2]};
        a[axis] -= half;
        b[axis] += half;
        segment(out, a, b, color);
    }
}

void addJoint(const MDagPath& path, GuideLines& out) {
    double here[3];
    positionOf(path.inclusiveMatrix(), here);
    cross(out, here, kJointCross, kJointColor);
    const MFnDagNode fn(path);
    for (unsigned i = 0; i < fn.childCount(); ++i) {
        const MObject child = fn.child(i);
        if (!child.hasFn(MFn::kJoint))
            continue;
        MDagPath childPath = path;
        childPath.push(child);
        double there[3];
        positionOf(childPath.inclusiveMatrix(), there);
        segment(out, here, there, kJointColor);
    }
}

void addCurve(const MDagPath& path, GuideLines& out) {
    const MFnNurbsCurve fn(path);
    MPointArray cvs;
    if (!fn.getCVs(cvs, MSpace::kWorld) || cvs.length() < 2)
        return;
    for (unsigned i = 0; i + 1 < cvs.length(); ++i) {
        const double a[3] = {cvs[i].x, cvs[i].y, cvs[i].z};
        const double b[3] = {cvs[i + 1].x, cvs[i + 1].y, cvs[i + 1].z};
        segment(out, a, b, kCurveColor);
    }
}

void addLocator(const MDagPath& path, GuideLines& out) {
    const MMatrix world = path.inclusiveMatrix();
    double centre[3];
    positionOf(world, centre);
    const MPlug scale = MFnDependencyNode(path.node()).findPlug("localScale");
    for (unsigned axis = 0; axis < 3; ++axis) {
        double length = 1.0;
        if (!scale.isNull() && scale.numChildren() == 3)
            scale.child(axis).getValue(length);
        double a[3];
        double b[3];
        for (int k = 0; k < 3; ++k) {
            a[k] = centre[k] - world.matrix[axis][k] * length;
            b[k] = centre[k] + world.matrix[axis][k] * length;
        }
        segment(out, a, b, kLocatorColor);
    }
}

} // namespace

void addGuideLines(const MDagPath& path, GuideLines& out) {
    const MObject node = path.node();
    if (node.hasFn(MFn::kJoint))
        addJoint(path, out);
    else if (node.hasFn(MFn::kNurbsCurve))
        addCurve(path, out);
    else if (node.hasFn(MFn::kLocator))
        addLocator(path, out);
}

} // namespace vornexhost
