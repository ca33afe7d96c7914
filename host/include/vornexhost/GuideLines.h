#pragma once
// What the viewport draws of objects without surfaces, as world-space line segments: a joint
// as a small cross with a bone to each child joint, a NURBS curve through its control points,
// a locator as three axes of its local scale.
#include <maya/MDagPath.h>

#include <vector>

namespace vornexhost {

struct GuideLines {
    std::vector<float> points; // x y z per segment end, two ends per segment
    std::vector<float> colors; // r g b per segment end
};

// Appends the segments of the object at `path` (nothing for other kinds of node).
void addGuideLines(const MDagPath& path, GuideLines& out);

} // namespace vornexhost
