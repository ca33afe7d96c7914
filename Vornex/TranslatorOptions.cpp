#include "Vornex/TranslatorOptions.h"

#include "Shared/Base/TextCase.h"

#include <maya/MStringArray.h>

#include <string>
#include <string_view>

namespace vx {

ParseFlags parseTranslatorOptions(const MString& options) {
    ParseFlags flags = 0;
    MStringArray pieces;
    options.split(';', pieces);
    for (const MString& piece : pieces) {
        MStringArray nameAndValue;
        piece.split('=', nameAndValue);
        if (nameAndValue.length() < 2 || nameAndValue[1] != "1")
            continue;
        const MString& name = nameAndValue[0];
        if (name == "includeImages")
            flags |= kIncludeImages;
        else if (name == "zaxisPositive")
            flags |= kZaxisPositive;
        else if (name == "righthandedSystem")
            flags |= kRighthandedSystem;
    }
    return flags;
}

MString errorListPath(const MString& outputPath) {
    const std::string& path = outputPath.str();
    const auto separator = path.find_last_of("/\\");
    const std::string directory = separator == std::string::npos ? "" : path.substr(0, separator);
    std::string name = separator == std::string::npos ? path : path.substr(separator + 1);
    if (const auto dot = name.rfind('.'); dot != std::string::npos)
        name.erase(dot);
    return MString(separator == std::string::npos ? name + ".log"
                                                  : directory + "/" + name + ".log");
}

bool isTranslatorFileName(const MString& name) {
    const std::string_view text = name.str();
    if (text.size() > 4 && endsWithIgnoringCase(text, ".sgf"))
        return true;
    if (text.size() <= 12)
        return false;
    return endsWithIgnoringCase(text, ".bundledMesh") || endsWithIgnoringCase(text, ".skinnedMesh");
}

} // namespace vx
