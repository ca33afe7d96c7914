// Scene::read on arbitrary bytes. Beyond the sanitizers it checks that no node outlives its
// scene, and that a file that was read is written back in a form that reads again and writes
// the same bytes.
#include "Shared/Base/Log.h"
#include "Shared/Base/Streams/Buffers/MemoryInBuffer.h"
#include "Shared/Base/Streams/Buffers/StringOutBuffer.h"
#include "Shared/Base/Streams/InStream.h"
#include "Shared/Base/Streams/OutStream.h"
#include "Shared/Graphics/Scene/Scene.h"
#include "Shared/Graphics/Scene/SceneOutline.h"

#include <vornexhost/ScriptEditor.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <sstream>

namespace {

std::string writeScene(vx::Scene& scene) {
    vx::StringOutBuffer buffer;
    vx::OutStream out(&buffer);
    if (!scene.write(out)) {
        std::fprintf(stderr, "a scene that was read could not be written\n");
        std::abort();
    }
    return buffer.text();
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    // Errors are the expected outcome here; keep them off the terminal and out of Log.txt.
    vornexhost::setScriptEditorSink([](vornexhost::ScriptEditorKind, std::string_view) {});
    vx::logChannel()->setFileName("/dev/null");
    vx::logFilter().setThreshold("", 6);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::int64_t liveBefore = vx::SceneNode::liveCount();
    {
        vx::MemoryInBuffer buffer(data, size);
        vx::InStream in(&buffer);
        vx::Scene scene;
        if (scene.read(in)) {
            std::ostringstream outline;
            vx::printSceneOutline(scene, outline);
            const std::string first = writeScene(scene);
            vx::MemoryInBuffer again(first.data(), first.size());
            vx::InStream in2(&again);
            vx::Scene second;
            if (!second.read(in2)) {
                std::fprintf(stderr, "written scene not readable: %s\n",
                             second.lastError().c_str());
                std::abort();
            }
            if (writeScene(second) != first) {
                std::fprintf(stderr, "second write differs from the first\n");
                std::abort();
            }
        }
    }
    if (vx::SceneNode::liveCount() != liveBefore) {
        std::fprintf(stderr, "nodes leaked: %lld\n",
                     static_cast<long long>(vx::SceneNode::liveCount() - liveBefore));
        std::abort();
    }
    return 0;
}
