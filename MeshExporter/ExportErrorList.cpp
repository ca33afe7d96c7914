#include "MeshExporter/ExportErrorList.h"

#include "MeshExporter/TextLinesFile.h"
#include "Shared/Base/Log.h"

namespace vx {

bool ExportErrorList::writeTo(const std::string& path) const {
    return writeTextLines(path, m_entries);
}

ExportErrorList& exportErrorList() {
    static ExportErrorList list;
    return list;
}

bool failExport(std::string_view text) {
    VX_ERROR << text;
    exportErrorList().append(text);
    return false;
}

} // namespace vx
