#include "tools/info/SkeletonFilePrinter.h"

#include "tools/info/FileBytes.h"
#include "tools/info/SkeletonFileReader.h"

#include <ostream>

namespace vx::info {
namespace {

template <std::size_t N>
std::ostream& operator<<(std::ostream& out, const std::array<float, N>& values) {
    out << '(';
    for (std::size_t i = 0; i < N; ++i)
        out << (i == 0 ? "" : ", ") << values[i];
    return out << ')';
}

} // namespace

void printSkeletonFile(const SkeletonFile& file, std::ostream& out) {
    out << "skeleton, version " << file.version << ", " << file.bones.size() << " bones\n";
    for (std::size_t i = 0; i < file.bones.size(); ++i) {
        const SkeletonFileBone& bone = file.bones[i];
        out << "  " << i << ' ' << bone.name << "  parent " << bone.parent << "  rotation "
            << bone.rotation << "  position " << bone.position << '\n';
    }
}

bool loadSkeletonFile(const std::string& path, SkeletonFile& file, std::ostream& err) {
    std::string bytes;
    std::string error;
    if (!readFileBytes(path, bytes, error) || !readSkeletonFile(bytes, file, error)) {
        err << path << ": " << error << '\n';
        return false;
    }
    return true;
}

int printSkeletonInfo(const InfoRequest& request, std::ostream& out, std::ostream& err) {
    if (!request.options.empty()) {
        err << "skeleton files take no options (got '" << request.options.front() << "')\n";
        return 1;
    }
    SkeletonFile file;
    if (!loadSkeletonFile(request.path, file, err))
        return 1;
    printSkeletonFile(file, out);
    return 0;
}

} // namespace vx::info
