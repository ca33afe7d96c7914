#include "Shared/Base/TextCase.h"
#include "Vornex/Reader/SceneReader.h"

#include <maya/MFnAttribute.h>
#include <maya/MFnDependencyNode.h>
#include <maya/MFnNumericAttribute.h>
#include <maya/MFnTypedAttribute.h>
#include <maya/MPlug.h>

namespace vx {
namespace {

// The artist's own attributes: names whose first four characters are "zeph" in any case.
bool isExtraAttributeName(std::string_view name) {
    return startsWithIgnoringCase(name, "zeph");
}

// Reads the plug of a numeric or string attribute into `value`; false for other kinds or
// when the host cannot give the value.
bool readExtraValue(const MObject& attribute, const MPlug& plug, NamedValue& value) {
    if (attribute.hasFn(MFn::kNumericAttribute)) {
        switch (MFnNumericAttribute(attribute).unitType()) {
        case MFnNumericData::kBoolean: {
            bool b = false;
            if (!plug.getValue(b))
                return false;
            value = b;
            return true;
        }
        case MFnNumericData::kLong: {
            int i = 0;
            if (!plug.getValue(i))
                return false;
            value = static_cast<std::int32_t>(i);
            return true;
        }
        case MFnNumericData::kDouble: {
            double d = 0.0;
            if (!plug.getValue(d))
                return false;
            value = static_cast<float>(d);
            return true;
        }
        default:
            return false;
        }
    }
    if (attribute.hasFn(MFn::kTypedAttribute) &&
        MFnTypedAttribute(attribute).attrType() == MFnData::kString) {
        MString text;
        if (!plug.getValue(text))
            return false;
        value = text.str();
        return true;
    }
    return false;
}

} // namespace

void SceneReader::copyExtraAttributes(const MObject& node, NamedValueTable& target) {
    MFnDependencyNode fn(node);
    const unsigned count = fn.attributeCount();
    for (unsigned i = 0; i < count; ++i) {
        const MObject attribute = fn.attribute(i);
        const MString name = MFnAttribute(attribute).name();
        if (!isExtraAttributeName(name.str()))
            continue;
        NamedValue value;
        if (readExtraValue(attribute, fn.findPlug(attribute), value))
            target.set(name.str(), std::move(value));
    }
}

void SceneReader::copyExtraAttributes(const MObject& node, NamedValueHolder& target) {
    copyExtraAttributes(node, target.namedValues());
}

} // namespace vx
