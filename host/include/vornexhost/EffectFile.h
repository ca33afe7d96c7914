#pragma once
// The CgFX stand-in's view of an effect file: its global parameters in file order, each with
// the type name that `cgfxShader -p` reports.
#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace vornexhost {

struct EffectParameter {
    std::string name;
    // "Color2DTexture", "NormalTexture", ... for samplers and textures; otherwise the declared
    // type as written ("float", "float3", "float4x4", "bool", ...).
    std::string type;
    std::string semantic;
    std::map<std::string, std::string, std::less<>> annotations;
};

class EffectFile {
public:
    // Parses effect source; on failure returns false and sets `error` to "name:line: reason".
    static bool parse(std::string_view source, std::string_view name, EffectFile& out,
                      std::string& error);
    // Reads and parses a file; errors as above (a missing file names the path).
    static bool load(const std::string& path, EffectFile& out, std::string& error);

    const std::vector<EffectParameter>& parameters() const { return m_parameters; }
    const EffectParameter* find(std::string_view name) const;

private:
    std::vector<EffectParameter> m_parameters;
};

// The texture type names the host reports for texture parameters.
bool isTextureTypeName(std::string_view type);

// Where the effect of a cgfxShader node is read from: the path as written, then relative to
// the scene file's folder, then by file name in each folder of the colon-separated search path
// (the VORNEX_CGFX_PATH environment variable). Empty when none exists.
std::string resolveEffectPath(const std::string& path, const std::string& sceneFolder,
                              const std::string& searchPath);

} // namespace vornexhost
