#include "Shared/Base/File/PathNames.h"

namespace vx {

std::size_t fileNameStart(std::string_view path) {
    const std::size_t slash = path.find_last_of("/\\");
    return slash == std::string_view::npos ? 0 : slash + 1;
}

bool hasExtension(std::string_view path) {
    return path.find('.', fileNameStart(path)) != std::string_view::npos;
}

std::string replaceExtension(std::string_view path, std::string_view suffix) {
    const std::size_t dot = path.find_last_of('.');
    const std::size_t end =
        dot == std::string_view::npos || dot < fileNameStart(path) ? path.size() : dot;
    return std::string(path.substr(0, end)) + std::string(suffix);
}

} // namespace vx
