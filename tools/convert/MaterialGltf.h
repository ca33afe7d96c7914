#pragma once
// glTF materials for a mesh file's material records: one per distinct effect, technique,
// texture list and blending, named after the technique (the effect's name when there is
// none). The first texture becomes the base colour, embedded as PNG; blended materials are
// BLEND, alpha-tested ones MASK at 0.5.
#include "tools/convert/GltfBuilder.h"
#include "tools/info/MeshFile.h"

#include <array>
#include <iosfwd>
#include <map>
#include <string>
#include <tuple>
#include <vector>

namespace vx::convert {

class MaterialTable {
public:
    // Textures are looked for in `textureFolder` (none when empty); one that is missing or
    // cannot be decoded leaves its material untextured, with a warning on `warnings`.
    MaterialTable(GltfBuilder& builder, std::string textureFolder, std::ostream& warnings);

    // The glTF material of the record, made on first use.
    int materialFor(const meshfile::MeshFile& file, const meshfile::MaterialRecord& record);

    // A plain coloured material (collision meshes), made on first use per name.
    int colourMaterial(const std::string& name, const std::array<float, 3>& colour);

private:
    int textureFor(const std::string& name);

    GltfBuilder& m_builder;
    std::string m_textureFolder;
    std::ostream& m_warnings;
    std::map<std::tuple<std::string, std::string, std::vector<std::string>, int>, int> m_materials;
    std::map<std::string, int> m_textures; // -1 for one that could not be loaded
    std::map<std::string, int> m_colours;
};

} // namespace vx::convert
