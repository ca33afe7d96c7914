#include "AnimationExporter/AnimationFileWriter.h"

#include "AnimationExporter/AnimationKeys.h"
#include "AnimationExporter/AnimationSampler.h"
#include "AnimationExporter/AnimationStream.h"
#include "AnimationExporter/OutputFile.h"
#include "AnimationExporter/Skeleton.h"
#include "MeshExporter/ExportErrorList.h"
#include "Shared/Base/File/PathNames.h"
#include "Shared/Base/Log.h"
#include "Shared/Base/Streams/Buffers/StringOutBuffer.h"
#include "Shared/Base/Streams/OutStream.h"

namespace vx {

bool encodeAnimationFile(const Skeleton& skeleton, EncodedAnimation& file, std::string& error) {
    AnimationKeys keys;
    std::string stream;
    if (!sampleAnimation(skeleton, keys, error) || !encodeAnimationStream(keys, stream, error))
        return false;
    StringOutBuffer buffer;
    OutStream out(&buffer);
    out << kAnimationFileVersion << static_cast<std::uint16_t>(keys.boneCount());
    for (std::uint16_t index : keys.boneIndices)
        out << index;
    out << keys.frameCount;
    out.write(stream.data(), stream.size());
    file = {buffer.text(), keys.boneCount(), keys.frameCount};
    return true;
}

bool saveAnimation(const Skeleton& skeleton, const std::string& path) {
    if (!hasExtension(path))
        return failExport("animation not written: the output path " + path +
                          " has no file extension");
    const std::string file = replaceExtension(path, ".baf");
    if (skeleton.empty())
        return failExport("animation file " + file +
                          " not written: no joint carries the anim_export attribute");
    EncodedAnimation encoded;
    std::string error;
    if (!encodeAnimationFile(skeleton, encoded, error))
        return failExport("animation file " + file + " not written: " + error);
    if (!writeWholeFile(file, encoded.bytes))
        return false;
    VX_INFO << "saveAnimation, number of bones: " << encoded.boneCount
            << " nFrames:" << encoded.frameCount;
    return true;
}

} // namespace vx
