#include "Vornex/Reader/MeshBlindData.h"

#include "Vornex/Reader/ReaderReports.h"

#include <maya/MFnMesh.h>
#include <maya/MIntArray.h>
#include <maya/MStringArray.h>

namespace vx {

std::vector<BlindDataType> blindDataTypes(const MFnMesh& mesh, MFn::Type component) {
    std::vector<BlindDataType> types;
    MIntArray ids;
    if (!mesh.getBlindDataTypes(component, ids))
        return types;
    for (unsigned i = 0; i < ids.length(); ++i) {
        MStringArray longNames;
        MStringArray shortNames;
        MStringArray formats;
        mesh.getBlindDataAttrNames(ids[i], longNames, shortNames, formats);
        VX_READER_ASSERT(longNames.length() != 0, "longNames.length() != 0", "");
        const std::string format = formats.length() ? formats[0].asChar() : "";
        BlindDataType type{ids[i], component, longNames[0], NamedValueKind::Integer};
        if (format == "int")
            type.kind = NamedValueKind::Integer;
        else if (format == "double")
            type.kind = NamedValueKind::Float;
        else if (format == "boolean")
            type.kind = NamedValueKind::Bool;
        else if (format == "string")
            type.kind = NamedValueKind::Text;
        else
            continue;
        types.push_back(type);
    }
    return types;
}

std::optional<NamedValue> blindDataValue(const MFnMesh& mesh, const BlindDataType& type,
                                         int index) {
    if (!mesh.hasBlindData(index, type.component, type.id))
        return std::nullopt;
    switch (type.kind) {
    case NamedValueKind::Integer: {
        int value = 0;
        if (mesh.getIntBlindData(index, type.component, type.id, type.longName, value))
            return NamedValue(std::int32_t{value});
        break;
    }
    case NamedValueKind::Float: {
        double value = 0.0;
        if (mesh.getDoubleBlindData(index, type.component, type.id, type.longName, value))
            return NamedValue(static_cast<float>(value));
        break;
    }
    case NamedValueKind::Bool: {
        bool value = false;
        if (mesh.getBoolBlindData(index, type.component, type.id, type.longName, value))
            return NamedValue(value);
        break;
    }
    case NamedValueKind::Text: {
        MString value;
        if (mesh.getStringBlindData(index, type.component, type.id, type.longName, value))
            return NamedValue(std::string(value.asChar()));
        break;
    }
    }
    return std::nullopt;
}

} // namespace vx
