#include <vornexhost/Evaluator.h>
#include <vornexhost/Handles.h>
#include <vornexhost/Node.h>
#include <vornexhost/PlugValues.h>
#include <vornexhost/Status.h>

#include <maya/MFnCamera.h>
#include <maya/MFnNurbsCurve.h>

using vornexhost::Node;
using vornexhost::report;

MFnCamera::MFnCamera(const MObject& object, MStatus* status) {
    report(status, setObject(object));
}

MFnCamera::MFnCamera(const MDagPath& path, MStatus* status) {
    report(status, setObject(path));
}

double MFnCamera::number(const char* attribute, MStatus* status) const {
    const Node* node = vornexhost::nodeOf(m_object);
    report(status, node ? MStatus::kSuccess : MStatus::kInvalidParameter);
    return node ? vornexhost::nodeNumber(*node, attribute, vornexhost::sceneTime()) : 0.0;
}

double MFnCamera::focalLength(MStatus* status) const {
    return number("fl", status);
}
bool MFnCamera::isOrtho(MStatus* status) const {
    return number("o", status) != 0.0;
}
double MFnCamera::orthoWidth(MStatus* status) const {
    return number("ow", status);
}
double MFnCamera::nearClippingPlane(MStatus* status) const {
    return number("ncp", status);
}
double MFnCamera::farClippingPlane(MStatus* status) const {
    return number("fcp", status);
}
double MFnCamera::horizontalFilmAperture(MStatus* status) const {
    return number("hfa", status);
}
double MFnCamera::verticalFilmAperture(MStatus* status) const {
    return number("vfa", status);
}
MFnCamera::FilmFit MFnCamera::filmFit(MStatus* status) const {
    const double fit = number("ff", status);
    return fit >= 0.0 && fit <= 3.0 ? static_cast<FilmFit>(static_cast<int>(fit))
                                    : kHorizontalFilmFit;
}

double MFnCamera::centerOfInterest(MStatus* status) const {
    return number("coi", status);
}

// A camera looks down its local -z axis with +y up, from its local origin.
MPoint MFnCamera::eyePoint(MSpace::Space space, MStatus* status) const {
    number("fl", status);
    if (space == MSpace::kWorld)
        return MPoint::origin * pathOrFirst().inclusiveMatrix();
    return MPoint::origin;
}

MVector MFnCamera::viewDirection(MSpace::Space space, MStatus* status) const {
    number("fl", status);
    const MVector local(0.0, 0.0, -1.0);
    return space == MSpace::kWorld ? local * pathOrFirst().inclusiveMatrix() : local;
}

MVector MFnCamera::upDirection(MSpace::Space space, MStatus* status) const {
    number("fl", status);
    const MVector local(0.0, 1.0, 0.0);
    return space == MSpace::kWorld ? local * pathOrFirst().inclusiveMatrix() : local;
}

namespace {

// The curve data of a NURBS curve shape: its "cached" value, else its "create" input.
const vornexhost::NurbsCurveData* curveOf(const MObject& object, MStatus* status) {
    const Node* node = vornexhost::nodeOf(object);
    if (!node || !node->hasFn(MFn::kNurbsCurve)) {
        report(status, MStatus::kInvalidParameter);
        return nullptr;
    }
    for (const char* name : {"cc", "cr"}) {
        const vornexhost::Attribute* a = node->findAttribute(name);
        if (!a)
            continue;
        const auto data =
            vornexhost::evalData({const_cast<Node*>(node), a, {}}, vornexhost::sceneTime());
        if (data && data->kind == vornexhost::DataKind::NurbsCurve) {
            report(status, MStatus::kSuccess);
            return &data->curve; // the data lives as long as the node's stored value
        }
    }
    report(status, MStatus::kFailure);
    return nullptr;
}

int pointCount(const vornexhost::NurbsCurveData& c) {
    const int stride = c.dimension + (c.rational ? 1 : 0);
    return stride > 0 ? static_cast<int>(c.cvs.size()) / stride : 0;
}

} // namespace

MFnNurbsCurve::MFnNurbsCurve(const MObject& object, MStatus* status) {
    report(status, setObject(object));
}

MFnNurbsCurve::MFnNurbsCurve(const MDagPath& path, MStatus* status) {
    report(status, setObject(path));
}

int MFnNurbsCurve::numCVs(MStatus* status) const {
    const auto* c = curveOf(m_object, status);
    return c ? pointCount(*c) : 0;
}

int MFnNurbsCurve::numKnots(MStatus* status) const {
    const auto* c = curveOf(m_object, status);
    return c ? static_cast<int>(c->knots.size()) : 0;
}

int MFnNurbsCurve::numSpans(MStatus* status) const {
    const auto* c = curveOf(m_object, status);
    return c ? c->spans : 0;
}

int MFnNurbsCurve::degree(MStatus* status) const {
    const auto* c = curveOf(m_object, status);
    return c ? c->degree : 0;
}

MFnNurbsCurve::Form MFnNurbsCurve::form(MStatus* status) const {
    const auto* c = curveOf(m_object, status);
    if (!c)
        return kInvalid;
    return c->form == 2 ? kPeriodic : (c->form == 1 ? kClosed : kOpen);
}

MStatus MFnNurbsCurve::getCV(int index, MPoint& point, MSpace::Space space) const {
    MStatus status;
    const auto* c = curveOf(m_object, &status);
    if (!c)
        return status;
    if (index < 0 || index >= pointCount(*c))
        return MStatus::kInvalidParameter;
    const int stride = c->dimension + (c->rational ? 1 : 0);
    const auto at = static_cast<std::size_t>(index * stride);
    point = MPoint(c->cvs[at], c->dimension > 1 ? c->cvs[at + 1] : 0.0,
                   c->dimension > 2 ? c->cvs[at + 2] : 0.0,
                   c->rational ? c->cvs[at + static_cast<std::size_t>(c->dimension)] : 1.0);
    // Control point tweaks of the shape add to the curve data.
    const Node* node = vornexhost::nodeOf(m_object);
    if (const vornexhost::Attribute* cp = node->findAttribute("controlPoints")) {
        vornexhost::PlugAddress element{const_cast<Node*>(node), cp, {index}};
        const double t = vornexhost::sceneTime();
        point.x += vornexhost::evalNumber(vornexhost::childOf(element, cp->children[0].get()), t);
        point.y += vornexhost::evalNumber(vornexhost::childOf(element, cp->children[1].get()), t);
        point.z += vornexhost::evalNumber(vornexhost::childOf(element, cp->children[2].get()), t);
    }
    if (space == MSpace::kWorld)
        point = point * pathOrFirst().inclusiveMatrix();
    return MStatus::kSuccess;
}

MStatus MFnNurbsCurve::getCVs(MPointArray& points, MSpace::Space space) const {
    points.clear();
    MStatus status;
    const int n = numCVs(&status);
    for (int i = 0; i < n && status; ++i) {
        MPoint p;
        status = getCV(i, p, space);
        points.append(p);
    }
    return status;
}

double MFnNurbsCurve::knot(unsigned int index, MStatus* status) const {
    const auto* c = curveOf(m_object, status);
    if (!c || index >= c->knots.size()) {
        report(status, MStatus::kInvalidParameter);
        return 0.0;
    }
    return c->knots[index];
}

MStatus MFnNurbsCurve::getKnots(MDoubleArray& knots) const {
    knots.clear();
    MStatus status;
    const auto* c = curveOf(m_object, &status);
    if (c)
        for (double k : c->knots)
            knots.append(k);
    return status;
}
