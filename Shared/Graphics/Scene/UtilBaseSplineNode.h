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

    const std::shared_ptr<BaseSpline>& spline() const { return m_spline; }
    void setSpline(std::shared_ptr<BaseSpline> spline) { m_spline = std::move(spline); }

protected:
    bool readObject(InStream& in, Scene& scene) override;
    void writeObject(OutStream& out, Scene& scene) const override;

private:
    std::shared_ptr<BaseSpline> m_spline;
};

} // namespace vx
