#pragma once
// Runs the `vornex` host program in the test's process with the plug-in under test, and reads
// back the scene graph files its parse writes.
#include "Shared/Base/Streams/FileInStream.h"
#include "Shared/Graphics/Scene/Scene.h"
#include "tests/Shared/Base/TestLogCapture.h"
#include "tests/Vornex/SceneQueries.h"

#include <HostProgram.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

namespace vx::test {

inline int vornex(std::vector<std::string> args) {
    args.push_back("--plugin");
    args.push_back(VX_VORNEX_PLUGIN);
    return vornexapp::runHostProgram(args, "/nonexistent");
}

// A scene graph file read back; the test fails when there is none or it cannot be read.
inline std::unique_ptr<Scene> readSceneGraph(const std::string& path) {
    auto scene = std::make_unique<Scene>();
    if (!std::filesystem::exists(path)) {
        ADD_FAILURE() << "no scene graph file " << path;
        return scene;
    }
    FileInStream in(path.c_str());
    EXPECT_TRUE(scene->read(in)) << scene->lastError();
    return scene;
}

// `vornex parse SCENE [FLAG] OUT` into a temporary folder, and the scene graph file read back.
class ParsedScene {
public:
    explicit ParsedScene(const std::string& scene, const std::string& flag = "") {
        std::vector<std::string> args{"parse", scene};
        if (!flag.empty())
            args.push_back(flag);
        args.push_back(m_dir.file("scene"));
        m_status = vornex(args);
        m_scene = readSceneGraph(m_dir.file("scene.bundledMesh"));
    }
    int status() const { return m_status; }
    SceneNode* root() const { return m_scene->getRoot(); }
    // The first node so named, of class T; the test fails when there is none.
    template <class T = SceneNode>
    T* node(const std::string& name) const {
        T* found = findNodeAs<T>(root(), name);
        EXPECT_NE(found, nullptr) << name;
        return found;
    }

private:
    TempDir m_dir;
    int m_status = -1;
    std::unique_ptr<Scene> m_scene;
};

} // namespace vx::test
