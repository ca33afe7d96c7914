#include <vornexhost/Handles.h>
#include <vornexhost/PlugPath.h>
#include <vornexhost/Scene.h>
#include <vornexhost/Status.h>

#include <maya/MFnDependencyNode.h>
#include <maya/MPlugArray.h>

using vornexhost::Node;
using vornexhost::report;

bool MFnBase::hasObj(MFn::Type fn) const {
    return m_object.hasFn(fn);
}

bool MFnBase::hasObj(const MObject& object) const {
    return object.hasFn(type());
}

MObject MFnBase::object(MStatus* status) const {
    report(status, m_object.isNull() ? MStatus::kFailure : MStatus::kSuccess);
    return m_object;
}

MStatus MFnBase::setObject(const MObject& object) {
    m_object = object;
    return MStatus::kSuccess;
}

MFnDependencyNode::MFnDependencyNode(const MObject& object, MStatus* status) {
    report(status, MFnDependencyNode::setObject(object));
}

MStatus MFnDependencyNode::setObject(const MObject& object) {
    if (!vornexhost::nodeOf(object) || !object.hasFn(type())) {
        m_object = MObject();
        return MStatus::kInvalidParameter;
    }
    m_object = object;
    return MStatus::kSuccess;
}

namespace {

Node* attached(const MObject& object, MStatus* status) {
    Node* node = vornexhost::nodeOf(object);
    report(status, node ? MStatus::kSuccess : MStatus::kInvalidParameter);
    return node;
}

} // namespace

MString MFnDependencyNode::name(MStatus* status) const {
    const Node* node = attached(m_object, status);
    return node ? MString(node->name()) : MString();
}

MString MFnDependencyNode::typeName(MStatus* status) const {
    const Node* node = attached(m_object, status);
    return node ? MString(node->type().name) : MString();
}

MTypeId MFnDependencyNode::typeId(MStatus* status) const {
    const Node* node = attached(m_object, status);
    return node ? MTypeId(node->type().typeId) : MTypeId();
}

MPlug MFnDependencyNode::findPlug(const MString& attributeName, MStatus* status) const {
    Node* node = attached(m_object, status);
    if (!node)
        return MPlug();
    vornexhost::ResolvedPlug resolved;
    std::string error;
    if (!vornexhost::resolvePlugPath(*node, attributeName.str(), false, resolved, error) ||
        resolved.rangeLevel >= 0) {
        report(status, MStatus::kInvalidParameter);
        return MPlug();
    }
    return MPlug::fromAddress(resolved.plug);
}

MPlug MFnDependencyNode::findPlug(const MObject& attribute, MStatus* status) const {
    Node* node = attached(m_object, status);
    if (!node)
        return MPlug();
    MPlug plug(m_object, attribute);
    if (plug.isNull())
        report(status, MStatus::kInvalidParameter);
    return plug;
}

bool MFnDependencyNode::hasAttribute(const MString& attributeName, MStatus* status) const {
    const Node* node = attached(m_object, status);
    return node && node->findAttribute(attributeName.str());
}

MObject MFnDependencyNode::attribute(const MString& attributeName, MStatus* status) const {
    const Node* node = attached(m_object, status);
    const vornexhost::Attribute* a = node ? node->findAttribute(attributeName.str()) : nullptr;
    if (node && !a)
        report(status, MStatus::kInvalidParameter);
    return vornexhost::objectOf(a);
}

unsigned int MFnDependencyNode::attributeCount(MStatus* status) const {
    const Node* node = attached(m_object, status);
    return node ? node->attributeCount() : 0u;
}

MObject MFnDependencyNode::attribute(unsigned int index, MStatus* status) const {
    const Node* node = attached(m_object, status);
    const vornexhost::Attribute* a = node ? node->attributeAt(index) : nullptr;
    if (node && !a)
        report(status, MStatus::kInvalidParameter);
    return vornexhost::objectOf(a);
}

MStatus MFnDependencyNode::getConnections(MPlugArray& plugs) const {
    plugs.clear();
    Node* node = vornexhost::nodeOf(m_object);
    if (!node || !node->scene())
        return MStatus::kInvalidParameter;
    const vornexhost::Scene& scene = *node->scene();
    auto add = [&](const vornexhost::PlugAddress& a) {
        const MPlug plug = MPlug::fromAddress(a);
        for (const MPlug& p : plugs)
            if (p == plug)
                return;
        plugs.append(plug);
    };
    for (std::uint32_t i : node->connectionsIn)
        if (scene.connection(i).alive)
            add(scene.connection(i).destination);
    for (std::uint32_t i : node->connectionsOut)
        if (scene.connection(i).alive)
            add(scene.connection(i).source);
    return MStatus::kSuccess;
}

bool MFnDependencyNode::isFromReferencedFile(MStatus* status) const {
    report(status, MStatus::kSuccess);
    return false;
}

bool MFnDependencyNode::isShared(MStatus* status) const {
    report(status, MStatus::kSuccess);
    return false;
}
