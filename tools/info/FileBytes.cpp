#include "tools/info/FileBytes.h"

#include "Shared/Base/File/Pc/InFile.h"

namespace vx::info {

bool readFileBytes(const std::string& path, std::string& bytes, std::string& error) {
    if (!InFile::exists(path.c_str())) {
        error = "cannot open '" + path + "'";
        return false;
    }
    InFile file;
    file.open(path.c_str());
    bytes.resize(static_cast<std::size_t>(file.size()));
    if (file.read(bytes.data(), bytes.size()) != bytes.size()) {
        error = "cannot read '" + path + "'";
        return false;
    }
    return true;
}

} // namespace vx::info
