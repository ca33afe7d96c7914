#include "MeshExporter/ObjectTemplateWriter.h"

#include "MeshExporter/AnimatedUvState.h"
#include "MeshExporter/CollisionMaterialList.h"
#include "MeshExporter/CreatorName.h"
#include "MeshExporter/ExportErrorList.h"
#include "MeshExporter/ExportFileWriting.h"
#include "MeshExporter/ExportPaths.h"
#include "MeshExporter/ExportType.h"
#include "MeshExporter/ExportedFileSet.h"
#include "MeshExporter/GeometryExport.h"
#include "MeshExporter/NodeSearch.h"
#include "Shared/Base/Log.h"
#include "Shared/Base/TextCase.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <iostream>
#include <optional>
#include <string_view>

namespace vx {

namespace {

constexpr int kMaxParts = 26;

constexpr std::array<std::string_view, 34> kValidTypes = {"Engine",
                                                          "PlayerControlObject",
                                                          "SimpleObject",
                                                          "Spring",
                                                          "RotationalBundle",
                                                          "DynamicBundle",
                                                          "Bundle",
                                                          "Camera",
                                                          "Wing",
                                                          "Floater",
                                                          "EntryPoint",
                                                          "HandFireArm",
                                                          "FireArm",
                                                          "GenericFireArm",
                                                          "GenericProjectile",
                                                          "GuidedProjectile",
                                                          "Soldier",
                                                          "Projectile",
                                                          "TargetSeekingProjectile",
                                                          "TargetObject",
                                                          "TeamObject",
                                                          "Particle",
                                                          "LandingGear",
                                                          "Rotor",
                                                          "DestroyableObject",
                                                          "DestroyableWindowsBundle",
                                                          "DestroyableWindow",
                                                          "ThrownWeapon",
                                                          "Ladder",
                                                          "EffectBundle",
                                                          "Emitter",
                                                          "AnimatedBundle",
                                                          "Parachute",
                                                          "SupplyObject"};

// The text after the last "__"; none when the name has no "__".
std::optional<std::string> typeOf(const MeshPart& part) {
    const std::size_t at = part.name.rfind("__");
    if (at == std::string::npos)
        return std::nullopt;
    return part.name.substr(at + 2);
}

std::string templateName(const MeshPart& part) {
    return part.name.substr(0, part.name.rfind("__"));
}

bool isAnchor(const MeshPart& part) {
    const std::optional<std::string> type = typeOf(part);
    return type && equalsIgnoringCase(*type, "anchor");
}

std::string mappedType(const std::string& type) {
    for (std::string_view arm :
         {"HandFireArm", "ThrownWeapon", "LaserPainter", "FireArm", "MultiFireArm"})
        if (equalsIgnoringCase(type, arm))
            return "GenericFireArm";
    for (std::string_view projectile :
         {"Projectile", "TargetSeekingProjectile", "BouncingProjectile"})
        if (equalsIgnoringCase(type, projectile))
            return "GenericProjectile";
    return type;
}

std::string_view geometryTemplateType(ExportType type) {
    switch (type) {
    case kBundledMesh:
        return "BundledMesh";
    case kSkinnedMesh:
        return "SkinnedMesh";
    case kMeshParticleMesh:
        return "MeshParticleMesh";
    default:
        return "StaticMesh";
    }
}

bool hasCollision(const MeshPart& part) {
    return part.node && findNodeByPrefix(part.node, "col");
}

// The LOD 0 list with the most parts; on equal counts the last geometry's.
const MeshPartList* chosenParts(const ExportGeometryData& data) {
    const MeshPartList* chosen = nullptr;
    for (const std::vector<MeshPartList>& lods : data.parts) {
        if (lods.empty())
            continue;
        if (!chosen || lods.front().size() >= chosen->size())
            chosen = &lods.front();
    }
    return chosen;
}

float degrees(float y, float x) {
    constexpr float kSmall = 1.1920929e-07f;
    constexpr float kFactor = 57.2957763671875f;
    if (std::fabs(y) < kSmall && std::fabs(x) < kSmall)
        return 0.0f;
    return std::atan2(y, x) * kFactor;
}

class ScriptLines {
public:
    void add(const std::string& line) { m_text += line + "\r\n"; }
    std::string take() { return std::move(m_text); }

private:
    std::string m_text;
};

} // namespace

std::string scriptNumber(float value) {
    if (std::fabs(value) < 0.001f)
        return "0";
    std::array<char, 64> buffer{};
    std::snprintf(buffer.data(), buffer.size(), "%.4f", static_cast<double>(value));
    return buffer.data();
}

std::string scriptVector(const Vector3& v) {
    return scriptNumber(v.x) + "/" + scriptNumber(v.y) + "/" + scriptNumber(v.z);
}

Vector3 scriptEulerAngles(const Matrix& m) {
    constexpr float kFactor = 57.2957763671875f;
    const float m21 = m.rows[2].y;
    if (m21 >= 1.0f)
        return {degrees(m.rows[0].z, m.rows[0].x), 90.0f, 0.0f};
    if (m21 <= -1.0f)
        return {-degrees(m.rows[0].z, m.rows[0].x), -90.0f, 0.0f};
    return {degrees(-m.rows[0].y, m.rows[1].y), std::asin(m21) * kFactor,
            degrees(-m.rows[2].x, m.rows[2].z)};
}

std::string objectTemplateText(const MeshPartList& parts, const std::string& baseName,
                               bool collisionVariant) {
    const ExportType exportType = currentExportType();
    const bool bundled = exportType == kBundledMesh;
    ScriptLines out;
    const auto partCount =
        std::count_if(parts.begin(), parts.end(), [](const MeshPart& p) { return !p.noGeometry; });
    if (partCount > kMaxParts) {
        const std::string text = "Number of parts is too big " + std::to_string(partCount) + ">26";
        std::cout << "\n EXPORTER ERROR: " << text << std::flush;
        exportErrorList().append(text);
    }
    if (!collisionVariant) {
        out.add("GeometryTemplate.create " + std::string(geometryTemplateType(exportType)) + " " +
                baseName);
        if ((bundled || exportType == kMeshParticleMesh) && animatedUvState().used)
            out.add("GeometryTemplate.nrOfAnimatedUVMatrix " +
                    std::to_string(animatedUvState().matrixCount));
    }
    const std::string include =
        "include " + baseName + (collisionVariant ? "_col.tweak" : ".tweak");
    if (parts.empty()) {
        // A skinned mesh has no part list, yet the pipeline loading it expects its script.
        if (exportType == kSkinnedMesh) {
            out.add("");
            out.add(include);
        }
        return out.take();
    }
    if (exportType == kMeshParticleMesh) {
        const std::optional<std::string> rootType = typeOf(parts.front());
        if (!rootType || !equalsIgnoringCase(*rootType, "Particle"))
            return out.take();
    }
    if (hasCollision(parts.front()))
        out.add("CollisionManager.createTemplate " + baseName);

    int geometryPart = 0;
    int collisionPart = 0;
    bool mobile = false;
    for (std::size_t i = 0; i < parts.size(); ++i) {
        const MeshPart& p = parts[i];
        const bool root = i == 0;
        int nonAnchorChildren = 0;
        for (std::size_t j = i + 1; j < parts.size(); ++j)
            if (parts[j].parentIndex == static_cast<std::int32_t>(i) && !isAnchor(parts[j]))
                ++nonAnchorChildren;
        std::string type = nonAnchorChildren > 0 ? "Bundle" : "SimpleObject";
        if (nonAnchorChildren == 0 && p.noGeometry)
            continue;
        if (const std::optional<std::string> named = typeOf(p))
            type = *named;
        type = mappedType(type);
        if (std::find(kValidTypes.begin(), kValidTypes.end(), type) == kValidTypes.end()) {
            exportErrorList().append("Object Template type " + type + " is not valid!!!");
            VX_WARNING << "Object Template type " << type << " is not valid!!!";
        }
        const bool emitter = type == "Emitter";

        out.add("");
        if (root) {
            out.add("ObjectTemplate.create " + type + " " + baseName +
                    (collisionVariant ? "_col" : ""));
            out.add("ObjectTemplate.saveInSeparateFile 1");
            out.add("ObjectTemplate.creator " + creatorName());
        } else {
            out.add("ObjectTemplate.create " + type + " " + templateName(p));
            if (emitter && !collisionVariant) {
                std::string particle = templateName(p);
                if (equalsIgnoringCase(std::string_view(particle).substr(0, 3), "em_"))
                    particle.erase(0, 3);
                particle = "p_" + particle;
                out.add("ObjectTemplate.template " + particle);
                out.add("");
                out.add("ObjectTemplate.create Particle " + particle);
            }
        }

        if (hasCollision(p)) {
            if (root || emitter) {
                out.add("ObjectTemplate.collisionMesh " + baseName);
                const std::vector<std::string>& materials = collisionMaterialList().names();
                for (std::size_t k = 0; k < materials.size(); ++k)
                    out.add("ObjectTemplate.mapMaterial " + std::to_string(k) + " " + materials[k] +
                            " 0");
            }
            if ((!root || emitter) && bundled)
                out.add("ObjectTemplate.collisionPart " + std::to_string(collisionPart));
            out.add("ObjectTemplate.hasCollisionPhysics 1");
            out.add("ObjectTemplate.physicsType 3");
        }

        mobile = mobile || type == "PlayerControlObject";
        if (mobile)
            out.add("ObjectTemplate.hasMobilePhysics 1");

        if (!collisionVariant && type != "EffectBundle") {
            if (root || emitter) {
                out.add("ObjectTemplate.geometry " + baseName);
                const std::string lower = toLowerAscii(type);
                if (lower == "handfirearm" || lower == "soldier" || lower == "thrownweapon" ||
                    lower == "genericfirearm")
                    break;
            }
            if ((!root || emitter) && bundled && !p.noGeometry)
                out.add("ObjectTemplate.geometryPart " + std::to_string(geometryPart));
        }

        if (root && type == "DestroyableWindowsBundle")
            out.add("ObjectTemplate.setNumWindows " + std::to_string(partCount));

        for (std::size_t j = i + 1; j < parts.size(); ++j) {
            const MeshPart& q = parts[j];
            if (q.parentIndex != static_cast<std::int32_t>(i))
                continue;
            const Vector3 position = q.transform.translation;
            const Vector3 angles = scriptEulerAngles(q.transform);
            const Vector3 rotation(-angles.z, -angles.y, -angles.x);
            const bool hasPosition = position.length() > 0.001f;
            if (isAnchor(q)) {
                if (hasPosition)
                    out.add("ObjectTemplate.anchor " + scriptVector(position));
                continue;
            }
            out.add("ObjectTemplate.addTemplate " + templateName(q));
            if (hasPosition)
                out.add("ObjectTemplate.setPosition " + scriptVector(position));
            if (rotation.length() > 0.001f)
                out.add("ObjectTemplate.setRotation " + scriptVector(rotation));
        }

        if (!p.noGeometry) {
            ++geometryPart;
            ++collisionPart;
        }
    }
    out.add("");
    out.add(include);
    return out.take();
}

bool writeObjectTemplates(const ExportGeometryData& data, const std::string& outputFile,
                          bool collisionVariant) {
    const MeshPartList* parts = chosenParts(data);
    if (!parts || (parts->empty() && currentExportType() != kSkinnedMesh))
        return true;
    const std::string suffix = collisionVariant ? "_col.con" : ".con";
    const std::string baseName = toLowerAscii(outputBaseName(outputFile));
    // The user's folder as given; the name the exporter makes lower-cased.
    const std::string path = outputDirectory(outputFile) + baseName + suffix;
    const std::string recorded = recordedPath(outputDirectory(outputFile) + baseName);
    const std::size_t rawData = recorded.find("rawdata/");
    // Without "rawdata/" in the path the entry is relative to the output folder.
    exportedFileSet().add((rawData == std::string::npos ? baseName : recorded.substr(rawData + 8)) +
                          suffix);
    return writeExportFile(path, objectTemplateText(*parts, baseName, collisionVariant));
}

} // namespace vx
