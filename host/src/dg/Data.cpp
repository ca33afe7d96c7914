#include <vornexhost/Data.h>

namespace vornexhost {

MFn::Type Data::apiType() const {
    switch (kind) {
    case DataKind::ComponentList:
        return MFn::kComponentListData;
    case DataKind::NurbsCurve:
        return MFn::kNurbsCurveData;
    case DataKind::Mesh:
    case DataKind::PolyFaces:
        return MFn::kMeshData;
    default:
        return MFn::kData;
    }
}

const char* dataKindName(DataKind kind) {
    switch (kind) {
    case DataKind::None:
        return "none";
    case DataKind::String:
        return "string";
    case DataKind::StringArray:
        return "stringArray";
    case DataKind::Matrix:
        return "matrix";
    case DataKind::DoubleArray:
        return "doubleArray";
    case DataKind::IntArray:
        return "Int32Array";
    case DataKind::PointArray:
        return "pointArray";
    case DataKind::VectorArray:
        return "vectorArray";
    case DataKind::ComponentList:
        return "componentList";
    case DataKind::NurbsCurve:
        return "nurbsCurve";
    case DataKind::Mesh:
        return "mesh";
    case DataKind::PolyFaces:
        return "polyFaces";
    case DataKind::Numbers:
        return "numbers";
    case DataKind::Raw:
        return "raw";
    }
    return "none";
}

} // namespace vornexhost
