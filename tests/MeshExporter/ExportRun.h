#pragma once
// The export of a builder's scene into a fresh folder, which is also the working folder the
// lightmapper's debug pictures go to; the mesh files written there read back strictly.
#include "MeshExporter/ExportType.h"
#include "tests/MeshExporter/ExportSceneBuilder.h"
#include "tests/Shared/Base/TestLogCapture.h"
#include "tests/tools/info/FileReadBack.h"

#include <string>

namespace vx::test {

class ExportRun {
public:
    // Clears the error list, then exports to `outName` in the folder.
    ExportRun(ExportSceneBuilder& builder, const std::string& outName);
    // Later tests expect the process-wide export type as they found it.
    ~ExportRun();
    ExportRun(const ExportRun&) = delete;
    ExportRun& operator=(const ExportRun&) = delete;

    std::string meshPath(const std::string& fileName) const {
        return dir.file("meshes/" + fileName);
    }
    meshfile::MeshFile readMesh(const std::string& fileName, meshfile::MeshKind kind) const {
        return readMeshBack(meshPath(fileName), kind);
    }

    TempDir dir;
    std::string out;
    bool ok = false;

private:
    ExportType m_previousType;
};

} // namespace vx::test
