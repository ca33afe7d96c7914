#pragma once
#include "Shared/Graphics/Scene/MeshGeometry.h"
#include "Shared/Graphics/Scene/NamedValues.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace vx {

class Material;

// The polygons of a geometry that share one material.
class MaterialGroup {
public:
    // Name; presence byte and shared reference for the material; polygon count and indices;
    // named values.
    void write(OutStream& out, Scene& scene) const;
    bool read(InStream& in, Scene& scene);

    std::string m_name;
    std::shared_ptr<Material> m_material;   // may be absent
    std::vector<std::int32_t> m_primitives; // indices into the primitive buffer
    NamedValueTable m_namedValues;
};

// What a UtilMeshNode points at: a geometry seen through one ordered list of materials.
// Instances of one geometry with the same material list share it.
class MaterialGroupedMesh {
public:
    // Name; presence byte and shared reference for the geometry; group count; each group;
    // named values.
    void write(OutStream& out, Scene& scene) const;
    bool read(InStream& in, Scene& scene);

    std::string m_name;
    std::shared_ptr<MeshGeometry> m_geometry; // may be absent
    std::vector<MaterialGroup> m_groups;
    NamedValueTable m_namedValues;
};

} // namespace vx
