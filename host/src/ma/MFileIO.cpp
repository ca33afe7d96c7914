#include <vornexhost/FileText.h>
#include <vornexhost/MaLoader.h>
#include <vornexhost/MeshSource.h>
#include <vornexhost/Messages.h>
#include <vornexhost/PlaybackOptions.h>
#include <vornexhost/Scene.h>

#include <maya/MFileIO.h>
#include <maya/MGlobal.h>

MStatus MFileIO::open(const MString& fileName, const char*, bool) {
    vornexhost::Scene& scene = vornexhost::activeScene();
    vornexhost::sendSceneMessage(MSceneMessage::kBeforeOpen);
    scene.reset();
    vornexhost::FileText text;
    if (!text.open(fileName.str())) {
        MGlobal::displayError(fileName + ": cannot read the file");
        return MStatus::kNotFound;
    }
    const vornexhost::MaLoadResult result =
        vornexhost::loadMayaAscii(scene, fileName.str(), text.text());
    for (const std::string& w : result.warnings)
        MGlobal::displayWarning(w);
    if (!result.ok) {
        MGlobal::displayError(result.error);
        // A half-loaded scene would be a lie: the host is left with an empty one.
        scene.reset();
        return MStatus::kFailure;
    }
    std::string warning;
    vornexhost::applySceneTimes(scene, warning);
    if (!warning.empty())
        MGlobal::displayWarning(fileName + ": " + warning);
    scene.currentFile = fileName.str();
    // Whoever loads a scene reads its meshes next, one after the other; built side by side now,
    // they are ready when asked for.
    vornexhost::evaluateMeshesAhead(vornexhost::meshShapes(scene));
    return MStatus::kSuccess;
}

MStatus MFileIO::newFile(bool) {
    vornexhost::sendSceneMessage(MSceneMessage::kBeforeNew);
    vornexhost::activeScene().reset();
    return MStatus::kSuccess;
}

MString MFileIO::currentFile() {
    return MString(vornexhost::activeScene().currentFile);
}
