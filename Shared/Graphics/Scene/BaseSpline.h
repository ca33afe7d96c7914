#pragma once
#include "Shared/Base/math/Vector3.h"
#include "Shared/Graphics/Scene/NamedValues.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace vx {

class Material;

// The curve of a host NURBS curve shape, shared between its instances.
class BaseSpline {
public:
    // Name (counted text); point count and points; knot count and knots; the further value;
    // presence byte and shared reference for the material; named values.
    void write(OutStream& out, Scene& scene) const;
    bool read(InStream& in, Scene& scene);

    std::string m_name;
    std::vector<Vector3> m_controlPoints;
    std::vector<float> m_knots;
    // Stored and written as it is; nothing in the system gives it a meaning yet.
    std::uint32_t m_extraValue = 0;
    std::shared_ptr<Material> m_material; // may be absent
    NamedValueTable m_namedValues;
};

} // namespace vx
