#pragma once
// Scenes for the exporter built directly in the scene model, the way the reader leaves them:
// transforms holding mesh nodes whose polygons are grouped by cgfx materials.
#include "Shared/Base/math/Matrix.h"
#include "Shared/Graphics/Scene/Scene.h"
#include "Shared/Graphics/Scene/VertexBuffer.h"

#include <initializer_list>
#include <memory>
#include <string>
#include <vector>

namespace vx {

class Material;
class MaterialGroupedMesh;
class SceneNode;
class UtilMeshNode;

namespace test {

// A hardware-shader material with the named values the cgfx reading stores.
std::shared_ptr<Material> cgfxMaterial(const std::string& name, const std::string& effect,
                                       const std::string& technique,
                                       std::initializer_list<std::string> textures);

// Polygons with their corners' positions, normals and texture coordinates per set; each
// polygon lists corner numbers and the material group it belongs to.
struct MeshDraft {
    std::vector<Vector3> positions;
    std::vector<Vector3> normals;                             // one per corner number; may be empty
    std::vector<std::vector<std::pair<float, float>>> uvSets; // per set, one per corner number
    std::vector<Color> colors;                                // one per corner number; may be empty
    std::vector<SkinWeight> skin;                             // one per corner number; may be empty
    std::vector<std::vector<int>> polygons;
    std::vector<int> groupOfPolygon;
    std::vector<std::shared_ptr<Material>> groups;
};
std::shared_ptr<MaterialGroupedMesh> buildMesh(const std::string& name, const MeshDraft& draft);

// An s x s grid of points in the x-z plane (with a little height), triangulated, one UV set,
// its rows split into `groups.size()` bands of materials.
MeshDraft gridDraft(int side, const std::vector<std::shared_ptr<Material>>& groups);

// A local transform that only moves by (x, y, z).
inline Matrix translation(float x, float y, float z) {
    return Matrix(Vector3(1, 0, 0), Vector3(0, 1, 0), Vector3(0, 0, 1), Vector3(x, y, z));
}

// Root "root_<type>"; nodes are added under a parent found by exact name.
class ExportSceneBuilder {
public:
    explicit ExportSceneBuilder(const std::string& rootName = "root_staticMesh");
    void transform(const std::string& name, const std::string& parent,
                   const Matrix& local = Matrix::identity());
    void mesh(const std::string& name, const std::string& parent,
              std::shared_ptr<MaterialGroupedMesh> mesh);
    void locator(const std::string& name, const std::string& parent, const Vector3& at);
    // A joint with one key (frame 0): `rotation`, then `translation` as its local transform.
    // With `animExport` it carries the "anim_export" attribute that makes it a skeleton bone.
    void joint(const std::string& name, const std::string& parent, const Vector3& translation,
               const Quaternion& rotation = {}, bool animExport = true);
    // A mesh deformed by the named joints, in the order of its skin records' influence
    // positions.
    void skinnedMesh(const std::string& name, const std::string& parent,
                     std::shared_ptr<MaterialGroupedMesh> shape,
                     const std::vector<std::string>& influences);
    SceneNode* find(const std::string& name) const;
    Scene& scene() { return m_scene; }

private:
    Scene m_scene;
};

} // namespace test
} // namespace vx
