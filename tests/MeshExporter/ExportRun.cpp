#include "tests/MeshExporter/ExportRun.h"

#include "MeshExporter/ExportErrorList.h"
#include "MeshExporter/MeshExporter.h"

#include <filesystem>

namespace vx::test {

ExportRun::ExportRun(ExportSceneBuilder& builder, const std::string& outName)
    : out(dir.file(outName)), m_previousType(currentExportType()) {
    exportErrorList().clear();
    const std::filesystem::path before = std::filesystem::current_path();
    std::filesystem::current_path(dir.path());
    ok = exportGameAssets(builder.scene(), out, nullptr, 0);
    std::filesystem::current_path(before);
}

ExportRun::~ExportRun() {
    currentExportType() = m_previousType;
}

} // namespace vx::test
