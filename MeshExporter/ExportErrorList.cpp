#include "MeshExporter/ExportErrorList.h"

#include "MeshExporter/TextLinesFile.h"

namespace vx {

bool ExportErrorList::writeTo(const std::string& path) const {
    return writeTextLines(path, m_entries);
}

ExportErrorList& exportErrorList() {
    static ExportErrorList list;
    return list;
}

} // namespace vx
