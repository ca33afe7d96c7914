#include <vornexhost/MaLoader.h>
#include <vornexhost/Messages.h>
#include <vornexhost/PlaybackOptions.h>
#include <vornexhost/Scene.h>

#include <maya/MFileIO.h>
#include <maya/MGlobal.h>

#include <cstdio>
#include <memory>

namespace {

bool readWholeFile(const std::string& path, std::string& out) {
    std::unique_ptr<std::FILE, int (*)(std::FILE*)> file(std::fopen(path.c_str(), "rb"),
                                                         &std::fclose);
    if (!file)
        return false;
    char buffer[1 << 16];
    std::size_t n = 0;
    while ((n = std::fread(buffer, 1, sizeof buffer, file.get())) > 0)
        out.append(buffer, n);
    return std::ferror(file.get()) == 0;
}

} // namespace

MStatus MFileIO::open(const MString& fileName, const char*, bool) {
    vornexhost::Scene& scene = vornexhost::activeScene();
    vornexhost::sendSceneMessage(MSceneMessage::kBeforeOpen);
    scene.reset();
    std::string text;
    if (!readWholeFile(fileName.str(), text)) {
        MGlobal::displayError(fileName + ": cannot read the file");
        return MStatus::kNotFound;
    }
    const vornexhost::MaLoadResult result = vornexhost::loadMayaAscii(scene, fileName.str(), text);
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
