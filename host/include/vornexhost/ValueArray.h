#pragma once
// The host's ordered list classes (MIntArray, MPlugArray, ...) share this one implementation.
#include <maya/MStatus.h>

#include <vector>

namespace vornexhost {

template <typename T>
class ValueArray {
public:
    ValueArray() = default;
    ValueArray(unsigned int count, const T& initial) : m_items(count, initial) {}

    unsigned int length() const { return static_cast<unsigned int>(m_items.size()); }
    MStatus append(const T& item) {
        m_items.push_back(item);
        return MStatus::kSuccess;
    }
    MStatus clear() {
        m_items.clear();
        return MStatus::kSuccess;
    }
    MStatus setLength(unsigned int length) {
        m_items.resize(length);
        return MStatus::kSuccess;
    }
    // Out-of-range access is a programming error in the host API; the stand-in checks it.
    const T& operator[](unsigned int index) const { return m_items.at(index); }
    T& operator[](unsigned int index) { return m_items.at(index); }

    auto begin() const { return m_items.begin(); }
    auto end() const { return m_items.end(); }

protected:
    std::vector<T> m_items;
};

} // namespace vornexhost
