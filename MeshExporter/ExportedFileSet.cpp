#include "MeshExporter/ExportedFileSet.h"

namespace vx {

void ExportedFileSet::addRelativeToRawData(std::string_view path) {
    constexpr std::string_view kRawData = "rawdata/";
    const auto at = path.find(kRawData);
    add(at == std::string_view::npos ? path : path.substr(at + kRawData.size()));
}

ExportedFileSet& exportedFileSet() {
    static ExportedFileSet set;
    return set;
}

} // namespace vx
