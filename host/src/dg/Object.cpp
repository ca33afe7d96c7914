#include <vornexhost/Object.h>

#include <atomic>

namespace vornexhost {
namespace {

struct TypeInfo {
    MFn::Type type;
    MFn::Type parent;
    const char* name;
};

// Each type with the function set it derives from.
constexpr TypeInfo kTypes[] = {
    {MFn::kInvalid, MFn::kInvalid, "kInvalid"},
    {MFn::kBase, MFn::kInvalid, "kBase"},
    {MFn::kNamedObject, MFn::kBase, "kNamedObject"},
    {MFn::kDependencyNode, MFn::kNamedObject, "kDependencyNode"},
    {MFn::kAnimCurve, MFn::kDependencyNode, "kAnimCurve"},
    {MFn::kAnimCurveTimeToAngular, MFn::kAnimCurve, "kAnimCurveTimeToAngular"},
    {MFn::kAnimCurveTimeToDistance, MFn::kAnimCurve, "kAnimCurveTimeToDistance"},
    {MFn::kAnimCurveTimeToTime, MFn::kAnimCurve, "kAnimCurveTimeToTime"},
    {MFn::kAnimCurveTimeToUnitless, MFn::kAnimCurve, "kAnimCurveTimeToUnitless"},
    {MFn::kBump, MFn::kDependencyNode, "kBump"},
    {MFn::kDagNode, MFn::kDependencyNode, "kDagNode"},
    {MFn::kTransform, MFn::kDagNode, "kTransform"},
    {MFn::kJoint, MFn::kTransform, "kJoint"},
    {MFn::kLodGroup, MFn::kTransform, "kLodGroup"},
    {MFn::kShape, MFn::kDagNode, "kShape"},
    {MFn::kWorld, MFn::kDagNode, "kWorld"},
    {MFn::kCamera, MFn::kShape, "kCamera"},
    {MFn::kNurbsCurve, MFn::kShape, "kNurbsCurve"},
    {MFn::kLocator, MFn::kShape, "kLocator"},
    {MFn::kMesh, MFn::kShape, "kMesh"},
    {MFn::kTime, MFn::kDependencyNode, "kTime"},
    {MFn::kUnitConversion, MFn::kDependencyNode, "kUnitConversion"},
    {MFn::kScript, MFn::kDependencyNode, "kScript"},
    {MFn::kSet, MFn::kDependencyNode, "kSet"},
    {MFn::kShadingEngine, MFn::kSet, "kShadingEngine"},
    {MFn::kGroupId, MFn::kDependencyNode, "kGroupId"},
    {MFn::kGeometryFilt, MFn::kDependencyNode, "kGeometryFilt"},
    {MFn::kGroupParts, MFn::kGeometryFilt, "kGroupParts"},
    {MFn::kTweak, MFn::kGeometryFilt, "kTweak"},
    {MFn::kSkinClusterFilter, MFn::kGeometryFilt, "kSkinClusterFilter"},
    {MFn::kMaterialInfo, MFn::kDependencyNode, "kMaterialInfo"},
    {MFn::kLightLink, MFn::kDependencyNode, "kLightLink"},
    {MFn::kLambert, MFn::kDependencyNode, "kLambert"},
    {MFn::kReflect, MFn::kLambert, "kReflect"},
    {MFn::kBlinn, MFn::kReflect, "kBlinn"},
    {MFn::kPhong, MFn::kReflect, "kPhong"},
    {MFn::kLayeredShader, MFn::kDependencyNode, "kLayeredShader"},
    {MFn::kPlace2dTexture, MFn::kDependencyNode, "kPlace2dTexture"},
    {MFn::kFileTexture, MFn::kDependencyNode, "kFileTexture"},
    {MFn::kUvChooser, MFn::kDependencyNode, "kUvChooser"},
    {MFn::kLayeredTexture, MFn::kDependencyNode, "kLayeredTexture"},
    {MFn::kPluginDependNode, MFn::kDependencyNode, "kPluginDependNode"},
    {MFn::kPluginHwShaderNode, MFn::kPluginDependNode, "kPluginHwShaderNode"},
    {MFn::kAttribute, MFn::kBase, "kAttribute"},
    {MFn::kMessageAttribute, MFn::kAttribute, "kMessageAttribute"},
    {MFn::kNumericAttribute, MFn::kAttribute, "kNumericAttribute"},
    {MFn::kCompoundAttribute, MFn::kAttribute, "kCompoundAttribute"},
    {MFn::kTypedAttribute, MFn::kAttribute, "kTypedAttribute"},
    {MFn::kEnumAttribute, MFn::kAttribute, "kEnumAttribute"},
    {MFn::kUnitAttribute, MFn::kAttribute, "kUnitAttribute"},
    {MFn::kGenericAttribute, MFn::kAttribute, "kGenericAttribute"},
    {MFn::kData, MFn::kBase, "kData"},
    {MFn::kComponentListData, MFn::kData, "kComponentListData"},
    {MFn::kNurbsCurveData, MFn::kData, "kNurbsCurveData"},
    {MFn::kMeshData, MFn::kData, "kMeshData"},
    {MFn::kPolyCube, MFn::kDependencyNode, "kPolyCube"},
    {MFn::kPolyPlane, MFn::kDependencyNode, "kPolyPlane"},
    {MFn::kPolySphere, MFn::kDependencyNode, "kPolySphere"},
    {MFn::kPolyCylinder, MFn::kDependencyNode, "kPolyCylinder"},
    {MFn::kPolyBlindData, MFn::kDependencyNode, "kPolyBlindData"},
    {MFn::kBlindDataTemplate, MFn::kDependencyNode, "kBlindDataTemplate"},
    {MFn::kComponent, MFn::kBase, "kComponent"},
    {MFn::kMeshEdgeComponent, MFn::kComponent, "kMeshEdgeComponent"},
    {MFn::kMeshPolygonComponent, MFn::kComponent, "kMeshPolygonComponent"},
    {MFn::kMeshVertComponent, MFn::kComponent, "kMeshVertComponent"},
};

const TypeInfo* info(MFn::Type type) {
    for (const TypeInfo& t : kTypes)
        if (t.type == type)
            return &t;
    return nullptr;
}

} // namespace

bool Object::hasFn(MFn::Type type) const {
    return typeHasFn(apiType(), type);
}

Object::Object() {
    static std::atomic<unsigned> next{1};
    m_serial = next.fetch_add(1, std::memory_order_relaxed);
}

bool typeHasFn(MFn::Type type, MFn::Type fn) {
    if (fn == MFn::kInvalid || type == MFn::kInvalid)
        return false;
    for (const TypeInfo* t = info(type); t; t = t->type == t->parent ? nullptr : info(t->parent)) {
        if (t->type == fn)
            return true;
        if (t->parent == MFn::kInvalid)
            break;
    }
    return false;
}

const char* typeNameOf(MFn::Type type) {
    const TypeInfo* t = info(type);
    return t ? t->name : "kInvalid";
}

} // namespace vornexhost
