#include <vornexhost/AttributeFactory.h>
#include <vornexhost/Handles.h>
#include <vornexhost/Status.h>

#include <maya/MFnNumericAttribute.h>
#include <maya/MFnTypedAttribute.h>

using vornexhost::Attribute;
using vornexhost::DataKind;
using vornexhost::report;

MFnAttribute::MFnAttribute(const MObject& object, MStatus* status) {
    report(status, MFnAttribute::setObject(object));
}

MStatus MFnAttribute::attachIf(const MObject& object, MFn::Type fn) {
    if (!vornexhost::attributeOf(object) || !object.hasFn(fn)) {
        m_object = MObject();
        return MStatus::kInvalidParameter;
    }
    m_object = object;
    return MStatus::kSuccess;
}

MStatus MFnAttribute::setObject(const MObject& object) {
    return attachIf(object, MFn::kAttribute);
}

Attribute* MFnAttribute::attr() const {
    return vornexhost::attributeOf(m_object);
}

MString MFnAttribute::name(MStatus* status) const {
    const Attribute* a = attr();
    report(status, a ? MStatus::kSuccess : MStatus::kFailure);
    return a ? MString(a->longName) : MString();
}

MString MFnAttribute::shortName(MStatus* status) const {
    const Attribute* a = attr();
    report(status, a ? MStatus::kSuccess : MStatus::kFailure);
    return a ? MString(a->shortName) : MString();
}

#define VX_ATTRIBUTE_FLAG(getter, setter, member)                                                  \
    bool MFnAttribute::getter(MStatus* status) const {                                             \
        const Attribute* a = attr();                                                               \
        report(status, a ? MStatus::kSuccess : MStatus::kFailure);                                 \
        return a && a->member;                                                                     \
    }                                                                                              \
    MStatus MFnAttribute::setter(bool state) {                                                     \
        Attribute* a = attr();                                                                     \
        if (!a)                                                                                    \
            return MStatus::kFailure;                                                              \
        a->member = state;                                                                         \
        return MStatus::kSuccess;                                                                  \
    }

VX_ATTRIBUTE_FLAG(isArray, setArray, array)
VX_ATTRIBUTE_FLAG(isKeyable, setKeyable, keyable)
VX_ATTRIBUTE_FLAG(isHidden, setHidden, hidden)
VX_ATTRIBUTE_FLAG(isUsedAsColor, setUsedAsColor, usedAsColor)
#undef VX_ATTRIBUTE_FLAG

bool MFnAttribute::isDynamic(MStatus* status) const {
    const Attribute* a = attr();
    report(status, a ? MStatus::kSuccess : MStatus::kFailure);
    return a && a->dynamic;
}

MStatus MFnAttribute::setStorable(bool) {
    return attr() ? MStatus::kSuccess : MStatus::kFailure;
}

MStatus MFnAttribute::setReadable(bool) {
    return attr() ? MStatus::kSuccess : MStatus::kFailure;
}

MStatus MFnAttribute::setWritable(bool) {
    return attr() ? MStatus::kSuccess : MStatus::kFailure;
}

MObject MFnAttribute::parent(MStatus* status) const {
    const Attribute* a = attr();
    report(status, a && a->parent ? MStatus::kSuccess : MStatus::kFailure);
    return a ? vornexhost::objectOf(a->parent) : MObject();
}

MFnNumericAttribute::MFnNumericAttribute(const MObject& object, MStatus* status) {
    report(status, MFnNumericAttribute::setObject(object));
}

MStatus MFnNumericAttribute::setObject(const MObject& object) {
    return attachIf(object, MFn::kNumericAttribute);
}

MObject MFnNumericAttribute::create(const MString& fullName, const MString& briefName,
                                    MFnNumericData::Type unitType, double defaultValue,
                                    MStatus* status) {
    m_object =
        MObject(vornexhost::makeNumeric(fullName.str(), briefName.str(), unitType, defaultValue));
    report(status, MStatus::kSuccess);
    return m_object;
}

MObject MFnNumericAttribute::create(const MString& fullName, const MString& briefName,
                                    const MObject& child1, const MObject& child2,
                                    const MObject& child3, MStatus* status) {
    std::vector<vornexhost::Attribute*> children;
    for (const MObject* child : {&child1, &child2, &child3}) {
        if (child == &child3 && child3.isNull())
            break;
        auto* a = dynamic_cast<vornexhost::Attribute*>(child->impl().get());
        if (!a || a->kind != vornexhost::AttrKind::Numeric || a->isCompound() || a->parent) {
            m_object = MObject();
            report(status, MStatus::kInvalidParameter);
            return m_object;
        }
        children.push_back(a);
    }
    auto compound =
        vornexhost::makeNumeric(fullName.str(), briefName.str(), MFnNumericData::kInvalid);
    for (vornexhost::Attribute* child : children)
        vornexhost::addChild(
            *compound, std::static_pointer_cast<vornexhost::Attribute>(child->shared_from_this()));
    compound->numericType = vornexhost::compoundNumericType(children.front()->numericType,
                                                            static_cast<unsigned>(children.size()));
    m_object = MObject(compound);
    report(status, MStatus::kSuccess);
    return m_object;
}

MObject MFnNumericAttribute::createColor(const MString& fullName, const MString& briefName,
                                         MStatus* status) {
    auto a = vornexhost::makeVector(fullName.str(), briefName.str(), MFnNumericData::kFloat,
                                    vornexhost::AttrUnit::None, {0, 0, 0}, "RGB");
    a->usedAsColor = true;
    m_object = MObject(a);
    report(status, MStatus::kSuccess);
    return m_object;
}

MFnNumericData::Type MFnNumericAttribute::unitType(MStatus* status) const {
    const Attribute* a = attr();
    report(status, a ? MStatus::kSuccess : MStatus::kFailure);
    return a ? static_cast<MFnNumericData::Type>(a->numericType) : MFnNumericData::kInvalid;
}

MStatus MFnNumericAttribute::getDefault(double& value) const {
    const Attribute* a = attr();
    if (!a)
        return MStatus::kFailure;
    value = a->defaultValue;
    return MStatus::kSuccess;
}

MStatus MFnNumericAttribute::setDefault(double value) {
    Attribute* a = attr();
    if (!a)
        return MStatus::kFailure;
    a->defaultValue = value;
    return MStatus::kSuccess;
}

MStatus MFnNumericAttribute::setDefault(float value1, float value2, float value3) {
    Attribute* a = attr();
    if (!a || a->children.size() != 3)
        return MStatus::kFailure;
    const float values[3] = {value1, value2, value3};
    for (std::size_t i = 0; i < 3; ++i)
        a->children[i]->defaultValue = static_cast<double>(values[i]);
    return MStatus::kSuccess;
}

MStatus MFnNumericAttribute::setMin(double) {
    return attr() ? MStatus::kSuccess : MStatus::kFailure;
}

MStatus MFnNumericAttribute::setMax(double) {
    return attr() ? MStatus::kSuccess : MStatus::kFailure;
}

namespace {

struct DataTypeName {
    MFnData::Type type;
    DataKind kind;
};

constexpr DataTypeName kDataTypes[] = {
    {MFnData::kString, DataKind::String},
    {MFnData::kMatrix, DataKind::Matrix},
    {MFnData::kStringArray, DataKind::StringArray},
    {MFnData::kDoubleArray, DataKind::DoubleArray},
    {MFnData::kIntArray, DataKind::IntArray},
    {MFnData::kPointArray, DataKind::PointArray},
    {MFnData::kVectorArray, DataKind::VectorArray},
    {MFnData::kComponentList, DataKind::ComponentList},
    {MFnData::kMesh, DataKind::Mesh},
    {MFnData::kNurbsCurve, DataKind::NurbsCurve},
};

} // namespace

MFnTypedAttribute::MFnTypedAttribute(const MObject& object, MStatus* status) {
    report(status, MFnTypedAttribute::setObject(object));
}

MStatus MFnTypedAttribute::setObject(const MObject& object) {
    return attachIf(object, MFn::kTypedAttribute);
}

MObject MFnTypedAttribute::create(const MString& fullName, const MString& briefName,
                                  MFnData::Type dataType, MStatus* status) {
    DataKind kind = DataKind::Raw;
    for (const DataTypeName& d : kDataTypes)
        if (d.type == dataType)
            kind = d.kind;
    m_object = MObject(vornexhost::makeTyped(fullName.str(), briefName.str(), kind));
    report(status, MStatus::kSuccess);
    return m_object;
}

MObject MFnTypedAttribute::create(const MString& fullName, const MString& briefName,
                                  MFnData::Type dataType, const MObject&, MStatus* status) {
    return create(fullName, briefName, dataType, status);
}

MFnData::Type MFnTypedAttribute::attrType(MStatus* status) const {
    const Attribute* a = attr();
    report(status, a ? MStatus::kSuccess : MStatus::kFailure);
    if (!a)
        return MFnData::kInvalid;
    for (const DataTypeName& d : kDataTypes)
        if (d.kind == a->dataKind)
            return d.type;
    // Face lists are part of a mesh.
    return a->dataKind == DataKind::PolyFaces ? MFnData::kMesh : MFnData::kInvalid;
}
