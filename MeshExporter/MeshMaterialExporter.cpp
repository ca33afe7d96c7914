#include "MeshExporter/MeshMaterialExporter.h"

#include "MeshExporter/ExportErrorList.h"
#include "MeshExporter/ExportType.h"
#include "MeshExporter/ExportedFileSet.h"
#include "MeshExporter/MeshDataExporter.h"
#include "Shared/Base/Log.h"
#include "Shared/Base/Streams/OutStream.h"
#include "Shared/Base/TextCase.h"
#include "Shared/Base/math/Matrix.h"
#include "Shared/Graphics/Scene/Material.h"

namespace vx {

namespace {

constexpr std::string_view kSpecularTable = "specularlut_pow36.dds";
constexpr const char* kCommonSpecularTable = "Common\\Textures\\SpecularLUT_pow36.dds";

bool contains(const std::string& text, std::string_view part) {
    return text.find(part) != std::string::npos;
}

void writeText(OutStream& out, const std::string& text) {
    out << static_cast<std::uint32_t>(text.size());
    out << text;
}

} // namespace

bool MeshMaterialExporter::readMaterials(const MeshDataExporter& mesh) {
    VX_INFO << "start";
    m_entries.clear();
    if (mesh.materialRecords().empty()) {
        exportErrorList().append("This geometry has no materials");
        return false;
    }
    for (const MeshMaterialRecord& record : mesh.materialRecords()) {
        VX_INFO << "material:" << record.name;
        Entry entry;
        const Material* material = record.material.get();
        std::optional<std::string> effect;
        std::optional<std::int32_t> count;
        if (material) {
            effect = material->getText("zeph_FxFileName");
            entry.technique = material->getText("zeph_TechniqueName").value_or("");
            count = material->getInt("zeph_NumFxTextures");
        }
        if (!effect || effect->empty()) {
            VX_INFO << "no cgfx specified for material";
        }
        entry.effectFile = effect.value_or("");
        VX_INFO << "fxFilename:" << entry.effectFile;
        const std::int32_t textureCount = count.value_or(0);
        if (textureCount < 1) {
            exportErrorList().append("This mesh material " + record.name +
                                     " has no valid textures " + std::to_string(textureCount) +
                                     " < 1");
            VX_WARNING << "This mesh material " << record.name << " has no valid textures "
                       << textureCount;
        }
        for (std::int32_t d = 0; d < textureCount; ++d) {
            std::string texture =
                material ? material->getText("zeph_FxTexture" + std::to_string(d)).value_or("")
                         : std::string();
            if (contains(toLowerAscii(texture), kSpecularTable))
                texture = kCommonSpecularTable;
            entry.textures.push_back(std::move(texture));
        }
        entry.record = record;
        m_entries.push_back(std::move(entry));
    }
    VX_INFO << "end";
    return true;
}

std::string writtenTechnique(const MeshMaterialExporter::Entry& entry) {
    const std::string& name = entry.record.name;
    if (entry.record.alphaMode == 1)
        return name;
    const std::string lower = toLowerAscii(name);
    const ExportType type = currentExportType();
    if (type == kSkinnedMesh) {
        std::string technique;
        if (contains(lower, "tangent") || contains(lower, "humanskin"))
            technique = name;
        if (contains(lower, "alpha_test"))
            technique += "Alpha_Test";
        if (contains(lower, "envmap"))
            technique += "EnvMap";
        if (contains(lower, "colormapgloss"))
            technique += "ColormapGloss";
        return technique;
    }
    if (type == kBundledMesh || type == kMeshParticleMesh) {
        std::string technique;
        if (contains(lower, "animateduv"))
            technique += "AnimatedUV";
        if (contains(lower, "alpha_test"))
            technique += "Alpha_Test";
        else if (contains(lower, "alpha_one"))
            technique += "Alpha_One";
        else if (contains(lower, "alpha"))
            technique += "Alpha";
        if (contains(lower, "envmap"))
            technique += "EnvMap";
        if (contains(lower, "colormapgloss"))
            technique += "ColormapGloss";
        if (contains(lower, "cockpit"))
            technique += "Cockpit";
        if (contains(lower, "nohemilight"))
            technique += "NoHemiLight";
        return technique;
    }
    return entry.technique;
}

void MeshMaterialExporter::writeMaterialBlock(OutStream& out) const {
    const auto count = static_cast<std::uint32_t>(m_entries.size());
    VX_INFO << "numMaterials:" << count;
    out << count;
    for (std::uint32_t i = 0; i < count; ++i) {
        const Entry& entry = m_entries[i];
        VX_INFO << "Material#" << i;
        VX_INFO << "   Shader:" << entry.effectFile;
        writeText(out, entry.effectFile);
        const std::string technique = writtenTechnique(entry);
        VX_INFO << "   Technique:" << technique;
        writeText(out, technique);
        const auto textureCount = static_cast<std::int32_t>(entry.textures.size());
        VX_INFO << "   Num textures:" << textureCount;
        out << static_cast<std::uint32_t>(textureCount);
        for (const std::string& texture : entry.textures) {
            writeText(out, texture.empty() ? std::string("default.dds") : texture);
            if (!texture.empty() && !contains(texture, "SpecularLUT_pow36.dds"))
                exportedFileSet().add(contains(texture, "/") ? texture : "Textures/" + texture);
        }
        const MeshMaterialRecord& r = entry.record;
        VX_INFO << "   baseVertexIndex:" << r.baseVertexIndex;
        VX_INFO << "   indexCount:" << r.indexCount;
        VX_INFO << "   numVers:" << r.vertexCount;
        VX_INFO << "   partOffset:" << r.partOffset;
        VX_INFO << "   partSize:" << r.partSize;
        out << r.baseVertexIndex << r.startIndex << r.indexCount << r.vertexCount << r.partOffset
            << r.partSize;
        if (currentExportType() == kStaticMesh)
            out << r.boundsMin << r.boundsMax;
    }
}

std::unique_ptr<MeshMaterialExporter> createMaterialExporter(const Scene& /*scene*/, int /*lod*/,
                                                             MeshDataExporter& mesh) {
    auto exporter = std::make_unique<MeshMaterialExporter>();
    if (!exporter->readMaterials(mesh))
        return nullptr;
    return exporter;
}

} // namespace vx
