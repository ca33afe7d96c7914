#include "tools/info/CollisionMeshFileReader.h"

#include <cstring>
#include <stdexcept>

namespace vx::info {

namespace {

// A failure with its text; thrown inside the reader only and turned into `error`.
struct ReadFailure : std::runtime_error {
    using std::runtime_error::runtime_error;
};

class Cursor {
public:
    Cursor(const unsigned char* data, std::size_t size) : m_data(data), m_size(size) {}

    std::size_t offset() const { return m_offset; }
    std::size_t left() const { return m_size - m_offset; }

    template <typename T>
    T get(const char* what) {
        if (left() < sizeof(T))
            fail(std::string(what) + " is cut off");
        T value{};
        std::memcpy(&value, m_data + m_offset, sizeof value);
        m_offset += sizeof value;
        return value;
    }
    Vector3 vector(const char* what) {
        const float x = get<float>(what);
        const float y = get<float>(what);
        const float z = get<float>(what);
        return {x, y, z};
    }
    // A count of records of `bytes` each that must fit the bytes left.
    std::uint32_t count(const char* what, std::size_t bytes) {
        const std::size_t at = m_offset;
        const auto n = get<std::uint32_t>(what);
        if (std::uint64_t{n} * bytes > left())
            failAt(at, std::string(what) + " " + std::to_string(n) + " needs " +
                           std::to_string(std::uint64_t{n} * bytes) + " bytes, " +
                           std::to_string(left()) + " are left");
        return n;
    }
    [[noreturn]] void fail(const std::string& text) const { failAt(m_offset, text); }
    [[noreturn]] static void failAt(std::size_t at, const std::string& text) {
        throw ReadFailure(text + " (byte offset " + std::to_string(at) + ")");
    }

private:
    const unsigned char* m_data;
    std::size_t m_size;
    std::size_t m_offset = 0;
};

void readTree(Cursor& in, CollisionMeshRecord& mesh) {
    mesh.treeMin = in.vector("the tree's box");
    mesh.treeMax = in.vector("the tree's box");
    const std::size_t nodesAt = in.offset();
    const std::uint32_t nodeCount = in.count("the tree node count", 16);
    if (nodeCount == 0)
        Cursor::failAt(nodesAt, "a tree has no root node");
    mesh.nodes.resize(nodeCount);
    for (SpatialTreeNode& node : mesh.nodes) {
        node.split = in.get<float>("a tree node");
        node.flags = in.get<std::uint32_t>("a tree node");
        node.child[0] = in.get<std::uint32_t>("a tree node");
        node.child[1] = in.get<std::uint32_t>("a tree node");
    }
    const std::uint32_t faceCount = in.count("the tree face count", 2);
    mesh.treeFaces.resize(faceCount);
    for (std::uint16_t& f : mesh.treeFaces) {
        const std::size_t at = in.offset();
        f = in.get<std::uint16_t>("a tree face number");
        if (f >= mesh.faces.size())
            Cursor::failAt(at, "tree face number " + std::to_string(f) + " is not below the " +
                                   std::to_string(mesh.faces.size()) + " faces");
    }
    // Every node but the root is the child of exactly one node: walks visit each node once.
    std::vector<std::uint8_t> referenced(nodeCount, 0);
    for (std::size_t i = 0; i < mesh.nodes.size(); ++i) {
        const SpatialTreeNode& node = mesh.nodes[i];
        const std::size_t at = nodesAt + 4 + 16 * i;
        if ((node.flags & 3u) == 3u)
            Cursor::failAt(at, "tree node " + std::to_string(i) + " has axis 3");
        for (unsigned c = 0; c < 2; ++c) {
            const bool leaf = (node.flags & (c == 0 ? kTreeChild0Leaf : kTreeChild1Leaf)) != 0;
            const std::uint32_t child = node.child[c];
            if (leaf) {
                const std::uint32_t count = (node.flags >> (c == 0 ? 16 : 24)) & 0xFFu;
                if (std::uint64_t{child} + count > faceCount)
                    Cursor::failAt(at, "tree node " + std::to_string(i) + " has a leaf of " +
                                           std::to_string(count) + " faces from entry " +
                                           std::to_string(child) + " beyond the " +
                                           std::to_string(faceCount) + " entries");
            } else if (child <= i || child >= nodeCount) {
                // Children after their parent keep every walk finite.
                Cursor::failAt(at, "tree node " + std::to_string(i) + " names child node " +
                                       std::to_string(child) + " of " + std::to_string(nodeCount));
            } else if (referenced[child]++ != 0) {
                Cursor::failAt(at, "tree node " + std::to_string(child) +
                                       " is the child of more than one node");
            }
        }
    }
    for (std::size_t i = 1; i < referenced.size(); ++i)
        if (referenced[i] == 0)
            Cursor::failAt(nodesAt + 4 + 16 * i,
                           "tree node " + std::to_string(i) + " is not the child of any node");
}

CollisionMeshRecord readMesh(Cursor& in) {
    CollisionMeshRecord mesh;
    mesh.number = in.get<std::uint32_t>("a collision mesh number");
    const std::uint32_t faces = in.count("the collision face count", 8);
    mesh.faces.resize(faces);
    std::vector<std::size_t> faceOffsets(faces);
    for (std::size_t f = 0; f < faces; ++f) {
        faceOffsets[f] = in.offset();
        for (std::uint16_t& corner : mesh.faces[f].corners)
            corner = in.get<std::uint16_t>("a collision face");
        mesh.faces[f].material = in.get<std::uint16_t>("a collision face");
    }
    const std::uint32_t vertices = in.count("the collision vertex count", 14);
    for (std::size_t f = 0; f < faces; ++f)
        for (std::uint16_t corner : mesh.faces[f].corners)
            if (corner >= vertices)
                Cursor::failAt(faceOffsets[f], "face " + std::to_string(f) + " names vertex " +
                                                   std::to_string(corner) + " of " +
                                                   std::to_string(vertices));
    mesh.vertices.resize(vertices);
    for (Vector3& v : mesh.vertices)
        v = in.vector("a collision vertex");
    mesh.vertexMaterials.resize(vertices);
    for (std::uint16_t& m : mesh.vertexMaterials)
        m = in.get<std::uint16_t>("a vertex material");
    mesh.min = in.vector("the bounding box");
    mesh.max = in.vector("the bounding box");
    const auto flag = in.get<std::uint8_t>("the tree flag");
    if (flag != '0' && flag != '1')
        Cursor::failAt(in.offset() - 1,
                       "tree flag " + std::to_string(flag) + " is neither '0' nor '1'");
    if (flag == '1') {
        mesh.hasTree = true;
        readTree(in, mesh);
    }
    if ((mesh.max - mesh.min).length() >= 0.001f) {
        mesh.hasAdjacency = true;
        const std::size_t at = in.offset();
        const std::uint32_t edges = in.count("the edge count", 4);
        if (std::uint64_t{edges} != std::uint64_t{faces} * 3)
            Cursor::failAt(at, "edge count " + std::to_string(edges) + " is not 3 x " +
                                   std::to_string(faces) + " faces");
        mesh.neighbours.resize(edges);
        for (std::uint32_t& n : mesh.neighbours) {
            const std::size_t nAt = in.offset();
            n = in.get<std::uint32_t>("a neighbour face number");
            if (n != 0xFFFFFFFFu && n >= faces)
                Cursor::failAt(nAt, "neighbour face " + std::to_string(n) + " of " +
                                        std::to_string(faces));
        }
    }
    return mesh;
}

} // namespace

bool readCollisionMeshFile(const unsigned char* data, std::size_t size,
                           CollisionMeshFileContents& contents, std::string& error) {
    contents = CollisionMeshFileContents{};
    try {
        Cursor in(data, size);
        if (in.get<std::uint32_t>("the header") != 0)
            Cursor::failAt(0, "the file does not begin with 0");
        contents.version = in.get<std::uint32_t>("the version");
        if (contents.version != 10)
            Cursor::failAt(4, "version " + std::to_string(contents.version) + " is not 10");
        // Each slot holds at least its geometry count.
        const std::uint32_t slots = in.count("the slot count", 4);
        contents.slots.resize(slots);
        for (std::vector<CollisionBlockRecord>& slot : contents.slots) {
            const std::uint32_t geometries = in.count("the geometry count", 4);
            slot.resize(geometries);
            for (CollisionBlockRecord& block : slot) {
                const std::size_t at = in.offset();
                const std::uint32_t meshes = in.get<std::uint32_t>("a collision entry");
                if (meshes > 10)
                    Cursor::failAt(at, "a block of " + std::to_string(meshes) +
                                           " collision meshes; there are at most 10");
                for (std::uint32_t k = 0; k < meshes; ++k) {
                    const std::size_t meshAt = in.offset();
                    block.meshes.push_back(readMesh(in));
                    const std::uint32_t n = block.meshes.back().number;
                    if (n > 9 || (k > 0 && n <= block.meshes[k - 1].number))
                        Cursor::failAt(meshAt, "collision mesh number " + std::to_string(n) +
                                                   " is not above the previous one or not 0 to 9");
                }
            }
        }
        if (in.left() != 0)
            in.fail(std::to_string(in.left()) + " bytes follow the last slot");
    } catch (const ReadFailure& failure) {
        error = failure.what();
        contents = CollisionMeshFileContents{};
        return false;
    }
    return true;
}

} // namespace vx::info
