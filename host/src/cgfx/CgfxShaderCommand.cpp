// The `cgfxShader` MEL command of the CgFX stand-in: `-lp NODE` lists the effect's parameters
// in file order, `-p PARAM NODE` gives one parameter's type name.
#include <vornexhost/CgfxShaderQueries.h>
#include <vornexhost/Evaluator.h>
#include <vornexhost/Handles.h>
#include <vornexhost/MelInterpreter.h>
#include <vornexhost/Node.h>
#include <vornexhost/Scene.h>

#include <cstdlib>
#include <filesystem>

namespace vornexhost {

bool loadNodeEffect(const Node& shader, EffectFile& effect, std::string& error) {
    const Attribute* attribute = shader.findAttribute("shader");
    if (!shader.type().isA("cgfxShader") || !attribute) {
        error = "<" + shader.name() + "> is not a cgfxShader node";
        return false;
    }
    const auto data = evalData({const_cast<Node*>(&shader), attribute, {}}, sceneTime());
    const std::string written = data && data->kind == DataKind::String ? data->text : "";
    if (written.empty()) {
        error = "cgfxShader <" + shader.name() + "> names no effect file";
        return false;
    }
    const Scene* scene = shader.scene();
    const std::string folder =
        scene ? std::filesystem::path(scene->currentFile).parent_path().string() : "";
    const char* searchPath = std::getenv("VORNEX_CGFX_PATH");
    const std::string path = resolveEffectPath(written, folder, searchPath ? searchPath : "");
    if (path.empty()) {
        error = "cgfxShader <" + shader.name() + ">: effect file \"" + written + "\" not found";
        return false;
    }
    if (!EffectFile::load(path, effect, error)) {
        error = "cgfxShader <" + shader.name() + ">: " + error;
        return false;
    }
    return true;
}

void defineCgfxShaderCommand(MelInterpreter& mel) {
    mel.define("cgfxShader", [](const std::vector<std::string>& args) {
        bool list = false;
        const std::string* parameter = nullptr;
        std::vector<const std::string*> operands;
        for (std::size_t i = 0; i < args.size(); ++i) {
            if (args[i] == "-lp" || args[i] == "-listParameters") {
                list = true;
            } else if (args[i] == "-p" || args[i] == "-parameter") {
                if (i + 1 >= args.size())
                    throw MelError{"cgfxShader: flag -p needs a parameter name"};
                parameter = &args[++i];
            } else if (!args[i].empty() && args[i][0] == '-') {
                throw MelError{"cgfxShader: invalid flag " + args[i]};
            } else {
                operands.push_back(&args[i]);
            }
        }
        if (list == (parameter != nullptr) || operands.size() != 1)
            throw MelError{"cgfxShader: use -lp NODE or -p PARAMETER NODE"};
        const Node* node = activeScene().findNode(*operands[0]);
        if (!node)
            throw MelError{"cgfxShader: No object matches name: " + *operands[0]};
        EffectFile effect;
        std::string error;
        if (!loadNodeEffect(*node, effect, error))
            throw MelError{"cgfxShader: " + error};
        if (list) {
            std::vector<std::string> names;
            for (const EffectParameter& p : effect.parameters())
                names.push_back(p.name);
            return MelValue::ofStrings(std::move(names));
        }
        const EffectParameter* p = effect.find(*parameter);
        if (!p)
            throw MelError{"cgfxShader: effect of <" + node->name() + "> has no parameter " +
                           *parameter};
        return MelValue::ofString(p->type);
    });
}

} // namespace vornexhost
