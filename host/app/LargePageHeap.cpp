#include "LargePageHeap.h"

#include <cstdlib>
#include <cstring>
#include <unistd.h>

// Under a sanitizer the heap is the sanitizer's own, which the setting does not reach.
#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__)
#define VORNEX_OWN_HEAP 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer) || __has_feature(thread_sanitizer)
#define VORNEX_OWN_HEAP 1
#endif
#endif

namespace vornexapp {

namespace {

[[maybe_unused]] constexpr const char* kVariable = "GLIBC_TUNABLES";
constexpr const char* kSetting = "glibc.malloc.hugetlb";

} // namespace

std::optional<std::string> tunablesWithLargePages(const char* current) {
    const std::string setting = std::string(kSetting) + "=1";
    if (current == nullptr || *current == '\0')
        return setting;
    if (std::strstr(current, kSetting) != nullptr)
        return std::nullopt;
    return std::string(current) + ":" + setting;
}

void restartWithLargePageHeap(char** argv) {
#if defined(__linux__) && defined(__GLIBC__) && !defined(VORNEX_OWN_HEAP)
    const std::optional<std::string> tunables = tunablesWithLargePages(std::getenv(kVariable));
    if (!tunables || setenv(kVariable, tunables->c_str(), 1) != 0)
        return;
    // The same program, arguments and environment but the one setting; when that cannot be
    // done the run simply goes on with the heap as it is.
    execv("/proc/self/exe", argv);
#else
    (void)argv;
#endif
}

} // namespace vornexapp
