#include "MeshExporter/ObjectTemplateWriter.h"

#include "Shared/Base/Log.h"

namespace vx {

bool writeObjectTemplates(const ExportGeometryData& /*data*/, const std::string& outputFile,
                          bool collisionVariant) {
    // The script writer is not part of this build: say so in the log, and list no script in the
    // ".nfo" file, since none is written.
    VX_WARNING << "No object template script" << (collisionVariant ? " (_col)" : "") << " for "
               << outputFile << ": scripts are not written by this build yet";
    return true;
}

} // namespace vx
