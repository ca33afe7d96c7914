#include "tools/info/SkeletonFileReader.h"

#include "tools/info/ByteReader.h"

namespace vx::info {
namespace {

constexpr std::uint32_t kVersion = 2;
constexpr std::uint16_t kNoParent = 0xFFFF;
// Name length, the shortest name (its zero), parent, rotation and position.
constexpr std::uint64_t kSmallestBone = 2 + 1 + 2 + 7 * 4;

using Reader = ByteReader;

// True when following parents from every bone reaches a root.
bool parentsReachRoots(const std::vector<SkeletonFileBone>& bones, std::size_t& looping) {
    enum : std::uint8_t { kUnseen, kOnPath, kDone };
    std::vector<std::uint8_t> state(bones.size(), kUnseen);
    std::vector<std::size_t> path;
    for (std::size_t start = 0; start < bones.size(); ++start) {
        path.clear();
        std::int32_t b = static_cast<std::int32_t>(start);
        while (b >= 0 && state[static_cast<std::size_t>(b)] == kUnseen) {
            state[static_cast<std::size_t>(b)] = kOnPath;
            path.push_back(static_cast<std::size_t>(b));
            b = bones[static_cast<std::size_t>(b)].parent;
        }
        if (b >= 0 && state[static_cast<std::size_t>(b)] == kOnPath) {
            looping = static_cast<std::size_t>(b);
            return false;
        }
        for (std::size_t p : path)
            state[p] = kDone;
    }
    return true;
}

} // namespace

bool readSkeletonFile(std::string_view bytes, SkeletonFile& file, std::string& error) {
    file = SkeletonFile();
    Reader r(bytes, error);
    if (!r.need(8, "the header"))
        return false;
    std::uint32_t count = 0;
    r.in() >> file.version >> count;
    if (file.version != kVersion)
        return r.fail(0, "version " + std::to_string(file.version) + ", expected 2");
    if (count > r.remaining() / kSmallestBone)
        return r.fail(4, std::to_string(count) + " bones cannot fit in the " +
                             std::to_string(r.remaining()) + " bytes that follow");
    file.bones.resize(count);
    for (std::uint32_t i = 0; i < count; ++i) {
        SkeletonFileBone& bone = file.bones[i];
        const std::uint64_t at = r.offset();
        if (!r.need(2, "a bone's name length"))
            return false;
        std::uint16_t length = 0;
        r.in() >> length;
        if (length == 0)
            return r.fail(at, "bone " + std::to_string(i) + " has a name length of 0");
        if (!r.need(length, "a bone's name"))
            return false;
        bone.name.resize(length);
        r.in().read(bone.name.data(), length);
        if (bone.name.back() != '\0' || bone.name.find('\0') != length - 1u)
            return r.fail(at + 2, "the name of bone " + std::to_string(i) +
                                      " is not one text ending in its only zero byte");
        bone.name.pop_back();
        if (!r.need(2 + 7 * 4, "a bone's parent and pose"))
            return false;
        std::uint16_t parent = 0;
        const std::uint64_t parentAt = r.offset();
        r.in() >> parent;
        if (parent != kNoParent && parent >= count)
            return r.fail(parentAt, "bone " + bone.name + " has the parent " +
                                        std::to_string(parent) + " of " + std::to_string(count) +
                                        " bones");
        bone.parent = parent == kNoParent ? -1 : parent;
        for (float& v : bone.rotation)
            r.in() >> v;
        for (float& v : bone.position)
            r.in() >> v;
    }
    if (r.remaining() != 0)
        return r.fail(r.offset(), std::to_string(r.remaining()) + " bytes follow the last bone");
    std::size_t looping = 0;
    if (!parentsReachRoots(file.bones, looping))
        return r.fail(8, "bone " + file.bones[looping].name + " is its own ancestor");
    return true;
}

} // namespace vx::info
