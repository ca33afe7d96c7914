#include "Vornex/GlExtensions.h"

#include <EGL/egl.h>

#include <cstring>
#include <ostream>
#include <set>
#include <string>

namespace vx {
namespace {

GlEntryPoints g_entryPoints;

std::set<std::string, std::less<>>& loaded() {
    static std::set<std::string, std::less<>> names;
    return names;
}

struct EntryPoint {
    const char* name;
    void** slot;
};

template <typename F>
EntryPoint entry(const char* name, F& slot) {
    return {name, reinterpret_cast<void**>(&slot)};
}

struct Extension {
    const char* name;
    std::initializer_list<EntryPoint> entryPoints;
};

// The loader's table. Extensions without entry points only need to be offered.
bool loadKnown(std::string_view name, bool (*offered)(std::string_view)) {
    GlEntryPoints& g = g_entryPoints;
    const Extension table[] = {
        {"GL_ARB_multitexture",
         {entry("glActiveTextureARB", g.glActiveTextureARB),
          entry("glClientActiveTextureARB", g.glClientActiveTextureARB),
          entry("glMultiTexCoord2fARB", g.glMultiTexCoord2fARB),
          entry("glMultiTexCoord2fvARB", g.glMultiTexCoord2fvARB)}},
        {"GL_ARB_texture_env_combine", {}},
        {"GL_EXT_texture_env_combine", {}},
        {"GL_NV_register_combiners",
         {entry("glCombinerParameterfvNV", g.glCombinerParameterfvNV),
          entry("glCombinerParameterfNV", g.glCombinerParameterfNV),
          entry("glCombinerParameterivNV", g.glCombinerParameterivNV),
          entry("glCombinerParameteriNV", g.glCombinerParameteriNV),
          entry("glCombinerInputNV", g.glCombinerInputNV),
          entry("glCombinerOutputNV", g.glCombinerOutputNV),
          entry("glFinalCombinerInputNV", g.glFinalCombinerInputNV),
          entry("glGetCombinerInputParameterfvNV", g.glGetCombinerInputParameterfvNV),
          entry("glGetCombinerInputParameterivNV", g.glGetCombinerInputParameterivNV),
          entry("glGetCombinerOutputParameterfvNV", g.glGetCombinerOutputParameterfvNV),
          entry("glGetCombinerOutputParameterivNV", g.glGetCombinerOutputParameterivNV),
          entry("glGetFinalCombinerInputParameterfvNV", g.glGetFinalCombinerInputParameterfvNV),
          entry("glGetFinalCombinerInputParameterivNV", g.glGetFinalCombinerInputParameterivNV)}},
        {"GL_NV_register_combiners2",
         {entry("glCombinerStageParameterfvNV", g.glCombinerStageParameterfvNV),
          entry("glGetCombinerStageParameterfvNV", g.glGetCombinerStageParameterfvNV)}},
    };
    for (const Extension& extension : table) {
        if (name != extension.name)
            continue;
        // An implementation hands out an address for any name it is asked for, so only the
        // extension list tells whether the entry points really work.
        if (!offered(name))
            return false;
        bool all = true;
        for (const EntryPoint& e : extension.entryPoints) {
            *e.slot = reinterpret_cast<void*>(eglGetProcAddress(e.name));
            all = all && *e.slot != nullptr;
        }
        if (!all)
            for (const EntryPoint& e : extension.entryPoints)
                *e.slot = nullptr;
        return all;
    }
    return false;
}

// Whether the current context's extension list names `name` exactly (false without a context).
bool offeredByContext(std::string_view name) {
    const auto* list = reinterpret_cast<const char*>(glGetString(GL_EXTENSIONS));
    if (list == nullptr)
        return false;
    const std::string_view all(list);
    for (std::size_t start = 0; start < all.size();) {
        const std::size_t end = std::min(all.find(' ', start), all.size());
        if (all.substr(start, end - start) == name)
            return true;
        start = end + 1;
    }
    return false;
}

} // namespace

const GlEntryPoints& glEntryPoints() {
    return g_entryPoints;
}

bool initializeGlExtension(std::string_view name) {
    const bool ok = loadKnown(name, &offeredByContext);
    if (ok)
        loaded().emplace(name);
    else
        loaded().erase(std::string(name));
    return ok;
}

bool isGlExtensionLoaded(std::string_view name) {
    return loaded().find(name) != loaded().end();
}

void initializeGlExtensions(std::ostream& err) {
    for (const std::string_view name : kGlExtensions) {
        if (initializeGlExtension(name))
            err << "Initialized " << name << std::endl;
        else
            err << "Failed to initialize " << name << "!" << std::endl;
    }
}

} // namespace vx
