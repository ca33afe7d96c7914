#include "Vornex/VornexTranslator.h"

#include "MeshExporter/ExportErrorList.h"
#include "MeshExporter/MeshExporter.h"
#include "Shared/Base/Log.h"
#include "Vornex/Reader/SceneReader.h"
#include "Vornex/TranslatorOptions.h"
#include "Vornex/VornexException.h"

#include <maya/MGlobal.h>

namespace vx {
namespace {

// No callback data: the writer passes no progress callback.
constexpr int kNoCallbackData = -1;

// Runs one step that may stop on a broken invariant (already reported); false when it did.
template <typename Step>
bool completes(Step step) {
    try {
        return step();
    } catch (const AssertionFailed&) {
        return false;
    }
}

} // namespace

void* VornexTranslator::creator() {
    return new VornexTranslator;
}

MStatus VornexTranslator::reader(const MFileObject&, const MString&, FileAccessMode) {
    return MStatus::kFailure;
}

MPxFileTranslator::MFileKind VornexTranslator::identifyFile(const MFileObject& file, const char*,
                                                            short) const {
    return isTranslatorFileName(file.name()) ? kIsMyFileType : kNotMyFileType;
}

MStatus VornexTranslator::writer(const MFileObject& file, const MString& optionsString,
                                 FileAccessMode mode) {
    const ParseFlags flags = parseTranslatorOptions(optionsString) | kReportInfo;
    const std::string outputPath = file.fullName().str();
    // The list is emptied here rather than by the export, so what the reader adds to it
    // (textures outside RawData, for example) reaches the ".log" file too.
    exportErrorList().clear();
    // Each export logs to a file of its own beside its output; one that cannot be created
    // means nothing can be written there, so the export stops before it reads.
    FileLogSink* log = logChannel();
    if (!log || !completes([&] {
            log->setFileName(outputPath + "_log.txt");
            log->open();
            return true;
        }))
        return MStatus::kFailure;

    SceneReader sceneReader;
    try {
        sceneReader.parseActiveMayaScene(mode == kExportActiveAccessMode, flags, nullptr);
    } catch (const VornexException& e) {
        MGlobal::displayWarning(e.what());
        return MStatus::kFailure;
    } catch (const AssertionFailed&) {
        return MStatus::kFailure;
    }

    MStatus status = MStatus::kSuccess;
    if (!completes([&] {
            return exportGameAssets(sceneReader.scene(), outputPath, nullptr, kNoCallbackData);
        }))
        status = MStatus::kFailure;
    const ExportErrorList& errors = exportErrorList();
    if (!errors.empty() &&
        !completes([&] { return errors.writeTo(errorListPath(file.fullName()).str()); }))
        status = MStatus::kFailure;
    return status;
}

} // namespace vx
