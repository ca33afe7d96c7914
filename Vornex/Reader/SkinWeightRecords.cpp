#include "Vornex/Reader/SkinWeightRecords.h"

#include "Shared/Base/Log.h"

#include <cstdio>

namespace vx {

SkinWeightRecords::SkinWeightRecords(std::vector<std::string> influenceNames)
    : m_names(std::move(influenceNames)), m_positionOf(m_names.size(), -1) {}

SkinWeight SkinWeightRecords::addVertex(const float* weights, std::size_t count) {
    SkinWeight record;
    std::size_t weightCount = 0;
    for (std::size_t j = 0; j < count && j < m_names.size(); ++j) {
        const float weight = weights[j];
        if (!(weight > 0.0f))
            continue;
        if (weightCount >= 4) {
            char text[64];
            std::snprintf(text, sizeof text, "%f", static_cast<double>(weight));
            VX_WARNING << "weightCount >= 4: influensed by ikJoint:" << m_names[j]
                       << " weight:" << text;
            VX_ASSERT(weightCount < 4);
        }
        if (m_positionOf[j] < 0) {
            m_positionOf[j] = static_cast<std::int32_t>(m_used.size());
            m_used.push_back(static_cast<std::uint32_t>(j));
        }
        record.m_weights[weightCount] = weight;
        record.m_bones[weightCount] = m_positionOf[j];
        ++weightCount;
    }
    return record;
}

void renumberInfluences(std::vector<SkinWeight>& records,
                        const std::vector<std::int32_t>& newPosition) {
    for (SkinWeight& record : records) {
        SkinWeight renumbered;
        std::size_t slot = 0;
        for (std::size_t k = 0; k < 4; ++k) {
            const std::int32_t bone = record.m_bones[k];
            if (bone < 0 || static_cast<std::size_t>(bone) >= newPosition.size() ||
                newPosition[static_cast<std::size_t>(bone)] < 0)
                continue;
            renumbered.m_weights[slot] = record.m_weights[k];
            renumbered.m_bones[slot] = newPosition[static_cast<std::size_t>(bone)];
            ++slot;
        }
        record = renumbered;
    }
}

} // namespace vx
