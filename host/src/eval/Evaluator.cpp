#include <vornexhost/AnimCurve.h>
#include <vornexhost/Evaluator.h>
#include <vornexhost/PlugValues.h>
#include <vornexhost/Scene.h>

#include <maya/MEulerRotation.h>
#include <maya/MQuaternion.h>

namespace vornexhost {

namespace {

// Connections can form loops in a malformed scene; evaluation gives up beyond this depth.
constexpr int kMaxDepth = 64;

double evalNumberAt(const PlugAddress& plug, double time, int depth);

// The plug `plug` would be if `ancestorSource` replaced the ancestor at `ancestorDepth`.
PlugAddress mapThroughAncestor(const PlugAddress& plug, const PlugAddress& ancestorSource,
                               const std::vector<const Attribute*>& chain, std::size_t level) {
    PlugAddress out = ancestorSource;
    const Attribute* srcAttr = ancestorSource.attribute;
    for (std::size_t i = level + 1; i < chain.size(); ++i) {
        const unsigned child = chain[i]->childIndex;
        if (!srcAttr || child >= srcAttr->children.size())
            return ancestorSource; // the source has no matching child: it feeds the whole
        srcAttr = srcAttr->children[child].get();
        out.attribute = srcAttr;
        if (srcAttr->array) {
            // Carry the destination's index for this level across.
            std::size_t dstLevel = 0;
            for (std::size_t j = 0; j <= i; ++j)
                if (chain[j]->array)
                    ++dstLevel;
            out.indices.push_back(dstLevel - 1 < plug.indices.size() ? plug.indices[dstLevel - 1]
                                                                     : -1);
        }
    }
    return out;
}

const Scene* sceneOf(const PlugAddress& plug) {
    return plug.node ? plug.node->scene() : nullptr;
}

double computedNumber(const PlugAddress& plug, double time, int depth) {
    const Node& node = *plug.node;
    switch (plug.attribute->computed) {
    case Computed::CurveOutput:
        return evaluateAnimCurve(readAnimCurve(node), time);
    case Computed::TimeOutput:
        return time;
    case Computed::ConversionOutput: {
        const Attribute* in = node.findAttribute("input");
        const Attribute* factor = node.findAttribute("conversionFactor");
        if (!in || !factor)
            return 0.0;
        return evalNumberAt({plug.node, in, {}}, time, depth + 1) *
               evalNumberAt({plug.node, factor, {}}, time, depth + 1);
    }
    default:
        return storedNumber(plug);
    }
}

double evalNumberAt(const PlugAddress& plug, double time, int depth) {
    if (plug.isNull())
        return 0.0;
    if (depth < kMaxDepth) {
        const PlugAddress source = sourceOf(plug);
        if (!source.isNull())
            return evalNumberAt(source, time, depth + 1);
        if (plug.attribute->computed != Computed::None)
            return computedNumber(plug, time, depth);
    }
    return storedNumber(plug);
}

MMatrix matrixFromData(const Data& data) {
    MMatrix m;
    if (data.numbers.size() >= 16)
        for (unsigned r = 0; r < 4; ++r)
            for (unsigned c = 0; c < 4; ++c)
                m[r][c] = data.numbers[r * 4 + c];
    return m;
}

} // namespace

PlugAddress sourceOf(const PlugAddress& plug) {
    const Scene* scene = sceneOf(plug);
    if (!scene)
        return {};
    if (const Connection* c = scene->incoming(plug))
        return c->source;
    // A connection into a compound parent (or a whole array) feeds its children.
    const std::vector<const Attribute*> chain = plug.chain();
    for (std::size_t level = chain.size() - 1; level-- > 0;) {
        PlugAddress ancestor;
        ancestor.node = plug.node;
        ancestor.attribute = chain[level];
        std::size_t arrays = 0;
        for (std::size_t j = 0; j <= level; ++j)
            if (chain[j]->array)
                ++arrays;
        ancestor.indices.assign(plug.indices.begin(),
                                plug.indices.begin() + static_cast<std::ptrdiff_t>(
                                                           std::min(arrays, plug.indices.size())));
        if (const Connection* c = scene->incoming(ancestor))
            return mapThroughAncestor(plug, c->source, chain, level);
    }
    return {};
}

double evalNumber(const PlugAddress& plug, double time) {
    return evalNumberAt(plug, time, 0);
}

namespace {

// The plug at the far end of a chain of connections ending in `plug` (itself if unconnected).
PlugAddress ultimateSource(const PlugAddress& plug) {
    PlugAddress at = plug;
    for (int depth = 0; depth < kMaxDepth; ++depth) {
        PlugAddress source = sourceOf(at);
        if (source.isNull())
            break;
        at = std::move(source);
    }
    return at;
}

} // namespace

std::shared_ptr<const Data> evalData(const PlugAddress& plug, double, std::uint32_t* part) {
    // Data values are stored, never animated: the time does not change them.
    return storedData(ultimateSource(plug), part);
}

namespace {

// Matrices can feed each other through offsets (a.wm -> b.opm, b.wm -> a.opm): nested matrix
// evaluations are counted, and beyond the depth limit a matrix reads as absent.
int& matrixDepth() {
    thread_local int depth = 0;
    return depth;
}

struct MatrixDepthGuard {
    MatrixDepthGuard() { ++matrixDepth(); }
    ~MatrixDepthGuard() { --matrixDepth(); }
    MatrixDepthGuard(const MatrixDepthGuard&) = delete;
    MatrixDepthGuard& operator=(const MatrixDepthGuard&) = delete;
    bool tooDeep() const { return matrixDepth() > kMaxDepth; }
};

} // namespace

bool evalMatrix(const PlugAddress& plug, double time, MMatrix& out) {
    const MatrixDepthGuard guard;
    if (guard.tooDeep())
        return false;
    const PlugAddress at = ultimateSource(plug);
    if (at.isNull())
        return false;
    const Node& node = *at.node;
    const Computed how = at.attribute->computed;
    if (how != Computed::None && node.isDag()) {
        const std::vector<NodePath> paths = allPathsTo(&node);
        const std::int32_t index = at.indices.empty() ? 0 : at.indices.back();
        const std::size_t instance = index < 0 ? 0u : static_cast<std::size_t>(index);
        NodePath path = instance < paths.size() ? paths[instance] : NodePath{};
        switch (how) {
        case Computed::Matrix:
            out = localMatrix(node, time);
            return true;
        case Computed::InverseMatrix:
            out = localMatrix(node, time).inverse();
            return true;
        case Computed::WorldMatrix:
            out = path.empty() ? localMatrix(node, time) : worldMatrix(path, time);
            return true;
        case Computed::WorldInverseMatrix:
            out = (path.empty() ? localMatrix(node, time) : worldMatrix(path, time)).inverse();
            return true;
        case Computed::ParentMatrix:
        case Computed::ParentInverseMatrix: {
            MMatrix parent;
            if (path.size() > 1) {
                path.pop_back();
                parent = worldMatrix(path, time);
            }
            out = how == Computed::ParentMatrix ? parent : parent.inverse();
            return true;
        }
        default:
            break;
        }
    }
    const std::shared_ptr<const Data> data = storedData(at);
    if (!data || data->kind != DataKind::Matrix)
        return false;
    out = matrixFromData(*data);
    return true;
}

double nodeNumber(const Node& node, const char* attribute, double time) {
    const Attribute* a = node.findAttribute(attribute);
    if (!a)
        return 0.0;
    PlugAddress p{const_cast<Node*>(&node), a, {}};
    for (const Attribute* x = a; x; x = x->parent)
        if (x->array)
            return 0.0;
    return evalNumber(p, time);
}

namespace {

MVector vectorOf(const Node& node, const char* x, const char* y, const char* z, double time) {
    return {nodeNumber(node, x, time), nodeNumber(node, y, time), nodeNumber(node, z, time)};
}

MEulerRotation eulerOf(const Node& node, const char* x, const char* y, const char* z,
                       MEulerRotation::RotationOrder order, double time) {
    return {nodeNumber(node, x, time), nodeNumber(node, y, time), nodeNumber(node, z, time), order};
}

MMatrix translation(const MVector& v) {
    MMatrix m;
    m[3][0] = v.x;
    m[3][1] = v.y;
    m[3][2] = v.z;
    return m;
}

MMatrix scaling(const MVector& s) {
    MMatrix m;
    m[0][0] = s.x;
    m[1][1] = s.y;
    m[2][2] = s.z;
    return m;
}

MEulerRotation::RotationOrder rotateOrderOf(const Node& node, double time) {
    const int order = numeric::toInt(nodeNumber(node, "ro", time));
    return order >= 0 && order <= 5 ? static_cast<MEulerRotation::RotationOrder>(order)
                                    : MEulerRotation::kXYZ;
}

bool offsetParentMatrix(const Node& node, double time, MMatrix& out) {
    const Attribute* opm = node.findAttribute("offsetParentMatrix");
    if (!opm)
        return false;
    return evalMatrix({const_cast<Node*>(&node), opm, {}}, time, out);
}

} // namespace

MTransformationMatrix transformationOf(const Node& node, double time) {
    if (node.hasFn(MFn::kJoint))
        return MTransformationMatrix(localMatrix(node, time));
    MTransformationMatrix tm;
    if (!node.hasFn(MFn::kTransform))
        return tm;
    tm.setTranslation(vectorOf(node, "tx", "ty", "tz", time), MSpace::kTransform);
    tm.setRotation(eulerOf(node, "rx", "ry", "rz", rotateOrderOf(node, time), time));
    tm.setRotationOrientation(
        eulerOf(node, "rax", "ray", "raz", MEulerRotation::kXYZ, time).asQuaternion());
    const double scale[3] = {nodeNumber(node, "sx", time), nodeNumber(node, "sy", time),
                             nodeNumber(node, "sz", time)};
    tm.setScale(scale, MSpace::kTransform);
    const double shear[3] = {nodeNumber(node, "shxy", time), nodeNumber(node, "shxz", time),
                             nodeNumber(node, "shyz", time)};
    tm.setShear(shear, MSpace::kTransform);
    tm.setScalePivot(MPoint(vectorOf(node, "spx", "spy", "spz", time)), MSpace::kTransform, false);
    tm.setRotatePivot(MPoint(vectorOf(node, "rpx", "rpy", "rpz", time)), MSpace::kTransform, false);
    tm.setScalePivotTranslation(vectorOf(node, "sptx", "spty", "sptz", time), MSpace::kTransform);
    tm.setRotatePivotTranslation(vectorOf(node, "rptx", "rpty", "rptz", time), MSpace::kTransform);
    return tm;
}

MMatrix localMatrix(const Node& node, double time) {
    MMatrix local;
    if (node.hasFn(MFn::kJoint)) {
        const MMatrix s = scaling(vectorOf(node, "sx", "sy", "sz", time));
        const MMatrix so =
            eulerOf(node, "rax", "ray", "raz", MEulerRotation::kXYZ, time).asMatrix();
        const MMatrix r =
            eulerOf(node, "rx", "ry", "rz", rotateOrderOf(node, time), time).asMatrix();
        const MMatrix jo =
            eulerOf(node, "jox", "joy", "joz", MEulerRotation::kXYZ, time).asMatrix();
        MMatrix inverseScale;
        if (nodeNumber(node, "ssc", time) != 0.0) {
            const MVector is = vectorOf(node, "isx", "isy", "isz", time);
            inverseScale = scaling({is.x != 0.0 ? 1.0 / is.x : 1.0, is.y != 0.0 ? 1.0 / is.y : 1.0,
                                    is.z != 0.0 ? 1.0 / is.z : 1.0});
        }
        const MMatrix t = translation(vectorOf(node, "tx", "ty", "tz", time));
        local = s * so * r * jo * inverseScale * t;
    } else if (node.hasFn(MFn::kTransform)) {
        local = transformationOf(node, time).asMatrix();
    } else {
        return local;
    }
    MMatrix offset;
    if (offsetParentMatrix(node, time, offset))
        local = local * offset;
    return local;
}

MMatrix worldMatrix(const NodePath& path, double time) {
    MMatrix world;
    for (std::size_t i = path.size(); i-- > 0;) {
        const Node& node = *path[i];
        world = world * localMatrix(node, time);
        if (node.hasFn(MFn::kTransform) && nodeNumber(node, "it", time) == 0.0)
            break;
    }
    return world;
}

} // namespace vornexhost
