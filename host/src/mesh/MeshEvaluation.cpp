// Geometry flow into a mesh shape. Deformers that the stand-in models (skin cluster, tweak,
// group parts: every geometry filter) pass their input through unchanged, which is the bind
// pose; the polygon primitive creators generate their mesh; anything else upstream cannot be
// evaluated and leaves the shape empty with a warning.
#include <vornexhost/Evaluator.h>
#include <vornexhost/Handles.h>
#include <vornexhost/MeshSource.h>
#include <vornexhost/Node.h>
#include <vornexhost/PolyPrimitives.h>
#include <vornexhost/Scene.h>
#include <vornexhost/SceneRevision.h>
#include <vornexhost/ScriptEditor.h>

#include "Shared/Base/WorkSharing.h"

#include <map>
#include <memory>
#include <mutex>
#include <set>
#include <string>
#include <vector>

namespace vornexhost {

namespace {

// A malformed scene can connect geometry in a loop.
constexpr int kMaxDepth = 64;

// Warnings with the shape each is told once for.
using MeshWarnings = std::vector<std::pair<const Node*, std::string>>;

// Each problem is told once per node, however often the mesh is evaluated.
void warnOnce(const Node& shape, const std::string& text) {
    static std::mutex lock;
    static std::map<std::weak_ptr<const Object>, std::set<std::string>, std::owner_less<>> told;
    {
        const std::lock_guard<std::mutex> guard(lock);
        if (!told[shape.weak_from_this()].insert(text).second)
            return;
    }
    scriptEditorLine(ScriptEditorKind::Warning, text);
}

bool shapeGeometry(const Node& shape, MeshGeometry& out, int depth, std::string& warning,
                   MeshWarnings& notes);

bool upstreamGeometry(const Node& shape, const PlugAddress& source, MeshGeometry& out, int depth,
                      std::string& warning, MeshWarnings& notes) {
    const Node& node = *source.node;
    if (depth > kMaxDepth) {
        warning = "The geometry feeding mesh <" + shape.name() + "> runs in a loop through <" +
                  node.name() + ">; it is read as empty.";
        return false;
    }
    if (node.hasFn(MFn::kMesh))
        return shapeGeometry(node, out, depth + 1, warning, notes);
    if (node.hasFn(MFn::kGeometryFilt)) {
        // outputGeometry[i] is input[i].inputGeometry passed through.
        const Attribute* input = node.findAttribute("input");
        const Attribute* geometry = input ? input->child("inputGeometry") : nullptr;
        const std::int32_t index = source.indices.empty() ? 0 : source.indices.front();
        PlugAddress in{const_cast<Node*>(&node), geometry, {index < 0 ? 0 : index}};
        const PlugAddress next = geometry ? sourceOf(in) : PlugAddress();
        if (next.isNull()) {
            warning = "Deformer <" + node.name() + "> feeding mesh <" + shape.name() +
                      "> has no input geometry; the mesh is read as empty.";
            return false;
        }
        return upstreamGeometry(shape, next, out, depth + 1, warning, notes);
    }
    if (isPolyCreator(node)) {
        std::string error;
        if (createPolyPrimitive(node, out, error))
            return true;
        warning = "Cannot evaluate <" + node.name() + "> (" + node.type().name +
                  ") feeding mesh <" + shape.name() + ">: " + error +
                  ". Delete history on the mesh; it is read as empty.";
        return false;
    }
    warning = "Cannot evaluate construction history node <" + node.name() + "> (" +
              node.type().name + ") feeding mesh <" + shape.name() +
              ">. Delete history on the mesh; it is read as empty.";
    return false;
}

// `warning` says why the shape cannot be evaluated; `notes` gathers what it can be despite.
bool shapeGeometry(const Node& shape, MeshGeometry& out, int depth, std::string& warning,
                   MeshWarnings& notes) {
    const Attribute* inMesh = shape.findAttribute("inMesh");
    const PlugAddress source =
        inMesh ? sourceOf({const_cast<Node*>(&shape), inMesh, {}}) : PlugAddress();
    if (source.isNull()) {
        std::string error;
        std::uint32_t chained = 0;
        if (!readStoredMesh(shape, out, error, &chained)) {
            warning = "Mesh data of <" + shape.name() + "> are malformed: " + error +
                      "; the mesh is read as empty.";
            return false;
        }
        if (chained > 0)
            notes.emplace_back(&shape, "Faces of mesh <" + shape.name() +
                                           "> list edges against their stored directions; "
                                           "corners were found by chaining the edges through "
                                           "their shared vertices.");
    } else if (!upstreamGeometry(shape, source, out, depth, warning, notes)) {
        return false;
    }
    applyPointTweaks(shape, out);
    return true;
}

// Builds the shape's mesh; what it finds to warn about goes to `warnings`, for the caller to
// tell when the mesh is asked for.
std::shared_ptr<const MeshGeometry> buildMesh(const Node& shape, MeshWarnings& warnings) {
    auto mesh = std::make_shared<MeshGeometry>();
    std::string warning;
    if (!shapeGeometry(shape, *mesh, 0, warning, warnings)) {
        warnings.emplace_back(&shape, warning);
        *mesh = MeshGeometry();
        mesh->faceStart.assign(1, 0);
        mesh->uvSets.push_back({"map1", {}, {}, {}});
    }
    if (mesh->faceStart.empty())
        mesh->faceStart.assign(1, 0);
    if (mesh->uvSets.empty())
        mesh->uvSets.push_back({"map1", {}, {}, {}});
    buildMeshTopology(*mesh);
    return mesh;
}

// The host is driven from one thread; the lock keeps the shapes evaluated ahead, side by side,
// and a stray second thread from tearing a stored mesh.
std::mutex& storedMeshLock() {
    static std::mutex lock;
    return lock;
}

bool isCurrent(const Node::EvaluatedMesh& stored, std::uint64_t revision, double time) {
    return stored.mesh && stored.revision == revision && stored.time == time;
}

} // namespace

std::shared_ptr<const MeshGeometry> evaluateMesh(const Node& shape) {
    const std::uint64_t revision = sceneRevision();
    const double time = sceneTime();
    std::shared_ptr<const MeshGeometry> mesh;
    MeshWarnings warnings;
    {
        const std::lock_guard<std::mutex> guard(storedMeshLock());
        Node::EvaluatedMesh& stored = shape.evaluatedMesh;
        if (isCurrent(stored, revision, time)) {
            mesh = stored.mesh;
            warnings = std::move(stored.warnings);
            stored.warnings.clear();
        }
    }
    if (!mesh) {
        // Built outside the lock: evaluation may read other shapes upstream. A scene that
        // changed meanwhile leaves a stale revision behind, and the next request evaluates again.
        mesh = buildMesh(shape, warnings);
        const std::lock_guard<std::mutex> guard(storedMeshLock());
        shape.evaluatedMesh = {mesh, revision, time, {}};
    }
    for (const auto& [node, text] : warnings)
        warnOnce(*node, text);
    return mesh;
}

void evaluateMeshesAhead(const std::vector<const Node*>& shapes) {
    const std::uint64_t revision = sceneRevision();
    const double time = sceneTime();
    // Building reads the scene only; each shape's result goes to its own node.
    vx::shareWork(shapes.size(), [&](std::size_t i) {
        const Node& shape = *shapes[i];
        {
            const std::lock_guard<std::mutex> guard(storedMeshLock());
            if (isCurrent(shape.evaluatedMesh, revision, time))
                return;
        }
        MeshWarnings warnings;
        auto mesh = buildMesh(shape, warnings);
        const std::lock_guard<std::mutex> guard(storedMeshLock());
        shape.evaluatedMesh = {std::move(mesh), revision, time, std::move(warnings)};
    });
}

std::vector<const Node*> meshShapes(const Scene& scene) {
    std::vector<const Node*> shapes;
    for (const auto& node : scene.nodes())
        if (node->hasFn(MFn::kMesh))
            shapes.push_back(node.get());
    return shapes;
}

std::shared_ptr<const MeshGeometry> evaluateMesh(const MObject& shape) {
    const Node* node = nodeOf(shape);
    if (!node || !node->hasFn(MFn::kMesh))
        return nullptr;
    return evaluateMesh(*node);
}

} // namespace vornexhost
