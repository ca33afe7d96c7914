#include <vornexhost/AttributeFactory.h>

#include <cctype>

namespace vornexhost {

namespace {

AttributePtr make(const std::string& longName, const std::string& shortName, AttrKind kind) {
    auto a = std::make_shared<Attribute>();
    a->longName = longName;
    a->shortName = shortName.empty() ? longName : shortName;
    a->kind = kind;
    return a;
}

} // namespace

AttributePtr makeNumeric(const std::string& longName, const std::string& shortName, int numericType,
                         double defaultValue, AttrUnit unit) {
    AttributePtr a = make(longName, shortName, AttrKind::Numeric);
    a->numericType = numericType;
    a->defaultValue = defaultValue;
    a->unit = unit;
    return a;
}

AttributePtr makeEnum(const std::string& longName, const std::string& shortName,
                      double defaultValue) {
    AttributePtr a = makeNumeric(longName, shortName, numeric::kShort, defaultValue);
    a->isEnum = true;
    return a;
}

AttributePtr makeTyped(const std::string& longName, const std::string& shortName, DataKind kind) {
    AttributePtr a = make(longName, shortName, AttrKind::Typed);
    a->dataKind = kind;
    return a;
}

AttributePtr makeMessage(const std::string& longName, const std::string& shortName) {
    return make(longName, shortName, AttrKind::Message);
}

AttributePtr makeGeneric(const std::string& longName, const std::string& shortName) {
    return make(longName, shortName, AttrKind::Generic);
}

void addChild(Attribute& parent, AttributePtr child) {
    child->parent = &parent;
    child->childIndex = static_cast<unsigned>(parent.children.size());
    parent.children.push_back(std::move(child));
}

AttributePtr makeCompound(const std::string& longName, const std::string& shortName,
                          std::initializer_list<AttributePtr> children) {
    AttributePtr a = make(longName, shortName, AttrKind::Compound);
    for (const AttributePtr& c : children)
        addChild(*a, c);
    return a;
}

int compoundNumericType(int childType, unsigned count) {
    using namespace numeric;
    const int offset = count == 2 ? 1 : (count == 3 ? 2 : 0);
    switch (childType) {
    case kShort:
        return kShort + offset;
    case kLong:
        return kLong + offset;
    case kFloat:
        return kFloat + offset;
    case kDouble:
        return kDouble + offset;
    default:
        return childType;
    }
}

AttributePtr makeVector(const std::string& longName, const std::string& shortName, int childType,
                        AttrUnit unit, std::initializer_list<double> defaults,
                        const char* suffixes) {
    AttributePtr a = make(longName, shortName, AttrKind::Numeric);
    unsigned i = 0;
    for (const char* s = suffixes; *s; ++s, ++i) {
        const char lower = static_cast<char>(std::tolower(static_cast<unsigned char>(*s)));
        const double d = i < defaults.size() ? defaults.begin()[i] : 0.0;
        addChild(*a, makeNumeric(longName + *s, shortName + lower, childType, d, unit));
    }
    a->numericType = compoundNumericType(childType, i);
    return a;
}

AttributePtr arrayOf(AttributePtr attribute) {
    attribute->array = true;
    return attribute;
}

AttributePtr computed(AttributePtr attribute, Computed how) {
    attribute->computed = how;
    return attribute;
}

} // namespace vornexhost
