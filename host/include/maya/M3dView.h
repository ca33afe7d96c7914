#pragma once
// Host API stand-in: a 3D view. Drawing happens between beginGL and endGL, with the view's
// OpenGL context current.
#include <maya/MStatus.h>

class M3dView {
public:
    M3dView() = default;
    M3dView(int width, int height) : m_width(width), m_height(height) {}

    // The view the host is drawing; a view of size 0 x 0 when none is.
    static M3dView active3dView(MStatus* status = nullptr);

    // Makes the view's context current; failure when the host has no OpenGL context.
    MStatus beginGL();
    MStatus endGL();

    int portWidth(MStatus* status = nullptr) const;
    int portHeight(MStatus* status = nullptr) const;

private:
    int m_width = 0;
    int m_height = 0;
};
