#include "MeshExporter/CreatorName.h"

#include <pwd.h>
#include <unistd.h>

#include <array>

namespace vx {

namespace {

constexpr std::size_t kNameBuffer = 32;

std::string clipped(const char* text) {
    if (!text || !*text)
        return "unknown";
    std::string name(text);
    if (name.size() > kNameBuffer - 1)
        name.resize(kNameBuffer - 1);
    return name;
}

std::string computerName() {
    std::array<char, 256> buffer{};
    if (gethostname(buffer.data(), buffer.size() - 1) != 0)
        return clipped(nullptr);
    return clipped(buffer.data());
}

std::string userName() {
    std::array<char, 256> buffer{};
    if (getlogin_r(buffer.data(), buffer.size()) == 0)
        return clipped(buffer.data());
    // No controlling terminal (a batch export): the account the process runs as.
    if (const passwd* account = getpwuid(geteuid()))
        return clipped(account->pw_name);
    return clipped(nullptr);
}

} // namespace

std::string creatorName() {
    return computerName() + ":" + userName();
}

} // namespace vx
