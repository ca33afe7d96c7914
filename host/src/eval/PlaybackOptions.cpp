#include <vornexhost/MaTokenizer.h>
#include <vornexhost/PlaybackOptions.h>
#include <vornexhost/PlugValues.h>
#include <vornexhost/Scene.h>

namespace vornexhost {

bool applyPlaybackOptions(Scene& scene, std::string_view script, std::string& error) {
    try {
        MaTokenizer tokens(script);
        bool inCommand = false;
        for (Token t = tokens.next(); t.kind != TokenKind::End; t = tokens.next()) {
            if (t.kind == TokenKind::Semicolon) {
                inCommand = false;
                continue;
            }
            if (t.kind == TokenKind::Word && t.text == "playbackOptions") {
                inCommand = true;
                continue;
            }
            if (!inCommand || !isFlag(t))
                continue;
            const bool isMin = t.text == "-min" || t.text == "-minTime";
            const bool isMax = t.text == "-max" || t.text == "-maxTime";
            if (!isMin && !isMax)
                continue;
            const Token v = tokens.next();
            double frames = 0.0;
            if (!parseNumber(v, frames)) {
                error = "playbackOptions " + std::string(t.text) + " takes a number, not \"" +
                        std::string(v.text) + "\"";
                return false;
            }
            (isMin ? scene.minTime : scene.maxTime) = frames / scene.units.framesPerSecond;
        }
    } catch (const MaSyntaxError& e) {
        error = e.reason;
        return false;
    }
    return true;
}

void applySceneTimes(Scene& scene, std::string& warning) {
    if (Node* time = scene.findNode("time1")) {
        const Attribute* out = time->findAttribute("outTime");
        PlugAddress plug{time, out, {}};
        StoreLocation at;
        if (out && locateStore(plug, false, at) && at.store && at.store->hasValue)
            scene.currentTime = at.store->number;
    }
    Node* config = scene.findNode("sceneConfigurationScriptNode");
    if (!config)
        return;
    const Attribute* before = config->findAttribute("before");
    if (!before)
        return;
    const auto script = storedData({config, before, {}});
    if (script && script->kind == DataKind::String &&
        !applyPlaybackOptions(scene, script->text, warning))
        warning = "sceneConfigurationScriptNode: " + warning;
}

} // namespace vornexhost
