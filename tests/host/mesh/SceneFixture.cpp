#include "tests/host/mesh/SceneFixture.h"

#include "tests/Shared/Base/TestLogCapture.h"

#include <vornexhost/DagPaths.h>
#include <vornexhost/Handles.h>
#include <vornexhost/MaLoader.h>
#include <vornexhost/Scene.h>

namespace vornexhost::test {

void resetScene() {
    activeScene().reset();
}

void SceneTest::SetUp() {
    resetScene();
    m_previous = setScriptEditorSink([this](ScriptEditorKind kind, std::string_view text) {
        if (kind == ScriptEditorKind::Warning)
            warnings.emplace_back(text);
        else if (kind == ScriptEditorKind::Error)
            errors.emplace_back(text);
    });
}

void SceneTest::TearDown() {
    setScriptEditorSink(m_previous);
}

void SceneTest::load(const std::string& text) {
    const MaLoadResult result = loadMayaAscii(activeScene(), "fixture.ma", text);
    ASSERT_TRUE(result.ok) << result.error;
    for (const std::string& w : result.warnings)
        ADD_FAILURE() << "loader warning: " << w;
}

void SceneTest::loadFile(const std::string& name) {
    load(vx::test::readWholeFile(VORNEX_TEST_DATA_DIR "/host/mesh/" + name));
}

Node* SceneTest::node(const std::string& name) {
    Node* n = activeScene().findNode(name);
    EXPECT_NE(n, nullptr) << name;
    return n;
}

MObject objectOf(Node* node) {
    return vornexhost::objectOf(node);
}

MDagPath pathTo(Node* node, unsigned instance) {
    return MDagPath::fromNodes(allPathsTo(node).at(instance));
}

} // namespace vornexhost::test
