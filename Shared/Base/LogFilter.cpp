#include "Shared/Base/LogFilter.h"

#include <cctype>

namespace vx {
namespace {

// Splits off the part of the key before the first separator.
std::string_view splitHead(std::string_view& rest) {
    const auto cut = rest.find('/');
    std::string_view head = rest.substr(0, cut);
    rest = cut == std::string_view::npos ? std::string_view() : rest.substr(cut + 1);
    return head;
}

} // namespace

LogFilter::LogFilter() {
    m_root.name = ".";
}

std::string LogFilter::filterKey(std::string_view sourcePath) {
    std::string path(sourcePath);
    for (char& c : path) {
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        if (c == '\\')
            c = '/';
    }
    if (const auto at = path.find("projects/"); at != std::string::npos)
        return path.substr(at);
    if (const auto at = path.find("shared/"); at != std::string::npos) {
        const auto last = path.rfind('/');
        return path.substr(at, last - at);
    }
    return {};
}

const LogFilter::Node& LogFilter::governingNode(std::string_view sourcePath) const {
    const std::string key = filterKey(sourcePath);
    std::string_view rest = key;
    const Node* node = &m_root;
    while (!rest.empty()) {
        const std::string_view head = splitHead(rest);
        const Node* next = nullptr;
        for (const auto& child : node->children) {
            if (child->name == head) {
                next = child.get();
                break;
            }
        }
        if (!next)
            break;
        node = next;
    }
    return *node;
}

bool LogFilter::isEnabled(std::string_view sourcePath, LogLevel level) const {
    return governingNode(sourcePath).threshold <= static_cast<std::uint32_t>(level);
}

void LogFilter::setThreshold(std::string_view key, std::uint32_t threshold) {
    Node* node = &m_root;
    std::string_view rest = key;
    while (!rest.empty()) {
        const std::string_view head = splitHead(rest);
        if (head.empty())
            continue;
        Node* next = nullptr;
        for (auto& child : node->children) {
            if (child->name == head) {
                next = child.get();
                break;
            }
        }
        if (!next) {
            node->children.push_back(std::make_unique<Node>());
            next = node->children.back().get();
            next->name = std::string(head);
        }
        node = next;
    }
    node->threshold = threshold;
    // Zero would look like a cache that never computed; skip it when the counter wraps.
    if (++m_generation == 0)
        m_generation = 1;
}

LogFilter& logFilter() {
    static LogFilter filter;
    return filter;
}

} // namespace vx
