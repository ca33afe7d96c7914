#include "Vornex/Reader/FanSplit.h"

namespace vx {

void splitFans(const FanSet& fans, const std::vector<bool>& cut, CornerGroups& out) {
    out.groupOf.assign(fans.corners.size(), -1);
    out.firstOfGroup.clear();
    for (const FanSet::Span& fan : fans.fans) {
        if (fan.begin == fan.end)
            continue;
        const auto firstGroup = static_cast<std::int32_t>(out.firstOfGroup.size());
        out.firstOfGroup.push_back(fan.begin);
        out.groupOf[fan.begin] = firstGroup;
        for (std::uint32_t p = fan.begin + 1; p < fan.end; ++p) {
            if (cut[p - 1])
                out.firstOfGroup.push_back(p);
            out.groupOf[p] = static_cast<std::int32_t>(out.firstOfGroup.size() - 1);
        }
        const auto runs = static_cast<std::int32_t>(out.firstOfGroup.size()) - firstGroup;
        if (fan.closed && !cut[fan.end - 1] && runs > 2) {
            for (std::uint32_t p = out.firstOfGroup.back(); p < fan.end; ++p)
                out.groupOf[p] = firstGroup;
            out.firstOfGroup.pop_back();
        }
    }
}

} // namespace vx
