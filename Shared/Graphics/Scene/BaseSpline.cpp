#include "Shared/Graphics/Scene/BaseSpline.h"

#include "Shared/Base/math/Matrix.h"
#include "Shared/Graphics/Scene/Material.h"
#include "Shared/Graphics/Scene/SceneIo.h"

namespace vx {

void BaseSpline::write(OutStream& out, Scene& scene) const {
    sceneio::writeCountedText(out, m_name);
    sceneio::writeArray(out, m_controlPoints);
    sceneio::writeArray(out, m_knots);
    out << m_extraValue;
    sceneio::writeOptionalShared(out, scene, m_material);
    m_namedValues.write(out);
}

bool BaseSpline::read(InStream& in, Scene& scene) {
    if (!sceneio::readCountedText(in, scene, m_name, "the spline's name"))
        return false;
    if (!sceneio::readArray(in, scene, m_controlPoints, "control point") ||
        !sceneio::readArray(in, scene, m_knots, "knot"))
        return false;
    in >> m_extraValue;
    return sceneio::checkStream(in, scene, "the spline") &&
           sceneio::readOptionalShared(in, scene, m_material, "material") &&
           m_namedValues.read(in, scene);
}

} // namespace vx
