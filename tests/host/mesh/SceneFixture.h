#pragma once
// Builds small scenes through the stand-in's own API, storing values where the scene file
// would put them.
#include <vornexhost/Data.h>
#include <vornexhost/Node.h>
#include <vornexhost/PlugAddress.h>
#include <vornexhost/ScriptEditor.h>

#include <maya/MDagPath.h>
#include <maya/MObject.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace vornexhost::test {

// Empties the active scene.
void resetScene();

// Starts each test on an empty scene and keeps the script editor's warnings and errors.
class SceneTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    std::vector<std::string> warnings;
    std::vector<std::string> errors;

private:
    ScriptEditorSink m_previous;
};

Node* createNode(const std::string& type, const std::string& name, Node* parent = nullptr);
PlugAddress plug(Node* node, const std::string& path);
void setNumber(Node* node, const std::string& path, double value);
void setText(Node* node, const std::string& path, const std::string& text);
MObject objectOf(Node* node);
MDagPath pathTo(Node* node, unsigned instance = 0);

// One run of per-corner ids of a face: the set it belongs to and one id per corner.
struct CornerIdsSpec {
    std::int32_t set = 0;
    std::vector<std::int32_t> ids;
};

// One face of a mesh as the file writes it: signed edges, UV ids per UV set, colour ids.
struct FaceSpec {
    std::vector<std::int32_t> edges;
    std::vector<CornerIdsSpec> uvs;
    std::vector<CornerIdsSpec> colors;
};

void setPoints(Node* shape, const std::vector<double>& xyz);
void setEdges(Node* shape, const std::vector<std::int32_t>& v0v1smooth);
void setFaces(Node* shape, const std::vector<FaceSpec>& faces);
void setUvSet(Node* shape, int set, const std::string& name, const std::vector<double>& uv);

// The unit cube's six faces with their set-0 UVs, as createCube stores them.
std::vector<FaceSpec> cubeFaces();

// The unit cube as the host's cube creator makes it (8 points, 12 edges, 6 faces, 14 UVs in
// set "map1"), with every edge hard or every edge smooth.
Node* createCube(const std::string& name, bool smooth, Node* parent = nullptr);

} // namespace vornexhost::test
