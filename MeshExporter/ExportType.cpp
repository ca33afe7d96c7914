#include "MeshExporter/ExportType.h"

#include "Shared/Base/TextCase.h"

namespace vx {
namespace {

constexpr std::string_view kNames[] = {"staticMesh",       "bundledMesh", "skinnedMesh",
                                       "meshParticleMesh", "skeleton",    "animation"};

} // namespace

std::string_view exportTypeName(ExportType type) {
    return type >= 0 && type < kNoExportType ? kNames[type] : std::string_view();
}

ExportType exportTypeFromName(std::string_view name) {
    for (int i = 0; i < kNoExportType; ++i)
        if (equalsIgnoringCase(name, kNames[i]))
            return static_cast<ExportType>(i);
    return kNoExportType;
}

ExportType& currentExportType() {
    static ExportType type = kNoExportType;
    return type;
}

} // namespace vx
