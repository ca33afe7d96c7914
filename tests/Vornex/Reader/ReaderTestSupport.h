#pragma once
// Reads a scene of tests/data/reader with the scene reader and finds what it made.
#include "Shared/Graphics/Scene/MaterialGroupedMesh.h"
#include "Shared/Graphics/Scene/UtilMeshNode.h"
#include "Vornex/Reader/SceneReader.h"
#include "tests/Shared/Base/TestLogCapture.h"

#include <gtest/gtest.h>

#include <array>
#include <memory>
#include <string>
#include <vector>

namespace vx::test {

std::string readerDataPath(const std::string& name);

// A skin weight record from its four weights and four influence positions.
SkinWeight skinRecord(std::array<float, 4> weights, std::array<std::int32_t, 4> bones);

class ReaderSceneTest : public ::testing::Test {
protected:
    // Opens the scene and reads all of it; the reports land in `reports`.
    void read(const std::string& scene, ParseFlags flags = kReportInfo);
    // Opens the scene and sets the reader's options without walking it, for calling single
    // readers directly.
    void open(const std::string& scene, ParseFlags flags = kReportInfo);

    // The material the reader makes of the shading engine named `engine`.
    std::shared_ptr<Material> engineMaterial(const std::string& engine);

    // The mesh nodes named `name` in the scene, in walk order.
    std::vector<const UtilMeshNode*> meshNodes(const std::string& name) const;
    // The only mesh node named `name` (a test failure when there is not exactly one).
    const UtilMeshNode& meshNode(const std::string& name) const;
    static const VertexBuffer& vertices(const UtilMeshNode& node);
    static const PrimitiveBuffer& primitives(const UtilMeshNode& node);
    // Reports whose text (after "Info(n): " or "Warning(n): ") starts with `prefix`.
    std::vector<std::string> reportsStartingWith(const std::string& prefix) const;
    std::size_t countReports(const std::string& prefix) const {
        return reportsStartingWith(prefix).size();
    }

    LogCapture log;
    SceneReader reader;
    std::vector<std::string> reports;
    unsigned warnings = 0;
};

} // namespace vx::test
