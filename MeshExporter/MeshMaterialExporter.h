#pragma once
// Describes how the engine draws each material of one level of detail: the effect file, the
// technique, the textures, and where the material's triangles lie in the merged buffers.
#include "MeshExporter/MeshMaterialRecord.h"

#include <memory>
#include <string>
#include <vector>

namespace vx {

class MeshDataExporter;
class OutStream;
class Scene;

class MeshMaterialExporter {
public:
    struct Entry {
        std::string effectFile;
        std::string technique;
        std::vector<std::string> textures;
        MeshMaterialRecord record; // taken over from the mesh
    };

    // Reads the effect, technique and textures the cgfx reading stored on each material of the
    // mesh. False (with the artist's message) for a level of detail without materials.
    bool readMaterials(const MeshDataExporter& mesh);
    // Writes the block (count, then per material effect, technique, textures and draw range;
    // static meshes add the material's bounds). Adds the textures to the exported file set.
    void writeMaterialBlock(OutStream& out) const;

    std::vector<Entry>& entries() { return m_entries; }
    const std::vector<Entry>& entries() const { return m_entries; }

private:
    std::vector<Entry> m_entries;
};

// Creates the exporter of a level of detail and reads its materials; null when reading fails.
std::unique_ptr<MeshMaterialExporter> createMaterialExporter(const Scene& scene, int lod,
                                                             MeshDataExporter& mesh);

// The technique a material is written with for the current export type.
std::string writtenTechnique(const MeshMaterialExporter::Entry& entry);

} // namespace vx
