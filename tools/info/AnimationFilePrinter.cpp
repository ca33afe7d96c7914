#include "tools/info/AnimationFilePrinter.h"

#include "tools/info/AnimationFileReader.h"
#include "tools/info/FileBytes.h"
#include "tools/info/SkeletonFilePrinter.h"
#include "tools/info/SkeletonFileReader.h"

#include <algorithm>
#include <charconv>
#include <optional>
#include <ostream>

namespace vx::info {
namespace {

struct Options {
    std::string skeletonPath;
    std::string framesBone; // empty: the summary
};

bool parseOptions(const std::vector<std::string>& args, Options& options, std::ostream& err) {
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        std::string* target = arg == "--skeleton" ? &options.skeletonPath
                              : arg == "--frames" ? &options.framesBone
                                                  : nullptr;
        if (!target) {
            err << "animation files take --skeleton FILE.ske and --frames BONE (got '" << arg
                << "')\n";
            return false;
        }
        if (i + 1 == args.size()) {
            err << arg << " needs a value\n";
            return false;
        }
        *target = args[++i];
    }
    return true;
}

std::string boneLabel(const AnimationBone& bone, const SkeletonFile* skeleton) {
    std::string label = std::to_string(bone.skeletonIndex);
    if (skeleton)
        label += ' ' + skeleton->bones[bone.skeletonIndex].name;
    return label;
}

void printComponent(const AnimationComponent& component, const char* name, float scale,
                    std::ostream& out) {
    std::size_t words = 0;
    std::string blocks;
    for (const AnimationKeyBlock& block : component.blocks) {
        words += block.constant ? 2 : block.frames + 1u;
        blocks += (blocks.empty() ? "" : ", ") +
                  std::string(block.constant ? "constant " : "literal ") +
                  std::to_string(block.frames);
    }
    out << "    " << name << ": " << words << " words, " << (blocks.empty() ? "no blocks" : blocks);
    if (!component.values.empty()) {
        const auto [low, high] =
            std::minmax_element(component.values.begin(), component.values.end());
        out << "; values " << static_cast<float>(*low) / scale << " to "
            << static_cast<float>(*high) / scale;
    }
    out << '\n';
}

void printSummary(const AnimationFile& file, const SkeletonFile* skeleton, std::ostream& out) {
    out << "animation, version " << file.version << ", " << file.bones.size() << " animated bones, "
        << file.frameCount << " frames, precision " << static_cast<int>(file.precision)
        << " (positions stored * " << file.scale(4) << ", rotations * " << file.scale(0) << ")\n";
    for (const AnimationBone& bone : file.bones) {
        out << "  bone " << boneLabel(bone, skeleton) << ": " << bone.words << " words\n";
        for (std::size_t c = 0; c < bone.components.size(); ++c)
            printComponent(bone.components[c], kAnimationComponentNames[c], file.scale(c), out);
    }
}

// The animated bone named by a skeleton index or, with a skeleton, a bone name.
const AnimationBone* findBone(const AnimationFile& file, const SkeletonFile* skeleton,
                              const std::string& text, std::ostream& err) {
    std::optional<std::size_t> index;
    std::size_t number = 0;
    const char* end = text.data() + text.size();
    if (const auto [at, ec] = std::from_chars(text.data(), end, number);
        ec == std::errc() && at == end)
        index = number;
    else if (skeleton)
        for (std::size_t i = 0; i < skeleton->bones.size() && !index; ++i)
            if (skeleton->bones[i].name == text)
                index = i;
    if (!index) {
        err << "no bone '" << text << "'"
            << (skeleton ? " in the skeleton" : "; name bones by index, or give --skeleton")
            << '\n';
        return nullptr;
    }
    for (const AnimationBone& bone : file.bones)
        if (bone.skeletonIndex == *index)
            return &bone;
    err << "bone '" << text << "' is not animated in this file\n";
    return nullptr;
}

void printFrames(const AnimationFile& file, const AnimationBone& bone, const SkeletonFile* skeleton,
                 std::ostream& out) {
    std::array<std::vector<float>, 7> values;
    for (std::size_t c = 0; c < values.size(); ++c)
        values[c] = decodeComponent(bone.components[c], file.scale(c));
    out << "bone " << boneLabel(bone, skeleton) << ", " << file.frameCount
        << " frames: rotation (x, y, z, w), position (x, y, z)\n";
    for (std::size_t f = 0; f < file.frameCount; ++f) {
        out << "  " << f << "  (" << values[0][f] << ", " << values[1][f] << ", " << values[2][f]
            << ", " << values[3][f] << ")  (" << values[4][f] << ", " << values[5][f] << ", "
            << values[6][f] << ")\n";
    }
}

} // namespace

int printAnimationInfo(const InfoRequest& request, std::ostream& out, std::ostream& err) {
    Options options;
    if (!parseOptions(request.options, options, err))
        return 1;
    std::string bytes;
    std::string error;
    AnimationFile file;
    if (!readFileBytes(request.path, bytes, error) || !readAnimationFile(bytes, file, error)) {
        err << request.path << ": " << error << '\n';
        return 1;
    }
    SkeletonFile skeleton;
    const SkeletonFile* named = nullptr;
    if (!options.skeletonPath.empty()) {
        if (!loadSkeletonFile(options.skeletonPath, skeleton, err))
            return 1;
        for (const AnimationBone& bone : file.bones)
            if (bone.skeletonIndex >= skeleton.bones.size()) {
                err << request.path << ": bone index " << bone.skeletonIndex << " is beyond the "
                    << skeleton.bones.size() << " bones of " << options.skeletonPath << '\n';
                return 1;
            }
        named = &skeleton;
    }
    if (options.framesBone.empty()) {
        printSummary(file, named, out);
        return 0;
    }
    const AnimationBone* bone = findBone(file, named, options.framesBone, err);
    if (!bone)
        return 1;
    printFrames(file, *bone, named, out);
    return 0;
}

} // namespace vx::info
