#pragma once
#include "Shared/Graphics/Scene/BranchNode.h"
#include "Shared/Graphics/Scene/NamedValues.h"

#include <vector>

namespace vx {

// A level-of-detail group: the children are the levels, threshold k - 1 precedes level k.
class UtilLodNode : public BranchNode, public NamedValueHolder {
public:
    static const SceneNodeType type;
    const SceneNodeType* getType() const override { return &type; }

    bool read(InStream& in, Scene& scene, std::uint32_t version) override;
    // Cuts or extends (with zeros) the thresholds to the child count minus one (none without
    // children) before writing them.
    void write(OutStream& out, Scene& scene) override;
    void fitThresholds();

    std::vector<float> m_thresholds;
};

} // namespace vx
