#pragma once
// The export of a builder's scene into a fresh folder, which is also the working folder the
// lightmapper's debug pictures go to; the mesh file written there is read back strictly.
#include "MeshExporter/ExportType.h"
#include "tests/MeshExporter/ExportSceneBuilder.h"
#include "tests/Shared/Base/TestLogCapture.h"
#include "tests/tools/info/FileReadBack.h"

#include <string>

namespace vx::test {

class ExportRun {
public:
    // Clears the error list, then exports to `outName` in the folder ("prop.staticMesh",
    // "Spark.meshParticleMesh", ...); when that succeeds, reads the mesh file back into `file`.
    ExportRun(ExportSceneBuilder& builder, const std::string& outName);
    // Later tests expect the process-wide export type as they found it.
    ~ExportRun();
    ExportRun(const ExportRun&) = delete;
    ExportRun& operator=(const ExportRun&) = delete;

    std::string meshPath(const std::string& fileName) const {
        return dir.file("meshes/" + fileName);
    }

    TempDir dir;
    std::string out;
    bool ok = false;
    // Where the mesh file goes: "meshes/" and the output's name lower-cased, mesh particles
    // with the bundled extension.
    std::string mesh;
    meshfile::MeshFile file;

private:
    ExportType m_previousType;
};

} // namespace vx::test
