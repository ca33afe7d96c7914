#include "tests/MeshExporter/ExportRun.h"

#include "MeshExporter/ExportErrorList.h"
#include "MeshExporter/MeshExporter.h"
#include "Shared/Base/TextCase.h"

#include <filesystem>

namespace vx::test {

ExportRun::ExportRun(ExportSceneBuilder& builder, const std::string& outName)
    : out(dir.file(outName)), m_previousType(currentExportType()) {
    exportErrorList().clear();
    const std::filesystem::path before = std::filesystem::current_path();
    std::filesystem::current_path(dir.path());
    ok = exportGameAssets(builder.scene(), out, nullptr, 0);
    std::filesystem::current_path(before);

    const std::string name = toLowerAscii(outName);
    const std::string base = name.substr(0, name.rfind('.'));
    const std::string type = name.substr(base.size());
    const bool skinned = type == ".skinnedmesh";
    const bool bundled = !skinned && type != ".staticmesh";
    mesh = meshPath(base + (bundled ? ".bundledmesh" : type));
    if (ok)
        file = readMeshBack(mesh, skinned   ? meshfile::MeshKind::Skinned
                                  : bundled ? meshfile::MeshKind::Bundled
                                            : meshfile::MeshKind::Static);
}

ExportRun::~ExportRun() {
    currentExportType() = m_previousType;
}

} // namespace vx::test
