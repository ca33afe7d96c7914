#pragma once
#include "Shared/Graphics/Scene/UtilGeometryNode.h"

#include <memory>

namespace vx {

class BaseSpline;

// A curve instance: points at a spline object shared between instances; may be absent.
class UtilBaseSplineNode : public UtilGeometryNode {
public:
    static const SceneNodeType type;
    const SceneNodeType* getType() const override { return &type; }

    bool read(InStream& in, Scene& scene, std::uint32_t version) override;
    void write(OutStream& out, Scene& scene) override;

    const std::shared_ptr<BaseSpline>& spline() const { return m_spline; }
    void setSpline(std::shared_ptr<BaseSpline> spline) { m_spline = std::move(spline); }

private:
    std::shared_ptr<BaseSpline> m_spline;
};

} // namespace vx
