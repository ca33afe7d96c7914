#include "tools/info/CollisionMeshFileInfo.h"

#include "Shared/Base/File/Pc/InFile.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <ostream>
#include <set>
#include <string>

namespace vx::info {

namespace {

struct TreeShape {
    std::size_t leaves = 0;
    std::size_t largestLeaf = 0;
    std::size_t leafFaces = 0;
    int depth = 0;
};

// Walks use an explicit stack: a file's tree may be a long chain of nodes.
void measure(const CollisionMeshRecord& mesh, TreeShape& shape) {
    std::vector<std::pair<std::uint32_t, int>> pending{{0u, 1}};
    while (!pending.empty()) {
        const auto [node, depth] = pending.back();
        pending.pop_back();
        const SpatialTreeNode& record = mesh.nodes[node];
        for (unsigned c = 0; c < 2; ++c) {
            if (record.flags & (c == 0 ? kTreeChild0Leaf : kTreeChild1Leaf)) {
                const std::size_t count = (record.flags >> (c == 0 ? 16 : 24)) & 0xFFu;
                ++shape.leaves;
                shape.leafFaces += count;
                shape.largestLeaf = std::max(shape.largestLeaf, count);
                shape.depth = std::max(shape.depth, depth + 1);
            } else {
                pending.emplace_back(record.child[c], depth + 1);
            }
        }
    }
}

void collect(const CollisionMeshRecord& mesh, const Vector3& point,
             std::set<std::uint16_t>& found) {
    std::vector<std::uint32_t> pending{0u};
    while (!pending.empty()) {
        const SpatialTreeNode& record = mesh.nodes[pending.back()];
        pending.pop_back();
        const float p = point[record.flags & 3u];
        for (unsigned c = 0; c < 2; ++c) {
            if (c == 0 ? p > record.split : p < record.split)
                continue;
            if (record.flags & (c == 0 ? kTreeChild0Leaf : kTreeChild1Leaf)) {
                const std::uint32_t count = (record.flags >> (c == 0 ? 16 : 24)) & 0xFFu;
                for (std::uint32_t i = 0; i < count; ++i)
                    found.insert(mesh.treeFaces[record.child[c] + i]);
            } else {
                pending.push_back(record.child[c]);
            }
        }
    }
}

void printVector(std::ostream& out, const Vector3& v) {
    out << v.x << ' ' << v.y << ' ' << v.z;
}

void printMesh(const CollisionMeshRecord& mesh, std::ostream& out) {
    out << "    col" << mesh.number << ": " << mesh.faces.size() << " faces, "
        << mesh.vertices.size() << " vertices\n";
    std::map<std::uint16_t, std::size_t> materials;
    for (const CollisionFace& face : mesh.faces)
        ++materials[face.material];
    out << "      materials:";
    for (const auto& [material, count] : materials)
        out << ' ' << material << " (" << count << " faces)";
    out << "\n      box ";
    printVector(out, mesh.min);
    out << " .. ";
    printVector(out, mesh.max);
    out << '\n';
    if (mesh.hasTree) {
        TreeShape shape;
        measure(mesh, shape);
        out << "      tree: depth " << shape.depth << ", " << mesh.nodes.size() << " nodes, "
            << shape.leaves << " leaves, largest leaf " << shape.largestLeaf << ", mean leaf "
            << (shape.leaves
                    ? static_cast<double>(shape.leafFaces) / static_cast<double>(shape.leaves)
                    : 0.0)
            << '\n';
    } else {
        out << "      no tree\n";
    }
    if (mesh.hasAdjacency) {
        const auto border = static_cast<std::size_t>(
            std::count(mesh.neighbours.begin(), mesh.neighbours.end(), 0xFFFFFFFFu));
        std::map<std::pair<std::uint16_t, std::uint16_t>, std::size_t> uses;
        for (const CollisionFace& face : mesh.faces)
            for (unsigned k = 0; k < 3; ++k) {
                const std::uint16_t a = face.corners[k];
                const std::uint16_t b = face.corners[(k + 1) % 3];
                ++uses[{std::min(a, b), std::max(a, b)}];
            }
        const auto crowded = static_cast<std::size_t>(
            std::count_if(uses.begin(), uses.end(), [](const auto& u) { return u.second > 2; }));
        out << "      adjacency: " << mesh.neighbours.size() << " edges, " << border
            << " border edges, " << crowded << " edges shared by more than two faces\n";
    } else {
        out << "      no adjacency\n";
    }
}

bool parseFloat(const std::string& text, float& value) {
    char* end = nullptr;
    value = std::strtof(text.c_str(), &end);
    return !text.empty() && end == text.c_str() + text.size();
}

} // namespace

std::vector<std::uint16_t> queryTree(const CollisionMeshRecord& mesh, const Vector3& point) {
    std::set<std::uint16_t> found;
    bool inside = mesh.hasTree;
    for (unsigned k = 0; k < 3; ++k)
        inside = inside && point[k] >= mesh.treeMin[k] && point[k] <= mesh.treeMax[k];
    if (inside)
        collect(mesh, point, found);
    return {found.begin(), found.end()};
}

void printCollisionSummary(const CollisionMeshFileContents& contents, std::ostream& out) {
    out << "version " << contents.version << ", " << contents.slots.size() << " slots\n";
    for (std::size_t s = 0; s < contents.slots.size(); ++s) {
        out << "slot " << s << ": " << contents.slots[s].size() << " geometries\n";
        for (std::size_t g = 0; g < contents.slots[s].size(); ++g) {
            const CollisionBlockRecord& block = contents.slots[s][g];
            out << "  geometry " << g << ": ";
            if (block.meshes.empty()) {
                out << "no collision\n";
                continue;
            }
            out << block.meshes.size() << " collision meshes\n";
            for (const CollisionMeshRecord& mesh : block.meshes)
                printMesh(mesh, out);
        }
    }
}

int printCollisionMeshFile(const InfoRequest& request, std::ostream& out, std::ostream& err) {
    bool query = false;
    Vector3 point;
    for (std::size_t i = 0; i < request.options.size(); ++i) {
        if (request.options[i] == "--query" && i + 3 < request.options.size() &&
            parseFloat(request.options[i + 1], point.x) &&
            parseFloat(request.options[i + 2], point.y) &&
            parseFloat(request.options[i + 3], point.z)) {
            query = true;
            i += 3;
            continue;
        }
        err << "collision mesh files take only --query X Y Z (got '" << request.options[i]
            << "')\n";
        return 1;
    }
    std::error_code ignored;
    if (!std::filesystem::is_regular_file(request.path, ignored) ||
        !InFile::exists(request.path.c_str())) {
        err << "cannot open collision mesh file '" << request.path << "'\n";
        return 1;
    }
    InFile file;
    file.open(request.path.c_str());
    std::vector<unsigned char> bytes(static_cast<std::size_t>(file.size()));
    if (file.read(bytes.data(), bytes.size()) != bytes.size()) {
        err << "cannot read collision mesh file '" << request.path << "'\n";
        return 1;
    }
    CollisionMeshFileContents contents;
    std::string error;
    if (!readCollisionMeshFile(bytes.data(), bytes.size(), contents, error)) {
        err << request.path << ": " << error << '\n';
        return 1;
    }
    out << request.path << ":\n";
    printCollisionSummary(contents, out);
    if (query) {
        for (std::size_t s = 0; s < contents.slots.size(); ++s)
            for (std::size_t g = 0; g < contents.slots[s].size(); ++g)
                for (const CollisionMeshRecord& mesh : contents.slots[s][g].meshes) {
                    out << "query slot " << s << " geometry " << g << " col" << mesh.number << ":";
                    for (std::uint16_t f : queryTree(mesh, point))
                        out << ' ' << f;
                    out << '\n';
                }
    }
    return 0;
}

} // namespace vx::info
