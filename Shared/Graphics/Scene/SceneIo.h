#pragma once
// Helpers shared by the readers and writers of the scene graph file. Readers take
// untrusted bytes: every count is checked against the bytes left before anything is
// allocated, and every failure is recorded on the scene (Scene::fail) and returned as false.
#include "Shared/Base/Streams/InStream.h"
#include "Shared/Base/Streams/OutStream.h"
#include "Shared/Graphics/Scene/Scene.h"

#include <bit>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <tuple>
#include <type_traits>
#include <unordered_map>
#include <vector>

namespace vx {

class BaseSpline;
class Material;
class MaterialGroupedMesh;
class MeshGeometry;
class PrimitiveBuffer;
class SceneNode;
class VertexBuffer;

namespace sceneio {

// A reader keeps at most this many characters of a terminated text.
constexpr std::size_t kMaxTerminatedText = 255;
// Channel values nest (kinds 0 and 3); deeper nesting than this is refused.
constexpr unsigned kMaxValueDepth = 64;
// Longest root-to-leaf chain a file may hold; bounds recursion in every walk and in the
// destruction of the graph.
constexpr unsigned kMaxNodeDepth = 1024;

// Counts are unsigned 32-bit; a larger count asserts (it cannot be written).
void writeCount(OutStream& out, std::size_t count);
// Characters up to the first zero, then one zero byte.
void writeTerminatedText(OutStream& out, std::string_view text);
// 32-bit length, then the characters, no terminator.
void writeCountedText(OutStream& out, std::string_view text);

// Keeps at most kMaxTerminatedText characters; the rest up to the zero is consumed.
bool readTerminatedText(InStream& in, Scene& scene, std::string& text, const char* what);
bool readCountedText(InStream& in, Scene& scene, std::string& text, const char* what);
// Reads a count and checks that `count * minBytesEach` bytes are still there.
bool readCount(InStream& in, Scene& scene, std::uint32_t& count, std::uint64_t minBytesEach,
               const char* what);
// False (with "unexpected end of file") once the stream ran out.
bool checkStream(InStream& in, Scene& scene, const char* what);
// A byte that must be 0 or 1.
bool readFlag(InStream& in, Scene& scene, bool& flag, const char* what);

// Arrays of plain 32-bit fields (floats, indices, vectors, colours, skin weights) are written
// and read as one block: the same bytes as value by value on a little-endian machine.
template <typename T>
constexpr bool kBlockElement = std::is_trivially_copyable_v<T> && sizeof(T) % 4 == 0 &&
                               alignof(T) == 4 && std::endian::native == std::endian::little;

// Count, then the elements.
template <typename T>
void writeArray(OutStream& out, const std::vector<T>& values) {
    static_assert(kBlockElement<T>);
    writeCount(out, values.size());
    if (!values.empty())
        out.write(values.data(), values.size() * sizeof(T));
}

// Count (checked against the bytes left), then the elements.
template <typename T>
bool readArray(InStream& in, Scene& scene, std::vector<T>& values, const char* what) {
    static_assert(kBlockElement<T>);
    std::uint32_t count = 0;
    if (!readCount(in, scene, count, sizeof(T), what))
        return false;
    values.resize(count);
    if (count != 0)
        in.read(values.data(), values.size() * sizeof(T));
    return checkStream(in, scene, what);
}

// Links read from a node's payload, resolved once every node exists.
struct PendingLinks {
    std::vector<std::uint32_t> parents;
    std::vector<std::uint32_t> children;
    std::vector<std::uint32_t> influences;
};

// Objects of one shared kind: numbered in order of first appearance, from 0, per file.
template <typename T>
struct SharedTable {
    std::unordered_map<const T*, std::uint32_t> numbers; // writing
    std::vector<std::shared_ptr<T>> objects;             // reading
};

} // namespace sceneio

// What exists only while one file is read or written.
struct SceneIoState {
    std::tuple<sceneio::SharedTable<MaterialGroupedMesh>, sceneio::SharedTable<MeshGeometry>,
               sceneio::SharedTable<VertexBuffer>, sceneio::SharedTable<PrimitiveBuffer>,
               sceneio::SharedTable<BaseSpline>, sceneio::SharedTable<Material>>
        shared;
    // Writing: node and type identifiers.
    std::unordered_map<const SceneNode*, std::uint32_t> nodeIds;
    // Reading: identifier to created node, and the links still to be resolved.
    std::unordered_map<std::uint32_t, SceneNode*> idMap;
    std::unordered_map<const SceneNode*, sceneio::PendingLinks> pending;
    std::uint32_t version = 0;

    template <typename T>
    sceneio::SharedTable<T>& table() {
        return std::get<sceneio::SharedTable<T>>(shared);
    }
};

namespace sceneio {

// Shared-object reference: 1 and the number followed by the object's own form when it is met
// for the first time, 0 and the number afterwards.
template <typename T>
void writeShared(OutStream& out, Scene& scene, const T& object) {
    SharedTable<T>& table = scene.io().table<T>();
    const auto next = static_cast<std::uint32_t>(table.numbers.size());
    const auto [at, first] = table.numbers.emplace(&object, next);
    out << static_cast<std::uint8_t>(first ? 1 : 0) << at->second;
    if (first)
        object.write(out, scene);
}

template <typename T>
bool readShared(InStream& in, Scene& scene, std::shared_ptr<T>& object, const char* what) {
    std::uint8_t first = 0;
    std::uint32_t number = 0;
    in >> first >> number;
    if (!checkStream(in, scene, what))
        return false;
    std::vector<std::shared_ptr<T>>& objects = scene.io().table<T>().objects;
    if (first == 1) {
        if (number != objects.size())
            return scene.fail(std::string(what) + " " + std::to_string(number) +
                              " appears out of order (expected " + std::to_string(objects.size()) +
                              ")");
        // The number is taken before the content is read; no kind contains its own kind.
        objects.push_back(std::make_shared<T>());
        object = objects.back();
        return object->read(in, scene);
    }
    if (first == 0) {
        if (number >= objects.size())
            return scene.fail(std::string(what) + " reference " + std::to_string(number) +
                              " names nothing");
        object = objects[number];
        return true;
    }
    return scene.fail(std::string("invalid reference byte ") + std::to_string(first) + " for " +
                      what);
}

// A presence byte, then (when 1) a shared-object reference.
template <typename T>
void writeOptionalShared(OutStream& out, Scene& scene, const std::shared_ptr<T>& object) {
    out << static_cast<std::uint8_t>(object ? 1 : 0);
    if (object)
        writeShared(out, scene, *object);
}

template <typename T>
bool readOptionalShared(InStream& in, Scene& scene, std::shared_ptr<T>& object, const char* what) {
    bool present = false;
    if (!readFlag(in, scene, present, what))
        return false;
    object.reset();
    return !present || readShared(in, scene, object, what);
}

} // namespace sceneio
} // namespace vx
