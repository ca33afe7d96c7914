// Mesh data as the scene file stores it on a mesh shape: "vrts", "edge", "face" (polyFaces),
// "uvSet" with names and points, colour sets ("colorSet", or the older "colors" array), and
// locked normals per face corner in "normals".
#include <vornexhost/MeshSource.h>
#include <vornexhost/Node.h>

#include <cmath>
#include <limits>

namespace vornexhost {

namespace {

// Normals written as this value or larger are placeholders for "not locked".
constexpr double kUnsetNormal = 1.0e19;

const ArrayStore* topArray(const Node& node, const char* name) {
    const Attribute* a = node.findAttribute(name);
    if (!a || a->parent || !a->array)
        return nullptr;
    const PlugStore* store = node.findTopStore(*a);
    return store ? store->array.get() : nullptr;
}

// The child array of a compound array element, or null.
const ArrayStore* childArray(const PlugStore& element, const Attribute& child) {
    if (element.children.size() <= child.childIndex)
        return nullptr;
    return element.children[child.childIndex].array.get();
}

std::string childText(const PlugStore& element, const Attribute& child) {
    if (element.children.size() <= child.childIndex)
        return {};
    const auto& data = element.children[child.childIndex].data;
    return data && data->kind == DataKind::String ? data->text : std::string();
}

// Values of a packed array of numbers, `stride` per element, at their logical indices; missing
// elements stay zero. Mesh arrays are dense: indices far beyond the number of stored elements
// are taken as corrupt rather than allocated.
bool denseNumbers(const ArrayStore* array, unsigned stride, std::vector<double>& out) {
    out.clear();
    if (!array || array->packing == ArrayStore::Packing::None || array->size() == 0)
        return true;
    const std::size_t count = std::size_t(array->logical.back()) + 1;
    if (count > array->size() * 4 + 1024)
        return false;
    out.assign(count * stride, 0.0);
    for (std::size_t p = 0; p < array->size(); ++p)
        for (unsigned k = 0; k < stride && k < array->stride; ++k)
            out[std::size_t(array->logical[p]) * stride + k] = array->number(p, k);
    return true;
}

// The faces address sets by their logical index in the file; `logical` keeps it per set.
void readUvSets(const Node& shape, MeshGeometry& mesh, std::vector<int>& logical) {
    const Attribute* uvSet = shape.findAttribute("uvSet");
    const ArrayStore* sets = topArray(shape, "uvSet");
    if (!uvSet || uvSet->children.size() < 2)
        return;
    const Attribute& nameAttr = *uvSet->children[0];
    const Attribute& pointsAttr = *uvSet->children[1];
    if (sets)
        for (std::size_t p = 0; p < sets->size(); ++p) {
            const PlugStore& element = sets->elements[p];
            MeshUvSet set;
            set.name = childText(element, nameAttr);
            std::vector<double> uv;
            if (!denseNumbers(childArray(element, pointsAttr), 2, uv))
                uv.clear();
            for (std::size_t i = 0; i + 1 < uv.size(); i += 2) {
                set.u.push_back(static_cast<float>(uv[i]));
                set.v.push_back(static_cast<float>(uv[i + 1]));
            }
            mesh.uvSets.push_back(std::move(set));
            logical.push_back(static_cast<int>(sets->logical[p]));
        }
    // Every mesh has a default UV set even when the file names none.
    if (mesh.uvSets.empty()) {
        mesh.uvSets.push_back({"map1", {}, {}, {}});
        logical.push_back(0);
    }
    if (mesh.uvSets[0].name.empty())
        mesh.uvSets[0].name = "map1";
}

void readColorSets(const Node& shape, MeshGeometry& mesh, std::vector<int>& logical) {
    const Attribute* colorSet = shape.findAttribute("colorSet");
    const ArrayStore* sets = topArray(shape, "colorSet");
    if (colorSet && sets && sets->size() > 0) {
        const Attribute* nameAttr = colorSet->child("colorName");
        const Attribute* pointsAttr = colorSet->child("colorSetPoints");
        for (std::size_t p = 0; p < sets->size(); ++p) {
            MeshColorSet set;
            const PlugStore& element = sets->elements[p];
            if (nameAttr)
                set.name = childText(element, *nameAttr);
            std::vector<double> rgba;
            if (pointsAttr && denseNumbers(childArray(element, *pointsAttr), 4, rgba))
                for (double x : rgba)
                    set.rgba.push_back(static_cast<float>(x));
            mesh.colorSets.push_back(std::move(set));
            logical.push_back(static_cast<int>(sets->logical[p]));
        }
        return;
    }
    // Older files keep one unnamed colour set in "colors".
    std::vector<double> rgba;
    if (denseNumbers(topArray(shape, "colors"), 4, rgba) && !rgba.empty()) {
        MeshColorSet set;
        set.name = "colorSet1";
        for (double x : rgba)
            set.rgba.push_back(static_cast<float>(x));
        mesh.colorSets.push_back(std::move(set));
        logical.push_back(0);
    }
}

// The ids of one loop's `size` corners for set `set`, or null; `anySet` takes the loop's first
// run (colours of the older storage carry no set number). A run too short for the loop counts
// as absent rather than letting the read run into the next loop's ids.
const std::int32_t* loopIds(const CornerIds& ids, std::uint32_t loop, std::uint32_t size, int set,
                            bool anySet) {
    const std::int32_t* found = nullptr;
    if (!anySet)
        found = ids.find(loop, set);
    else if (loop + 1 < ids.firstRun.size() && ids.firstRun[loop] != ids.firstRun[loop + 1])
        found = ids.ids.data() + ids.runs[ids.firstRun[loop]].first;
    if (!found || std::size_t(ids.ids.data() + ids.ids.size() - found) < size)
        return nullptr;
    return found;
}

// A face names its edges with a sign: i for the edge as stored, -1 - i for it reversed.
std::int32_t unsignedEdge(std::int32_t signedEdge) {
    return signedEdge >= 0 ? signedEdge : -1 - signedEdge;
}

// Writes the `size` corner vertices of one loop of (range-checked) signed edges. Some other
// tools write every edge index positive whatever the edge's stored direction; when the signs
// do not chain into a closed loop, the corners are derived by chaining the edges through their
// shared vertices instead, and the function returns true. A loop that closes neither way keeps
// the signed reading, for the index check to report.
bool loopCorners(const std::vector<MeshEdge>& edges, const std::int32_t* signedEdges,
                 std::uint32_t size, std::int32_t* corners) {
    auto start = [&](std::uint32_t k) {
        const MeshEdge& e = edges[std::size_t(unsignedEdge(signedEdges[k]))];
        return signedEdges[k] >= 0 ? e.v0 : e.v1;
    };
    auto signedReading = [&] {
        for (std::uint32_t k = 0; k < size; ++k)
            corners[k] = start(k);
    };
    bool closed = true;
    for (std::uint32_t k = 0; k < size; ++k) {
        const MeshEdge& e = edges[std::size_t(unsignedEdge(signedEdges[k]))];
        const std::int32_t endVertex = signedEdges[k] >= 0 ? e.v1 : e.v0;
        closed = closed && endVertex == start(k + 1 == size ? 0 : k + 1);
    }
    signedReading();
    if (closed || size < 2)
        return false;
    // The first edge runs away from the vertex it shares with the second.
    const MeshEdge& e0 = edges[std::size_t(unsignedEdge(signedEdges[0]))];
    const MeshEdge& e1 = edges[std::size_t(unsignedEdge(signedEdges[1]))];
    std::int32_t vertex = 0;
    if (e0.v1 == e1.v0 || e0.v1 == e1.v1)
        vertex = e0.v0;
    else if (e0.v0 == e1.v0 || e0.v0 == e1.v1)
        vertex = e0.v1;
    else
        return false;
    const std::int32_t firstVertex = vertex;
    for (std::uint32_t k = 0; k < size; ++k) {
        const MeshEdge& e = edges[std::size_t(unsignedEdge(signedEdges[k]))];
        corners[k] = vertex;
        if (e.v0 == vertex) {
            vertex = e.v1;
        } else if (e.v1 == vertex) {
            vertex = e.v0;
        } else {
            signedReading();
            return false;
        }
    }
    if (vertex != firstVertex) {
        signedReading();
        return false;
    }
    return true;
}

bool readFaces(const Node& shape, MeshGeometry& mesh, const std::vector<int>& uvLogical,
               const std::vector<int>& colorLogical, std::uint32_t& chainedLoops,
               std::string& error) {
    const ArrayStore* faces = topArray(shape, "face");
    mesh.faceStart.assign(1, 0);
    for (MeshUvSet& set : mesh.uvSets)
        set.cornerUv.clear();
    for (MeshColorSet& set : mesh.colorSets)
        set.cornerColor.clear();
    if (!faces)
        return true;
    // Colours of the older storage carry no set number: they belong to the one set.
    const bool oldColors = topArray(shape, "colorSet") == nullptr;
    for (std::size_t p = 0; p < faces->size(); ++p) {
        const PlugStore& element = faces->elements[p];
        if (!element.data || element.data->kind != DataKind::PolyFaces)
            continue;
        const PolyFaces& pf = element.data->faces;
        const std::uint32_t f = element.part;
        if (f >= pf.faceCount() || pf.faceFirstLoop[f + 1] > pf.loopFirstEdge.size()) {
            error = "face " + std::to_string(faces->logical[p]) + " has no loops";
            return false;
        }
        for (std::uint32_t loop = pf.faceFirstLoop[f]; loop < pf.faceFirstLoop[f + 1]; ++loop) {
            if (loop + 1 >= pf.loopFirstEdge.size() ||
                pf.loopFirstEdge[loop + 1] > pf.edges.size()) {
                error = "face " + std::to_string(faces->logical[p]) + " names missing edges";
                return false;
            }
            const std::uint32_t first = pf.loopFirstEdge[loop];
            const std::uint32_t end = pf.loopFirstEdge[loop + 1];
            const std::uint32_t size = end - first;
            const std::int32_t* signedEdges = pf.edges.data() + first;
            for (std::uint32_t k = 0; k < size; ++k) {
                const std::int32_t e = unsignedEdge(signedEdges[k]);
                if (std::size_t(e) >= mesh.edges.size()) {
                    error = "face " + std::to_string(faces->logical[p]) + " names edge " +
                            std::to_string(e) + " beyond the " + std::to_string(mesh.edges.size()) +
                            " edges";
                    return false;
                }
            }
            const std::size_t at = mesh.cornerVertex.size();
            mesh.cornerVertex.resize(at + size);
            if (loopCorners(mesh.edges, signedEdges, size, mesh.cornerVertex.data() + at))
                ++chainedLoops;
            for (std::uint32_t k = 0; k < size; ++k) {
                mesh.cornerEdge.push_back(unsignedEdge(signedEdges[k]));
                mesh.cornerPrevEdge.push_back(unsignedEdge(signedEdges[k == 0 ? size - 1 : k - 1]));
            }
            for (std::size_t s = 0; s < mesh.uvSets.size(); ++s) {
                const std::int32_t* ids = loopIds(pf.uvs, loop, size, uvLogical[s], false);
                for (std::uint32_t k = 0; k < size; ++k)
                    mesh.uvSets[s].cornerUv.push_back(ids ? ids[k] : -1);
            }
            for (std::size_t s = 0; s < mesh.colorSets.size(); ++s) {
                const std::int32_t* ids =
                    loopIds(pf.colors, loop, size, colorLogical[s], oldColors);
                for (std::uint32_t k = 0; k < size; ++k)
                    mesh.colorSets[s].cornerColor.push_back(ids ? ids[k] : -1);
            }
        }
        mesh.faceStart.push_back(static_cast<std::uint32_t>(mesh.cornerVertex.size()));
    }
    return true;
}

} // namespace

bool readStoredMesh(const Node& shape, MeshGeometry& mesh, std::string& error,
                    std::uint32_t* chainedLoops) {
    mesh = MeshGeometry();
    std::uint32_t chained = 0;
    if (!denseNumbers(topArray(shape, "vrts"), 3, mesh.points)) {
        error = "vertex indices out of range";
        return false;
    }
    std::vector<double> edges;
    if (!denseNumbers(topArray(shape, "edge"), 3, edges)) {
        error = "edge indices out of range";
        return false;
    }
    for (std::size_t i = 0; i + 2 < edges.size(); i += 3) {
        // The third number is the edge's smoothing: 1 smooth, 0 hard.
        mesh.edges.push_back({static_cast<std::int32_t>(edges[i]),
                              static_cast<std::int32_t>(edges[i + 1]), edges[i + 2] != 0.0});
    }
    std::vector<int> uvLogical;
    std::vector<int> colorLogical;
    readUvSets(shape, mesh, uvLogical);
    readColorSets(shape, mesh, colorLogical);
    if (const Attribute* current = shape.findAttribute("currentUVSet"))
        if (const PlugStore* store = shape.findTopStore(*current); store && store->data)
            if (const int index = mesh.uvSetIndex(store->data->text); index >= 0)
                mesh.currentUvSet = index;
    if (!mesh.colorSets.empty()) {
        mesh.currentColorSet = 0;
        if (const Attribute* current = shape.findAttribute("currentColorSet"))
            if (const PlugStore* store = shape.findTopStore(*current); store && store->data)
                if (const int index = mesh.colorSetIndex(store->data->text); index >= 0)
                    mesh.currentColorSet = index;
    }
    for (const MeshEdge& edge : mesh.edges)
        if (edge.v0 < 0 || edge.v1 < 0 || std::size_t(edge.v0) >= mesh.vertexCount() ||
            std::size_t(edge.v1) >= mesh.vertexCount()) {
            error = "an edge names a vertex beyond the " + std::to_string(mesh.vertexCount()) +
                    " vertices";
            return false;
        }
    if (!readFaces(shape, mesh, uvLogical, colorLogical, chained, error))
        return false;
    if (chainedLoops)
        *chainedLoops = chained;

    std::vector<double> normals;
    if (denseNumbers(topArray(shape, "normals"), 3, normals) && !normals.empty()) {
        mesh.userNormals.assign(std::size_t(mesh.cornerCount()) * 3,
                                std::numeric_limits<float>::quiet_NaN());
        for (std::size_t c = 0; c < mesh.cornerCount() && c * 3 + 2 < normals.size(); ++c) {
            const double* n = &normals[c * 3];
            const double length = std::sqrt(n[0] * n[0] + n[1] * n[1] + n[2] * n[2]);
            if (std::fabs(n[0]) >= kUnsetNormal || length == 0.0 || !std::isfinite(length))
                continue;
            for (std::size_t k = 0; k < 3; ++k)
                mesh.userNormals[c * 3 + k] = static_cast<float>(n[k] / length);
        }
    }
    return checkMeshIndices(mesh, error);
}

void applyPointTweaks(const Node& shape, MeshGeometry& mesh) {
    const ArrayStore* tweaks = topArray(shape, "pnts");
    if (!tweaks || tweaks->packing == ArrayStore::Packing::None)
        return;
    for (std::size_t p = 0; p < tweaks->size(); ++p) {
        const std::size_t v = tweaks->logical[p];
        if (v >= mesh.vertexCount())
            continue; // tweaks of vertices the mesh no longer has are ignored, as the host does
        for (unsigned k = 0; k < 3 && k < tweaks->stride; ++k)
            mesh.points[v * 3 + k] += tweaks->number(p, k);
    }
}

} // namespace vornexhost
