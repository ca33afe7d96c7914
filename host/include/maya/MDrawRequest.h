#pragma once
// Host API stand-in: one object the viewport asks a hardware shader to draw.
#include <maya/MDagPath.h>

class MDrawRequest {
public:
    MDrawRequest() = default;
    explicit MDrawRequest(const MDagPath& path) : m_path(path) {}

    // The instance being drawn.
    MDagPath multiPath() const { return m_path; }

private:
    MDagPath m_path;
};
