#pragma once
// Written game files read back whole by the strict readers of `vornex info`; the test fails,
// naming the file and the reader's complaint, when a reader refuses one.
#include "tests/Shared/Base/TestLogCapture.h"
#include "tools/info/AnimationFileReader.h"
#include "tools/info/CollisionMeshFileReader.h"
#include "tools/info/InfoCommand.h"
#include "tools/info/MeshFileReader.h"
#include "tools/info/MeshVertexDecoder.h"
#include "tools/info/SampleFileReader.h"
#include "tools/info/SkeletonFileReader.h"

#include <gtest/gtest.h>

#include <array>
#include <sstream>
#include <string>
#include <vector>

namespace vx::test {

// `read(bytes, contents, error)` over the file at `path`.
template <class Contents, class Read>
Contents readBack(const std::string& path, Read read) {
    const std::string bytes = readWholeFile(path);
    Contents contents{};
    std::string error;
    EXPECT_TRUE(read(bytes, contents, error)) << path << ": " << error;
    return contents;
}

inline meshfile::MeshFile readMeshBack(const std::string& path, meshfile::MeshKind kind) {
    return readBack<meshfile::MeshFile>(path, [kind](const std::string& b, auto& c, auto& e) {
        return meshfile::readMeshFile(reinterpret_cast<const std::uint8_t*>(b.data()), b.size(),
                                      kind, c, e);
    });
}

inline info::SampleFileContents readSamplesBack(const std::string& path) {
    return readBack<info::SampleFileContents>(path, [](const std::string& b, auto& c, auto& e) {
        return info::readSampleFile(reinterpret_cast<const unsigned char*>(b.data()), b.size(), c,
                                    e);
    });
}

inline info::CollisionMeshFileContents readCollisionMeshBack(const std::string& path) {
    return readBack<info::CollisionMeshFileContents>(
        path, [](const std::string& b, auto& c, auto& e) {
            return info::readCollisionMeshFile(reinterpret_cast<const unsigned char*>(b.data()),
                                               b.size(), c, e);
        });
}

inline info::SkeletonFile readSkeletonBack(const std::string& path) {
    return readBack<info::SkeletonFile>(path, [](const std::string& b, auto& c, auto& e) {
        return info::readSkeletonFile(b, c, e);
    });
}

inline info::AnimationFile readAnimationBack(const std::string& path) {
    return readBack<info::AnimationFile>(path, [](const std::string& b, auto& c, auto& e) {
        return info::readAnimationFile(b, c, e);
    });
}

using Element = std::array<int, 4>; // offset, type, usage, usage index

// A mesh file's vertex declaration without its end element, which must close it.
inline std::vector<Element> declared(const meshfile::MeshFile& f) {
    EXPECT_TRUE(!f.elements.empty() && meshfile::isEndElement(f.elements.back()));
    std::vector<Element> out;
    for (std::size_t i = 0; i + 1 < f.elements.size(); ++i)
        out.push_back({f.elements[i].offset, f.elements[i].type, f.elements[i].usage,
                       f.elements[i].usageIndex});
    return out;
}

// What `vornex info ARGS` prints; the test fails, showing the errors, when the command fails.
inline std::string printedInfo(const std::vector<std::string>& args) {
    std::ostringstream out, err;
    EXPECT_EQ(info::runInfo(args, out, err), 0) << err.str();
    return out.str();
}

} // namespace vx::test
