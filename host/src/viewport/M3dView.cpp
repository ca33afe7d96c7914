// The 3D view and the defaults of the hardware shader base class.
#include <vornexhost/Status.h>
#include <vornexhost/ViewportContext.h>

#include <maya/M3dView.h>
#include <maya/MDrawRequest.h>
#include <maya/MPxHwShaderNode.h>

using vornexhost::report;

namespace vornexhost {

// The view being drawn by the renderer, if any (set for the duration of a render).
M3dView*& activeView() {
    static M3dView* view = nullptr;
    return view;
}

} // namespace vornexhost

M3dView M3dView::active3dView(MStatus* status) {
    M3dView* view = vornexhost::activeView();
    report(status, view ? MStatus::kSuccess : MStatus::kFailure);
    return view ? *view : M3dView();
}

MStatus M3dView::beginGL() {
    std::string error;
    return vornexhost::viewportContext(error) ? MStatus::kSuccess : MStatus::kFailure;
}

MStatus M3dView::endGL() {
    return vornexhost::hasViewportContext() ? MStatus::kSuccess : MStatus::kFailure;
}

int M3dView::portWidth(MStatus* status) const {
    report(status, MStatus::kSuccess);
    return m_width;
}

int M3dView::portHeight(MStatus* status) const {
    report(status, MStatus::kSuccess);
    return m_height;
}

MStatus MPxHwShaderNode::bind(const MDrawRequest&, M3dView&) {
    return MStatus::kSuccess;
}

MStatus MPxHwShaderNode::unbind(const MDrawRequest&, M3dView&) {
    return MStatus::kSuccess;
}

MStatus MPxHwShaderNode::geometry(const MDrawRequest&, M3dView&, int, unsigned int, int,
                                  const unsigned int*, int, const int*, const float*, int,
                                  const float**, int, const float**, int, const float**) {
    return MStatus::kNotImplemented;
}

int MPxHwShaderNode::normalsPerVertex() {
    return 1;
}

int MPxHwShaderNode::colorsPerVertex() {
    return 0;
}

int MPxHwShaderNode::texCoordsPerVertex() {
    return 0;
}

int MPxHwShaderNode::getTexCoordSetNames(MStringArray&) {
    return 0;
}

bool MPxHwShaderNode::hasTransparency() {
    return false;
}
