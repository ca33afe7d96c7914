#include "Shared/Graphics/Scene/SceneOutline.h"

#include "Shared/Base/File/Pc/InFile.h"
#include "Shared/Base/Streams/FileInStream.h"
#include "Shared/Graphics/Scene/BaseSpline.h"
#include "Shared/Graphics/Scene/Material.h"
#include "Shared/Graphics/Scene/MaterialGroupedMesh.h"
#include "Shared/Graphics/Scene/Scene.h"
#include "Shared/Graphics/Scene/SceneIo.h"
#include "Shared/Graphics/Scene/UtilBaseSplineNode.h"
#include "Shared/Graphics/Scene/UtilJointNode.h"
#include "Shared/Graphics/Scene/UtilLocatorNode.h"
#include "Shared/Graphics/Scene/UtilLodNode.h"
#include "Shared/Graphics/Scene/UtilMeshNode.h"
#include "Shared/Graphics/Scene/UtilTransformNode.h"

#include <ostream>
#include <string>
#include <unordered_map>
#include <unordered_set>

namespace vx {
namespace {

std::ostream& operator<<(std::ostream& out, const Vector3& v) {
    return out << '(' << v.x << ", " << v.y << ", " << v.z << ')';
}

std::string quoted(const std::string& text) {
    return '"' + text + '"';
}

class OutlinePrinter {
public:
    explicit OutlinePrinter(std::ostream& out) : m_out(out) {}

    void node(const SceneNode& node, unsigned depth);

private:
    std::ostream& line(unsigned depth) { return m_out << std::string(2 * depth, ' '); }
    void namedValues(const NamedValueTable& table, unsigned depth);
    void mesh(const MaterialGroupedMesh& mesh, unsigned depth);
    void geometry(const MeshGeometry& geometry, unsigned depth);
    void vertexBuffer(const VertexBuffer& buffer, unsigned depth);
    void primitiveBuffer(const PrimitiveBuffer& buffer, unsigned depth);
    void spline(const BaseSpline& spline, unsigned depth);
    void material(const std::shared_ptr<Material>& material, unsigned depth);
    void value(const ChannelValue* value, std::ostream& out, unsigned depth);

    // Shared objects are numbered per kind in order of first appearance, as in the file; the
    // second time one is met only its number is printed. True the first time.
    template <typename T>
    bool firstTime(const T& object, std::ostream& out) {
        auto& numbers = std::get<std::unordered_map<const T*, std::size_t>>(m_numbers);
        const auto [at, first] = numbers.emplace(&object, numbers.size());
        out << " #" << at->second;
        if (!first)
            out << " (shown above)";
        return first;
    }

    std::ostream& m_out;
    std::unordered_set<const SceneNode*> m_seen;
    std::tuple<std::unordered_map<const MaterialGroupedMesh*, std::size_t>,
               std::unordered_map<const MeshGeometry*, std::size_t>,
               std::unordered_map<const VertexBuffer*, std::size_t>,
               std::unordered_map<const PrimitiveBuffer*, std::size_t>,
               std::unordered_map<const BaseSpline*, std::size_t>,
               std::unordered_map<const Material*, std::size_t>>
        m_numbers;
};

void OutlinePrinter::namedValues(const NamedValueTable& table, unsigned depth) {
    if (table.empty())
        return;
    std::ostream& out = line(depth) << "named values:";
    const char* separator = " ";
    for (const auto& [name, value] : table.values()) {
        out << separator << name << " = ";
        separator = ", ";
        switch (kindOf(value)) {
        case NamedValueKind::Integer:
            out << "int " << std::get<std::int32_t>(value);
            break;
        case NamedValueKind::Float:
            out << "float " << std::get<float>(value);
            break;
        case NamedValueKind::Bool:
            out << "bool " << (std::get<bool>(value) ? "true" : "false");
            break;
        case NamedValueKind::Text:
            out << "text " << quoted(std::get<std::string>(value));
            break;
        }
    }
    out << '\n';
}

void OutlinePrinter::node(const SceneNode& node, unsigned depth) {
    std::ostream& out = line(depth) << node.getType()->name() << ' ' << quoted(node.name());
    if (!m_seen.insert(&node).second) {
        out << " (shared, shown above)\n";
        return;
    }
    out << " parents " << node.parentCount();
    if (node.canHaveChildren())
        out << " children " << node.childCount();
    const unsigned inner = depth + 1;

    if (const auto* transform = dynamic_cast<const UtilTransformNode*>(&node)) {
        out << " keys " << transform->keyCount() << '\n';
        const Matrix& m = transform->m_matrix;
        line(inner) << "matrix " << m.rows[0] << ' ' << m.rows[1] << ' ' << m.rows[2]
                    << " translation " << m.translation << '\n';
        line(inner) << "rotate pivot translation " << transform->m_rotatePivotTranslation
                    << " scale pivot " << transform->m_scalePivot << '\n';
        namedValues(transform->m_namedValues, inner);
    } else if (const auto* joint = dynamic_cast<const UtilJointNode*>(&node)) {
        out << " keys " << joint->keyCount();
        if (joint->keyCount() != 0)
            out << " (times " << joint->m_timeIndices.front() << " to "
                << joint->m_timeIndices.back() << ')';
        out << '\n';
        namedValues(joint->m_namedValues, inner);
    } else if (const auto* lod = dynamic_cast<const UtilLodNode*>(&node)) {
        out << " thresholds [";
        for (std::size_t i = 0; i < lod->m_thresholds.size(); ++i)
            out << (i ? ", " : "") << lod->m_thresholds[i];
        out << "]\n";
        namedValues(lod->m_namedValues, inner);
    } else if (const auto* locator = dynamic_cast<const UtilLocatorNode*>(&node)) {
        out << " position " << locator->m_position << '\n';
        namedValues(locator->m_namedValues, inner);
    } else if (const auto* geometry = dynamic_cast<const UtilGeometryNode*>(&node)) {
        out << " influences " << geometry->influenceCount();
        const char* separator = " (";
        for (const SceneNode* influence : geometry->influenceObjects()) {
            out << separator << quoted(influence->name());
            separator = ", ";
        }
        out << (geometry->influenceCount() ? ")\n" : "\n");
        namedValues(geometry->namedValues(), inner);
        if (const auto* meshNode = dynamic_cast<const UtilMeshNode*>(&node)) {
            if (meshNode->mesh())
                mesh(*meshNode->mesh(), inner);
            else
                line(inner) << "no mesh\n";
        } else if (const auto* splineNode = dynamic_cast<const UtilBaseSplineNode*>(&node)) {
            if (splineNode->spline())
                spline(*splineNode->spline(), inner);
            else
                line(inner) << "no spline\n";
        }
    } else {
        out << '\n';
    }

    if (const NodeList* children = node.children()) {
        if (!children->empty() && inner >= sceneio::kMaxNodeDepth) {
            line(inner) << "(deeper levels not shown)\n";
            return;
        }
        for (const SceneNode* child : *children)
            this->node(*child, inner);
    }
}

void OutlinePrinter::mesh(const MaterialGroupedMesh& mesh, unsigned depth) {
    std::ostream& out = line(depth) << "mesh " << quoted(mesh.m_name);
    if (!firstTime(mesh, out)) {
        out << '\n';
        return;
    }
    out << ", " << mesh.m_groups.size() << " material groups\n";
    const unsigned inner = depth + 1;
    namedValues(mesh.m_namedValues, inner);
    if (mesh.m_geometry)
        geometry(*mesh.m_geometry, inner);
    else
        line(inner) << "no geometry\n";
    for (std::size_t i = 0; i < mesh.m_groups.size(); ++i) {
        const MaterialGroup& group = mesh.m_groups[i];
        line(inner) << "group " << i << ' ' << quoted(group.m_name) << ": "
                    << group.m_primitives.size() << " primitives\n";
        namedValues(group.m_namedValues, inner + 1);
        material(group.m_material, inner + 1);
    }
}

void OutlinePrinter::geometry(const MeshGeometry& geometry, unsigned depth) {
    std::ostream& out = line(depth) << "geometry " << quoted(geometry.m_name);
    if (!firstTime(geometry, out)) {
        out << '\n';
        return;
    }
    out << '\n';
    const unsigned inner = depth + 1;
    namedValues(geometry.m_namedValues, inner);
    if (geometry.m_vertexBuffer)
        vertexBuffer(*geometry.m_vertexBuffer, inner);
    else
        line(inner) << "no vertex buffer\n";
    if (geometry.m_primitiveBuffer)
        primitiveBuffer(*geometry.m_primitiveBuffer, inner);
    else
        line(inner) << "no primitive buffer\n";
}

void OutlinePrinter::vertexBuffer(const VertexBuffer& buffer, unsigned depth) {
    std::ostream& out = line(depth) << "vertex buffer " << quoted(buffer.m_name);
    if (!firstTime(buffer, out)) {
        out << '\n';
        return;
    }
    out << ": " << buffer.m_vertices.size() << " vertices, " << buffer.m_positions.size()
        << " positions, " << buffer.m_normals.size() << " normals, "
        << buffer.m_diffuseColors.size() << " diffuse colours, " << buffer.m_specularColors.size()
        << " specular colours, " << buffer.m_uvSets.size() << " UV sets [";
    for (std::size_t i = 0; i < buffer.m_uvSets.size(); ++i)
        out << (i ? ", " : "") << buffer.m_uvSets[i].size();
    out << "], " << buffer.m_skinWeights.size() << " skin weights, "
        << buffer.m_vertexNamedValues.size() << " vertex named-value tables\n";
    if (!buffer.m_texts.empty()) {
        std::ostream& texts = line(depth + 1) << "texts:";
        for (const std::string& text : buffer.m_texts)
            texts << ' ' << quoted(text);
        texts << '\n';
    }
}

void OutlinePrinter::primitiveBuffer(const PrimitiveBuffer& buffer, unsigned depth) {
    std::ostream& out = line(depth) << "primitive buffer " << quoted(buffer.m_name);
    if (!firstTime(buffer, out)) {
        out << '\n';
        return;
    }
    std::size_t triangles = 0;
    std::size_t quads = 0;
    std::size_t corners = 0;
    for (const Primitive& primitive : buffer.m_primitives) {
        corners += primitive.size();
        triangles += primitive.size() == 3 ? 1u : 0u;
        quads += primitive.size() == 4 ? 1u : 0u;
    }
    out << ": kind " << static_cast<unsigned>(buffer.m_primitiveKind) << ", "
        << buffer.m_primitives.size() << " primitives (" << triangles << " triangles, " << quads
        << " quads, " << buffer.m_primitives.size() - triangles - quads << " other; " << corners
        << " corners), " << buffer.m_attributes.size() << " attributes, "
        << buffer.m_attributeValues.size() << " attribute records\n";
}

void OutlinePrinter::spline(const BaseSpline& spline, unsigned depth) {
    std::ostream& out = line(depth) << "spline " << quoted(spline.m_name);
    if (!firstTime(spline, out)) {
        out << '\n';
        return;
    }
    out << ": " << spline.m_controlPoints.size() << " control points, " << spline.m_knots.size()
        << " knots, value " << spline.m_extraValue << '\n';
    namedValues(spline.m_namedValues, depth + 1);
    if (spline.m_material)
        material(spline.m_material, depth + 1);
}

void OutlinePrinter::material(const std::shared_ptr<Material>& material, unsigned depth) {
    if (!material) {
        line(depth) << "no material\n";
        return;
    }
    std::ostream& out = line(depth) << "material " << quoted(material->m_name);
    if (!firstTime(*material, out)) {
        out << '\n';
        return;
    }
    out << " flags " << static_cast<unsigned>(material->m_firstFlag) << ' '
        << static_cast<unsigned>(material->m_secondFlag) << ", " << material->m_channels.size()
        << " channels\n";
    for (const auto& [name, channel] : material->m_channels) {
        std::ostream& channelLine = line(depth + 1) << name << ": ";
        value(channel.get(), channelLine, depth + 2);
        channelLine << '\n';
        if (const auto* texture = dynamic_cast<const TextureValue*>(channel.get()))
            namedValues(texture->m_namedValues, depth + 2);
    }
    namedValues(material->m_namedValues, depth + 1);
}

void OutlinePrinter::value(const ChannelValue* value, std::ostream& out, unsigned depth) {
    if (!value) {
        out << "none";
        return;
    }
    if (depth > sceneio::kMaxValueDepth + 8) {
        out << "...";
        return;
    }
    switch (value->kind()) {
    case ChannelValueKind::Color: {
        const auto& color = static_cast<const ColorValue&>(*value);
        out << "colour (" << color.m_rgba[0] << ", " << color.m_rgba[1] << ", " << color.m_rgba[2]
            << ", " << color.m_rgba[3] << ')';
        break;
    }
    case ChannelValueKind::Texture: {
        const auto& texture = static_cast<const TextureValue&>(*value);
        out << "texture " << quoted(texture.m_fileName) << " filter "
            << static_cast<unsigned>(texture.m_filterType) << " offset (" << texture.m_offsetU
            << ", " << texture.m_offsetV << ") rotate " << texture.m_rotateUV;
        if (texture.m_image)
            out << " image " << texture.m_image->m_width << 'x' << texture.m_image->m_height << " ("
                << texture.m_image->m_pixels.size() << " bytes)";
        break;
    }
    case ChannelValueKind::Pair: {
        const auto& pair = static_cast<const PairValue&>(*value);
        out << "pair(";
        this->value(pair.m_first.get(), out, depth + 1);
        out << ", ";
        this->value(pair.m_second.get(), out, depth + 1);
        out << ')';
        break;
    }
    case ChannelValueKind::Combined: {
        const auto& combined = static_cast<const CombinedValue&>(*value);
        out << "combined(mode " << static_cast<unsigned>(combined.m_mode) << ", ";
        this->value(combined.m_first.get(), out, depth + 1);
        out << ", ";
        this->value(combined.m_second.get(), out, depth + 1);
        out << ')';
        break;
    }
    }
}

} // namespace

void printSceneOutline(const Scene& scene, std::ostream& out) {
    out << "Scene graph version " << scene.version() << '\n';
    if (!scene.getRoot()) {
        out << "(no root)\n";
        return;
    }
    OutlinePrinter(out).node(*scene.getRoot(), 0);
}

int runSceneInfo(const char* path, std::ostream& out, std::ostream& err) {
    if (!path || !InFile::exists(path)) {
        err << "cannot open scene graph file '" << (path ? path : "") << "'\n";
        return 1;
    }
    FileInStream in(path);
    Scene scene;
    if (!scene.read(in)) {
        err << scene.lastError() << '\n';
        return 1;
    }
    out << path << ":\n";
    printSceneOutline(scene, out);
    return 0;
}

} // namespace vx
