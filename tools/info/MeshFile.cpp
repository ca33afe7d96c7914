#include "tools/info/MeshFile.h"

#include "Shared/Base/TextCase.h"

namespace vx::meshfile {

const char* kindName(MeshKind kind) {
    switch (kind) {
    case MeshKind::Static:
        return "static";
    case MeshKind::Bundled:
        return "bundled";
    case MeshKind::Skinned:
        return "skinned";
    }
    return "?";
}

std::optional<MeshKind> kindFromName(std::string_view name) {
    for (MeshKind kind : {MeshKind::Static, MeshKind::Bundled, MeshKind::Skinned}) {
        if (name == kindName(kind))
            return kind;
    }
    return std::nullopt;
}

std::optional<MeshKind> kindFromPath(std::string_view path) {
    if (endsWithIgnoringCase(path, ".staticMesh"))
        return MeshKind::Static;
    if (endsWithIgnoringCase(path, ".bundledMesh"))
        return MeshKind::Bundled;
    if (endsWithIgnoringCase(path, ".skinnedMesh"))
        return MeshKind::Skinned;
    return std::nullopt;
}

std::uint32_t versionOf(MeshKind kind) {
    return kind == MeshKind::Bundled ? 10u : 11u;
}

} // namespace vx::meshfile
