#pragma once
#include "Shared/Graphics/Scene/NamedValues.h"
#include "Shared/Graphics/Scene/PrimitiveBuffer.h"
#include "Shared/Graphics/Scene/VertexBuffer.h"

#include <memory>
#include <string>

namespace vx {

// The shared geometry of one host mesh shape: one vertex buffer and one primitive buffer
// (each may be absent in a file), the shape's name and its extra attributes. Shared by every
// instance of the shape.
class MeshGeometry {
public:
    // Name (counted text); presence byte and shared reference for the vertex buffer, then for
    // the primitive buffer; named values.
    void write(OutStream& out, Scene& scene) const;
    bool read(InStream& in, Scene& scene);

    std::string m_name;
    std::shared_ptr<VertexBuffer> m_vertexBuffer;
    std::shared_ptr<PrimitiveBuffer> m_primitiveBuffer;
    NamedValueTable m_namedValues;
};

} // namespace vx
