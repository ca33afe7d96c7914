#include <vornexhost/MelInterpreter.h>
#include <vornexhost/Messages.h>
#include <vornexhost/PluginRegistry.h>

#include <maya/MArgList.h>
#include <maya/MPxCommand.h>
#include <maya/MTypes.h>

#include <dlfcn.h>

namespace vornexhost {

PluginRegistry& PluginRegistry::instance() {
    static PluginRegistry registry;
    return registry;
}

namespace {

// Entry points are C++ functions taking the plug-in's MObject; their names are the ones the
// compiler gives them (Itanium ABI, as g++ and clang both use).
constexpr const char* kInitialize = "_Z16initializePlugin7MObject";
constexpr const char* kUninitialize = "_Z18uninitializePlugin7MObject";
using EntryPoint = MStatus (*)(MObject);

template <typename T>
T symbol(void* library, const char* name) {
    return reinterpret_cast<T>(dlsym(library, name));
}

} // namespace

bool PluginRegistry::load(const std::string& path, std::string& error) {
    void* library = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!library) {
        const char* why = dlerror();
        error = "cannot load plug-in \"" + path + "\": " + (why ? why : "unknown reason");
        return false;
    }
    const int* apiVersion = symbol<const int*>(library, "MApiVersion");
    const auto initialize = symbol<EntryPoint>(library, kInitialize);
    if (!apiVersion || !initialize) {
        error = "\"" + path + "\" is not a plug-in: it lacks " +
                (apiVersion ? "initializePlugin" : "MApiVersion");
        dlclose(library);
        return false;
    }
    if (*apiVersion > MAYA_API_VERSION) {
        error = "plug-in \"" + path + "\" was built for API version " +
                std::to_string(*apiVersion) + "; this host provides " +
                std::to_string(MAYA_API_VERSION);
        dlclose(library);
        return false;
    }
    auto plugin = std::make_shared<Plugin>();
    plugin->path = path;
    const auto slash = path.find_last_of('/');
    plugin->name = path.substr(slash == std::string::npos ? 0 : slash + 1);
    plugin->library = library;
    m_current = plugin.get();
    const MStatus status = initialize(MObject(plugin));
    m_current = nullptr;
    if (!status) {
        error = "initializePlugin of \"" + path + "\" failed: " + status.errorString().str();
        // What it registered before failing stays usable until the host exits, as the library
        // stays loaded for it.
        m_plugins.push_back(std::move(plugin));
        return false;
    }
    m_plugins.push_back(std::move(plugin));
    return true;
}

void PluginRegistry::unloadAll() {
    // The host is going: plug-ins release what they hold while their code is still loaded.
    if (!m_plugins.empty())
        sendSceneMessage(MSceneMessage::kMayaExiting);
    while (!m_plugins.empty()) {
        std::shared_ptr<Plugin> plugin = std::move(m_plugins.back());
        m_plugins.pop_back();
        if (const auto uninitialize = symbol<EntryPoint>(plugin->library, kUninitialize)) {
            m_current = plugin.get();
            uninitialize(MObject(plugin));
            m_current = nullptr;
        }
        // Whatever it left registered must not outlive its code.
        for (auto it = commands.begin(); it != commands.end();)
            it = it->second.owner == plugin.get() ? commands.erase(it) : std::next(it);
        for (auto it = translators.begin(); it != translators.end();)
            it = it->second.owner == plugin.get() ? translators.erase(it) : std::next(it);
        dlclose(plugin->library);
    }
}

MelValue& commandResult() {
    static MelValue result;
    return result;
}

bool runPluginCommand(const std::string& name, const std::vector<std::string>& args,
                      MelValue& result) {
    const auto& commands = PluginRegistry::instance().commands;
    const auto it = commands.find(name);
    if (it == commands.end())
        return false;
    std::unique_ptr<MPxCommand> command(static_cast<MPxCommand*>(it->second.creator()));
    if (!command)
        throw MelError{"command \"" + name + "\" could not be created"};
    MStringArray list;
    for (const std::string& a : args)
        list.append(MString(a));
    commandResult() = MelValue();
    const MStatus status = command->doIt(MArgList(list));
    result = commandResult();
    if (!status)
        throw MelError{"command \"" + name + "\" failed: " + status.errorString().str()};
    return true;
}

} // namespace vornexhost
