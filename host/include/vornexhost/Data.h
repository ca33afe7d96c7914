#pragma once
// Typed attribute values as the scene file writes them, held in flat arrays.
#include <vornexhost/Object.h>

#include <cstdint>
#include <string>
#include <vector>

namespace vornexhost {

enum class DataKind : std::uint8_t {
    None,
    String,
    StringArray,
    Matrix,
    DoubleArray,
    IntArray,
    PointArray,
    VectorArray,
    ComponentList,
    NurbsCurve,
    Mesh,
    PolyFaces,
    // Plain numbers of a compound value ("double3" on an attribute without children).
    Numbers,
    // A value kept as the file's words: a format the stand-in reads but does not interpret.
    Raw
};

// Per-corner ids of face loops for UV sets or colour sets, in one flat array: loop l has the
// runs [firstRun[l], firstRun[l + 1]), each naming its set and where its ids start (one id per
// edge of the loop).
struct CornerIds {
    struct Run {
        std::int32_t set = 0;
        std::uint32_t first = 0;
    };
    std::vector<std::uint32_t> firstRun;
    std::vector<Run> runs;
    std::vector<std::int32_t> ids;

    void clear() {
        firstRun.clear();
        runs.clear();
        ids.clear();
    }
    // The ids of loop `loop` for set `set`, or null when the file gave none.
    const std::int32_t* find(std::uint32_t loop, std::int32_t set) const {
        if (loop + 1 >= firstRun.size())
            return nullptr;
        for (std::uint32_t r = firstRun[loop]; r < firstRun[loop + 1]; ++r)
            if (runs[r].set == set)
                return ids.data() + runs[r].first;
        return nullptr;
    }
};

// Faces as edge loops. Edges are signed as written: e >= 0 runs forward, -1 - e backwards.
struct PolyFaces {
    std::vector<std::uint32_t> faceFirstLoop; // loops of face f: [faceFirstLoop[f], [f + 1])
    std::vector<std::uint32_t> loopFirstEdge; // edges of loop l: [loopFirstEdge[l], [l + 1])
    std::vector<std::int32_t> edges;
    CornerIds uvs;
    CornerIds colors;

    void clear() {
        faceFirstLoop.clear();
        loopFirstEdge.clear();
        edges.clear();
        uvs.clear();
        colors.clear();
    }
    std::uint32_t faceCount() const {
        return faceFirstLoop.empty() ? 0u : static_cast<std::uint32_t>(faceFirstLoop.size() - 1);
    }
    std::uint32_t loopSize(std::uint32_t loop) const {
        return loopFirstEdge[loop + 1] - loopFirstEdge[loop];
    }
};

struct NurbsCurveData {
    int degree = 1;
    int spans = 0;
    int form = 0; // 0 open, 1 closed, 2 periodic
    bool rational = false;
    int dimension = 3;
    std::vector<double> knots;
    std::vector<double> cvs; // x y z (w when rational) per control point
};

class Data : public Object {
public:
    explicit Data(DataKind dataKind) : kind(dataKind) {}
    MFn::Type apiType() const override;

    DataKind kind;
    std::string text;                 // String
    std::vector<std::string> strings; // StringArray, ComponentList, Raw
    std::vector<double> numbers;      // Matrix (16), DoubleArray, PointArray (x y z w), ...
    std::vector<std::int32_t> ints;   // IntArray
    NurbsCurveData curve;
    PolyFaces faces;
};

const char* dataKindName(DataKind kind);

} // namespace vornexhost
