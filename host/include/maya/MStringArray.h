#pragma once
// Host API stand-in: ordered list of strings.
#include <maya/MString.h>
#include <vector>

class MStringArray {
public:
    MStringArray() = default;
    MStringArray(unsigned int count, const MString& initial) : m_items(count, initial) {}

    unsigned int length() const { return static_cast<unsigned int>(m_items.size()); }
    MStatus append(const MString& item) {
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
    MStatus remove(unsigned int index);
    MStatus insert(const MString& item, unsigned int index);

    // Out-of-range access is a programming error in the host API too; the stand-in checks it.
    const MString& operator[](unsigned int index) const;
    MString& operator[](unsigned int index);

    auto begin() const { return m_items.begin(); }
    auto end() const { return m_items.end(); }

private:
    std::vector<MString> m_items;
};
