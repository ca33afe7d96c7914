#pragma once
// Orders the face corners around one mesh vertex into fans: runs of faces where each face
// shares an edge at the vertex with the next. A vertex inside a surface has one closed fan; a
// vertex on a border, or where the surface pinches, has several open ones. Host-free: the
// caller names the corners and which edges reach them.
#include <cstdint>
#include <vector>

namespace vx {

// One face corner at the vertex and the two edges of its face that meet there.
struct FanCorner {
    std::int32_t face = -1;
    std::int32_t local = -1;   // position of the corner in its face
    std::int32_t edgeIn = -1;  // the face's edge arriving at the corner
    std::int32_t edgeOut = -1; // the face's edge leaving the corner
    // The corner's other edge at the vertex.
    std::int32_t otherEdge(std::int32_t edge) const { return edge == edgeIn ? edgeOut : edgeIn; }
};

// Fans, one after another: corners[begin, end) of each span in walk order. junctions[i] is
// the edge crossed from corners[i] to the next corner of its fan; for the last corner of a
// closed fan the edge back to its first corner, for the last of an open fan -1.
struct FanSet {
    struct Span {
        std::uint32_t begin = 0;
        std::uint32_t end = 0;
        bool closed = false;
    };
    std::vector<std::int32_t> corners; // indexes into the walker's corner list
    std::vector<std::int32_t> junctions;
    std::vector<Span> fans;

    void clear();
};

// Reusable between vertices: reset, add the corners and the edge links, walk.
class FanWalker {
public:
    void reset();
    // Returns the corner's index.
    std::int32_t addCorner(const FanCorner& corner);
    // `corner` can be reached across `edge`. Each corner is normally linked from its two
    // edges; links from an edge are taken in the order given.
    void link(std::int32_t edge, std::int32_t corner);

    const std::vector<FanCorner>& corners() const { return m_corners; }

    // Every linked corner ends in exactly one fan; a corner without links in none. Fans start
    // at the smallest edge with corners left and grow across the start edge's first corner's
    // other edge, then backwards from the start edge, until a border or the start edge.
    void walk(FanSet& out);

private:
    struct Link {
        std::int32_t edge;
        std::int32_t corner;
    };
    // The first unused corner reached across `edge`, or -1.
    std::int32_t takeCorner(std::int32_t edge);
    // Links up to this many are sorted in place.
    static constexpr std::size_t kInsertionSortMost = 32;

    std::vector<FanCorner> m_corners;
    std::vector<Link> m_links; // sorted by edge (stable) before the walk
    std::vector<bool> m_used;
    std::vector<std::int32_t> m_backward;
    std::vector<std::int32_t> m_backwardJunctions;
};

} // namespace vx
