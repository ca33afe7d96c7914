#pragma once
// Small scenes of the host's mesh test data, loaded into an empty active scene whose script
// editor warnings and errors the test keeps.
#include <vornexhost/Node.h>
#include <vornexhost/ScriptEditor.h>

#include <maya/MDagPath.h>
#include <maya/MObject.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace vornexhost::test {

// Empties the active scene.
void resetScene();

class SceneTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Loads Maya ASCII text into the active scene; a load error or warning fails the test.
    static void load(const std::string& text);
    // Loads a scene of tests/data/host/mesh.
    static void loadFile(const std::string& name);
    static Node* node(const std::string& name);

    std::vector<std::string> warnings;
    std::vector<std::string> errors;

private:
    ScriptEditorSink m_previous;
};

MObject objectOf(Node* node);
MDagPath pathTo(Node* node, unsigned instance = 0);

} // namespace vornexhost::test
