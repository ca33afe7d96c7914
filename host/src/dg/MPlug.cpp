#include <vornexhost/Evaluator.h>
#include <vornexhost/Handles.h>
#include <vornexhost/PlugValues.h>
#include <vornexhost/Scene.h>
#include <vornexhost/Status.h>

#include <maya/MIntArray.h>
#include <maya/MPlug.h>
#include <maya/MPlugArray.h>

#include <algorithm>
#include <cmath>

using vornexhost::Attribute;
using vornexhost::AttrKind;
using vornexhost::DataKind;
using vornexhost::Node;
using vornexhost::PlugAddress;
using vornexhost::report;

namespace {

double contextTime(const MDGContext& context) {
    if (context.isNormal())
        return vornexhost::sceneTime();
    MTime t;
    context.getTime(t);
    return t.as(MTime::kSeconds);
}

// Numbers come from numeric plugs and from generic ones that hold a number.
bool holdsNumber(const PlugAddress& a) {
    if (a.isNull() || a.isArrayPlug())
        return false;
    const Attribute& attr = *a.attribute;
    if (attr.kind == AttrKind::Numeric)
        return attr.children.empty();
    return attr.kind == AttrKind::Generic;
}

} // namespace

MPlug::MPlug(const MObject& node, const MObject& attribute) {
    Node* n = vornexhost::nodeOf(node);
    Attribute* a = vornexhost::attributeOf(attribute);
    if (!n || !a || !n->ownsAttribute(a))
        return;
    m_node = node.impl();
    m_attribute = attribute.impl();
    const unsigned depth = vornexhost::arrayDepth(a);
    m_indices.assign(depth, -1);
}

PlugAddress MPlug::address() const {
    PlugAddress a;
    a.node = dynamic_cast<Node*>(m_node.get());
    if (a.node && !a.node->isAlive())
        a.node = nullptr;
    a.attribute = dynamic_cast<Attribute*>(m_attribute.get());
    a.indices.assign(m_indices.begin(), m_indices.end());
    return a;
}

MPlug MPlug::fromAddress(const PlugAddress& address) {
    MPlug plug;
    if (address.isNull())
        return plug;
    plug.m_node = vornexhost::objectOf(address.node).impl();
    plug.m_attribute = vornexhost::objectOf(address.attribute).impl();
    plug.m_indices.assign(address.indices.begin(), address.indices.end());
    return plug;
}

bool MPlug::isNull(MStatus* status) const {
    report(status, MStatus::kSuccess);
    return address().isNull();
}

MObject MPlug::node(MStatus* status) const {
    const PlugAddress a = address();
    report(status, a.isNull() ? MStatus::kFailure : MStatus::kSuccess);
    return vornexhost::objectOf(a.node);
}

MObject MPlug::attribute(MStatus* status) const {
    const PlugAddress a = address();
    report(status, a.isNull() ? MStatus::kFailure : MStatus::kSuccess);
    return a.isNull() ? MObject() : vornexhost::objectOf(a.attribute);
}

MString MPlug::name(MStatus* status) const {
    const PlugAddress a = address();
    report(status, a.isNull() ? MStatus::kFailure : MStatus::kSuccess);
    return a.isNull() ? MString() : MString(a.name(true));
}

MString MPlug::partialName(bool includeNodeName, bool, bool, bool, bool useFullAttributePath,
                           bool useLongNames, MStatus* status) const {
    const PlugAddress a = address();
    report(status, a.isNull() ? MStatus::kFailure : MStatus::kSuccess);
    if (a.isNull())
        return MString();
    if (useFullAttributePath || a.attribute->parent)
        return MString(a.name(useLongNames, includeNodeName));
    std::string out = includeNodeName ? a.node->name() + "." : std::string();
    out += useLongNames ? a.attribute->longName : a.attribute->shortName;
    if (a.attribute->array && !a.indices.empty() && a.indices.back() >= 0)
        out += "[" + std::to_string(a.indices.back()) + "]";
    return MString(out);
}

MStatus MPlug::getValue(double& value, MDGContext& context) const {
    const PlugAddress a = address();
    if (!holdsNumber(a))
        return MStatus::kFailure;
    value = vornexhost::evalNumber(a, contextTime(context));
    return MStatus::kSuccess;
}

MStatus MPlug::getValue(float& value, MDGContext& context) const {
    double d = 0.0;
    const MStatus s = getValue(d, context);
    if (s)
        value = static_cast<float>(d);
    return s;
}

MStatus MPlug::getValue(int& value, MDGContext& context) const {
    double d = 0.0;
    const MStatus s = getValue(d, context);
    if (s) {
        // Whole-number reads of fractional values drop the fraction.
        if (!std::isfinite(d) || std::fabs(d) > 2147483647.0)
            return MStatus::kFailure;
        value = static_cast<int>(d);
    }
    return s;
}

MStatus MPlug::getValue(short& value, MDGContext& context) const {
    int i = 0;
    const MStatus s = getValue(i, context);
    if (s)
        value = static_cast<short>(i);
    return s;
}

MStatus MPlug::getValue(bool& value, MDGContext& context) const {
    double d = 0.0;
    const MStatus s = getValue(d, context);
    if (s)
        value = d != 0.0;
    return s;
}

MStatus MPlug::getValue(MString& value, MDGContext& context) const {
    const PlugAddress a = address();
    if (a.isNull() || a.isArrayPlug())
        return MStatus::kFailure;
    const auto data = vornexhost::evalData(a, contextTime(context));
    if (!data) {
        if (a.attribute->kind == AttrKind::Typed && a.attribute->dataKind == DataKind::String) {
            value = MString();
            return MStatus::kSuccess;
        }
        return MStatus::kFailure;
    }
    if (data->kind != DataKind::String)
        return MStatus::kFailure;
    value = MString(data->text);
    return MStatus::kSuccess;
}

MStatus MPlug::getValue(MObject& value, MDGContext& context) const {
    const PlugAddress a = address();
    if (a.isNull() || a.isArrayPlug())
        return MStatus::kFailure;
    const auto data = vornexhost::evalData(a, contextTime(context));
    if (!data)
        return MStatus::kFailure;
    value = MObject(std::const_pointer_cast<vornexhost::Data>(data));
    return MStatus::kSuccess;
}

MStatus MPlug::setValue(double value) {
    const PlugAddress a = address();
    if (!holdsNumber(a))
        return MStatus::kFailure;
    return vornexhost::setStoredNumber(a, value) ? MStatus::kSuccess : MStatus::kFailure;
}

MStatus MPlug::setValue(int value) {
    return setValue(static_cast<double>(value));
}

MStatus MPlug::setValue(bool value) {
    return setValue(value ? 1.0 : 0.0);
}

MStatus MPlug::setValue(const MString& value) {
    const PlugAddress a = address();
    if (a.isNull() || a.isArrayPlug())
        return MStatus::kFailure;
    auto data = std::make_shared<vornexhost::Data>(DataKind::String);
    data->text = value.str();
    return vornexhost::setStoredData(a, std::move(data)) ? MStatus::kSuccess : MStatus::kFailure;
}

bool MPlug::isArray(MStatus* status) const {
    report(status, MStatus::kSuccess);
    return address().isArrayPlug();
}

bool MPlug::isElement(MStatus* status) const {
    report(status, MStatus::kSuccess);
    const PlugAddress a = address();
    return !a.isNull() && a.attribute->array && !a.indices.empty() && a.indices.back() >= 0;
}

bool MPlug::isCompound(MStatus* status) const {
    report(status, MStatus::kSuccess);
    const PlugAddress a = address();
    return !a.isNull() && a.attribute->isCompound();
}

bool MPlug::isChild(MStatus* status) const {
    report(status, MStatus::kSuccess);
    const PlugAddress a = address();
    return !a.isNull() && a.attribute->parent != nullptr;
}

bool MPlug::isDynamic(MStatus* status) const {
    report(status, MStatus::kSuccess);
    const PlugAddress a = address();
    return !a.isNull() && a.attribute->dynamic;
}

bool MPlug::isConnected(MStatus* status) const {
    MPlugArray plugs;
    return connectedTo(plugs, true, true, status);
}

bool MPlug::connectedTo(MPlugArray& plugs, bool asDst, bool asSrc, MStatus* status) const {
    plugs.clear();
    const PlugAddress a = address();
    if (a.isNull() || !a.node->scene()) {
        report(status, MStatus::kFailure);
        return false;
    }
    const vornexhost::Scene& scene = *a.node->scene();
    if (asDst)
        if (const vornexhost::Connection* c = scene.incoming(a))
            plugs.append(fromAddress(c->source));
    if (asSrc)
        for (std::uint32_t i : a.node->connectionsOut) {
            const vornexhost::Connection& c = scene.connection(i);
            if (c.alive && c.source == a)
                plugs.append(fromAddress(c.destination));
        }
    report(status, MStatus::kSuccess);
    return plugs.length() > 0;
}

unsigned int MPlug::numElements(MStatus* status) const {
    const PlugAddress a = address();
    if (!a.isArrayPlug()) {
        report(status, MStatus::kFailure);
        return 0;
    }
    report(status, MStatus::kSuccess);
    // An element made by a connection exists as much as one holding a value.
    if (!vornexhost::connectedElementIndices(a).empty())
        return static_cast<unsigned int>(vornexhost::existingElementIndices(a).size());
    const vornexhost::ArrayStore* array = vornexhost::arrayStoreOf(a, false);
    return array ? static_cast<unsigned int>(array->size()) : 0u;
}

unsigned int MPlug::evaluateNumElements(MStatus* status) const {
    return numElements(status);
}

unsigned int MPlug::numConnectedElements(MStatus* status) const {
    const PlugAddress a = address();
    if (!a.isArrayPlug()) {
        report(status, MStatus::kFailure);
        return 0;
    }
    report(status, MStatus::kSuccess);
    return static_cast<unsigned int>(vornexhost::connectedElementIndices(a).size());
}

unsigned int MPlug::numChildren(MStatus* status) const {
    const PlugAddress a = address();
    report(status, a.isNull() ? MStatus::kFailure : MStatus::kSuccess);
    return a.isNull() ? 0u : static_cast<unsigned int>(a.attribute->children.size());
}

unsigned int MPlug::numConnectedChildren(MStatus* status) const {
    unsigned int count = 0;
    for (unsigned int i = 0; i < numChildren(status); ++i)
        if (child(i).isConnected())
            ++count;
    return count;
}

MPlug MPlug::elementByLogicalIndex(unsigned int logicalIndex, MStatus* status) const {
    const PlugAddress a = address();
    if (!a.isArrayPlug() || logicalIndex > 0x7fffffffu) {
        report(status, MStatus::kFailure);
        return MPlug();
    }
    report(status, MStatus::kSuccess);
    return fromAddress(vornexhost::elementOf(a, static_cast<std::int32_t>(logicalIndex)));
}

MPlug MPlug::elementByPhysicalIndex(unsigned int physicalIndex, MStatus* status) const {
    const PlugAddress a = address();
    if (a.isArrayPlug()) {
        // Physical order is logical order over the elements with a value or a connection.
        if (!vornexhost::connectedElementIndices(a).empty()) {
            const std::vector<std::int32_t> all = vornexhost::existingElementIndices(a);
            if (physicalIndex < all.size()) {
                report(status, MStatus::kSuccess);
                return fromAddress(vornexhost::elementOf(a, all[physicalIndex]));
            }
        } else if (const vornexhost::ArrayStore* array = vornexhost::arrayStoreOf(a, false);
                   array && physicalIndex < array->size()) {
            report(status, MStatus::kSuccess);
            return fromAddress(
                vornexhost::elementOf(a, static_cast<std::int32_t>(array->logical[physicalIndex])));
        }
    }
    report(status, MStatus::kFailure);
    return MPlug();
}

unsigned int MPlug::logicalIndex(MStatus* status) const {
    if (!isElement()) {
        report(status, MStatus::kFailure);
        return 0;
    }
    report(status, MStatus::kSuccess);
    return static_cast<unsigned int>(m_indices.back());
}

unsigned int MPlug::getExistingArrayAttributeIndices(MIntArray& indices, MStatus* status) const {
    indices.clear();
    const unsigned int n = numElements(status);
    for (unsigned int i = 0; i < n; ++i)
        indices.append(static_cast<int>(elementByPhysicalIndex(i).logicalIndex()));
    return indices.length();
}

MPlug MPlug::child(unsigned int index, MStatus* status) const {
    const PlugAddress a = address();
    if (a.isNull() || a.isArrayPlug() || index >= a.attribute->children.size()) {
        report(status, MStatus::kFailure);
        return MPlug();
    }
    report(status, MStatus::kSuccess);
    return fromAddress(vornexhost::childOf(a, a.attribute->children[index].get()));
}

MPlug MPlug::child(const MObject& attribute, MStatus* status) const {
    const Attribute* wanted = vornexhost::attributeOf(attribute);
    const PlugAddress a = address();
    if (wanted && !a.isNull() && wanted->parent == a.attribute)
        return child(wanted->childIndex, status);
    report(status, MStatus::kFailure);
    return MPlug();
}

MPlug MPlug::parent(MStatus* status) const {
    PlugAddress a = address();
    if (a.isNull() || !a.attribute->parent) {
        report(status, MStatus::kFailure);
        return MPlug();
    }
    if (a.attribute->array)
        a.indices.pop_back();
    a.attribute = a.attribute->parent;
    report(status, MStatus::kSuccess);
    return fromAddress(a);
}

MPlug MPlug::array(MStatus* status) const {
    if (!isElement()) {
        report(status, MStatus::kFailure);
        return MPlug();
    }
    PlugAddress a = address();
    a.indices.back() = -1;
    report(status, MStatus::kSuccess);
    return fromAddress(a);
}

bool MPlug::operator==(const MPlug& other) const {
    return m_node == other.m_node && m_attribute == other.m_attribute &&
           m_indices == other.m_indices;
}
