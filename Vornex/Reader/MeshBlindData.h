#pragma once
// The host's per-face and per-vertex blind data of a mesh, as named values.
#include "Shared/Graphics/Scene/NamedValues.h"

#include <maya/MFn.h>
#include <maya/MString.h>

#include <optional>
#include <string>
#include <vector>

class MFnMesh;

namespace vx {

// One blind-data type on one kind of component: read through its first attribute, whose
// format is "int", "double", "boolean" or "string" (other formats are not read).
struct BlindDataType {
    int id = 0;
    MFn::Type component = MFn::kInvalid;
    MString longName;
    NamedValueKind kind = NamedValueKind::Integer;
};

// The readable types on `component` (MFn::kMeshPolygonComponent or kMeshVertComponent).
// A type without attributes fails the "longNames.length() != 0" assertion.
std::vector<BlindDataType> blindDataTypes(const MFnMesh& mesh, MFn::Type component);

// The value component `index` carries, or none.
std::optional<NamedValue> blindDataValue(const MFnMesh& mesh, const BlindDataType& type, int index);

} // namespace vx
