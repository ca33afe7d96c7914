#pragma once
// The host's tables of what plug-ins registered (commands, file translators; node types live
// in the node type registry) and the loading of plug-in libraries.
#include <vornexhost/Object.h>

#include <maya/MObject.h>
#include <maya/MStatus.h>

#include <map>
#include <memory>
#include <string>
#include <vector>

class MPxCommand;
class MPxFileTranslator;

namespace vornexhost {

// A loaded plug-in, as the MObject its entry points receive.
class Plugin : public Object {
public:
    MFn::Type apiType() const override { return MFn::kBase; }

    std::string path;
    std::string name;
    void* library = nullptr;
    std::string vendor;
    std::string version;
};

struct RegisteredCommand {
    void* (*creator)() = nullptr;
    Plugin* owner = nullptr;
};

struct RegisteredTranslator {
    void* (*creator)() = nullptr;
    std::string optionsScript;
    std::string defaultOptions;
    Plugin* owner = nullptr;
};

class PluginRegistry {
public:
    static PluginRegistry& instance();

    // Loads a plug-in library and calls its initializePlugin; false with a reason on failure
    // (not found, no entry points, built for a newer API, initializePlugin failed).
    bool load(const std::string& path, std::string& error);
    // Calls uninitializePlugin of every loaded plug-in, last loaded first, and unloads them.
    void unloadAll();
    // The plug-in whose initializePlugin or uninitializePlugin is running, if any.
    Plugin* current() const { return m_current; }

    std::map<std::string, RegisteredCommand> commands;
    std::map<std::string, RegisteredTranslator> translators;
    std::vector<unsigned> nodeTypeIds;

private:
    std::vector<std::shared_ptr<Plugin>> m_plugins;
    Plugin* m_current = nullptr;
};

// Runs a registered command: creates it, calls doIt with the arguments and returns its
// result. False when no plug-in registered `name`; throws MelError when doIt fails.
struct MelValue;
bool runPluginCommand(const std::string& name, const std::vector<std::string>& args,
                      MelValue& result);

// The result a command sets with MPxCommand::setResult, collected while it runs.
MelValue& commandResult();

} // namespace vornexhost
