#include <vornexhost/Attribute.h>

namespace vornexhost {

bool numeric::isInteger(int type) {
    switch (type) {
    case kBoolean:
    case kByte:
    case kChar:
    case kShort:
    case k2Short:
    case k3Short:
    case kLong:
    case k2Long:
    case k3Long:
        return true;
    default:
        return false;
    }
}

MFn::Type Attribute::apiType() const {
    switch (kind) {
    case AttrKind::Numeric:
        if (isEnum)
            return MFn::kEnumAttribute;
        if (children.empty() && unit != AttrUnit::None)
            return MFn::kUnitAttribute;
        return MFn::kNumericAttribute;
    case AttrKind::Compound:
        return MFn::kCompoundAttribute;
    case AttrKind::Typed:
        return MFn::kTypedAttribute;
    case AttrKind::Message:
        return MFn::kMessageAttribute;
    case AttrKind::Generic:
        return MFn::kGenericAttribute;
    }
    return MFn::kAttribute;
}

bool Attribute::hasFn(MFn::Type type) const {
    // A numeric compound (double3) is also a compound.
    if (type == MFn::kCompoundAttribute && !children.empty())
        return true;
    return typeHasFn(apiType(), type);
}

bool Attribute::packsElements() const {
    if (!array || computed != Computed::None)
        return false;
    if (children.empty())
        return kind == AttrKind::Numeric;
    for (const auto& c : children)
        if (c->kind != AttrKind::Numeric || c->array || !c->children.empty())
            return false;
    return true;
}

const Attribute* Attribute::child(const std::string& name) const {
    for (const auto& c : children)
        if (c->longName == name || c->shortName == name)
            return c.get();
    return nullptr;
}

std::string Attribute::pathName(bool longNames) const {
    const std::string& own = longNames ? longName : shortName;
    return parent ? parent->pathName(longNames) + "." + own : own;
}

const Attribute* Attribute::top() const {
    const Attribute* a = this;
    while (a->parent)
        a = a->parent;
    return a;
}

} // namespace vornexhost
