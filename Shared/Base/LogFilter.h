#pragma once
#include "Shared/Base/LogLevel.h"

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace vx {

// Thresholds per source directory. A call site is enabled when the threshold of the node that
// governs its source file is at most the site's level. Call sites cache the answer together
// with the generation; changing a threshold bumps the generation so every cache recomputes.
class LogFilter {
public:
    struct Node {
        std::string name;
        std::uint32_t threshold = 0;
        std::vector<std::unique_ptr<Node>> children;
    };

    LogFilter();

    std::uint16_t generation() const { return m_generation; }
    const Node& root() const { return m_root; }

    // The node that governs a source file path (see filterKey for the path's key).
    const Node& governingNode(std::string_view sourcePath) const;
    bool isEnabled(std::string_view sourcePath, LogLevel level) const;

    // Sets the threshold of the node for a key such as "shared/base", creating the nodes on
    // the way, and bumps the generation. The system itself adds no nodes; tools may.
    void setThreshold(std::string_view key, std::uint32_t threshold);

    // The key a source path is filed under: the lower-cased path from "projects/" to its end,
    // or from "shared/" up to its last separator; otherwise empty. '\' and '/' both separate.
    static std::string filterKey(std::string_view sourcePath);

private:
    Node m_root;
    std::uint16_t m_generation = 1;
};

// The process-wide filter, created on first use: a root "." with threshold 0.
LogFilter& logFilter();

} // namespace vx
