// Long runs of values read in pieces on several threads must load exactly what the one-thread
// reading loads: the same stored values, and for faulty text the same error on the same line.
#include "tests/Shared/Base/TestLogCapture.h"

#include <vornexhost/Attribute.h>
#include <vornexhost/Data.h>
#include <vornexhost/MaLoader.h>
#include <vornexhost/MaValueRuns.h>
#include <vornexhost/Node.h>
#include <vornexhost/Scene.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <limits>
#include <map>
#include <string>
#include <type_traits>
#include <vector>

namespace vornexhost::test {
namespace {

// Numbers by their bits, so that -0 and NaN payloads count too.
void put(std::string& out, double v) {
    std::uint64_t bits = 0;
    std::memcpy(&bits, &v, sizeof bits);
    out += std::to_string(bits);
    out += ' ';
}

template <class T>
void putAll(std::string& out, const std::vector<T>& values) {
    out += '[';
    for (const T& v : values) {
        if constexpr (std::is_floating_point_v<T>) {
            put(out, static_cast<double>(v));
        } else {
            out += std::to_string(v);
            out += ' ';
        }
    }
    out += ']';
}

void putCorners(std::string& out, const CornerIds& ids) {
    putAll(out, ids.firstRun);
    for (const CornerIds::Run& r : ids.runs)
        out += std::to_string(r.set) + ':' + std::to_string(r.first) + ' ';
    putAll(out, ids.ids);
}

void putData(std::string& out, const Data& d) {
    out += dataKindName(d.kind);
    out += " \"" + d.text + "\"";
    for (const std::string& s : d.strings)
        out += " \"" + s + "\"";
    putAll(out, d.numbers);
    putAll(out, d.ints);
    out += " curve " + std::to_string(d.curve.degree) + ' ' + std::to_string(d.curve.spans) + ' ' +
           std::to_string(d.curve.form) + ' ' + std::to_string(d.curve.rational) + ' ' +
           std::to_string(d.curve.dimension);
    putAll(out, d.curve.knots);
    putAll(out, d.curve.cvs);
    out += " faces";
    putAll(out, d.faces.faceFirstLoop);
    putAll(out, d.faces.loopFirstEdge);
    putAll(out, d.faces.edges);
    putCorners(out, d.faces.uvs);
    putCorners(out, d.faces.colors);
}

// Data shared by many elements (the faces of a range) is written once, then named by number.
using Seen = std::map<const Data*, std::size_t>;

void putStore(std::string& out, const PlugStore& store, Seen& seen) {
    out += '{';
    if (store.hasValue)
        put(out, store.number);
    if (store.data) {
        const auto [at, added] = seen.emplace(store.data.get(), seen.size());
        if (added)
            putData(out, *store.data);
        out += " data " + std::to_string(at->second) + " part " + std::to_string(store.part);
    }
    for (const PlugStore& child : store.children)
        putStore(out, child, seen);
    if (const ArrayStore* a = store.array.get()) {
        out += " array " + std::to_string(static_cast<int>(a->packing)) + ' ' +
               std::to_string(a->stride);
        putAll(out, a->logical);
        putAll(out, a->floats);
        putAll(out, a->doubles);
        putAll(out, a->ints);
        for (const PlugStore& e : a->elements)
            putStore(out, e, seen);
    }
    out += '}';
}

// Every value a loaded scene stores, as text: two loads of the same file must give the same.
std::string storedValues(const Scene& scene) {
    std::string out;
    Seen seen;
    for (const auto& node : scene.nodes()) {
        out += node->name() + ' ' + node->type().name + '\n';
        for (unsigned i = 0; i < node->attributeCount(); ++i) {
            const Attribute* a = node->attributeAt(i);
            if (a->parent)
                continue;
            if (const PlugStore* store = node->findTopStore(*a)) {
                out += "  " + a->longName + ' ';
                putStore(out, *store, seen);
                out += '\n';
            }
        }
    }
    return out;
}

struct Loaded {
    MaLoadResult result;
    std::string values;
};

Loaded load(const std::string& text, ValueRunSplit split) {
    setValueRunSplit(split);
    Scene scene;
    Loaded out{loadMayaAscii(scene, "runs.ma", text), {}};
    out.values = storedValues(scene);
    setValueRunSplit({});
    return out;
}

TEST(ValueRuns, PiecesLoadWhatOneThreadLoads) {
    // value_runs/: a grid mesh of 8 x 8 quads (40 x 40 in bigger_grid, CR LF line ends in
    // grid_crlf) with UVs, colours and a hole, as files write it; the others a grid of 1 x 1
    // quads with other point or edge values, or of 2 x 2 with other face values.
    struct Case {
        const char* file;
        int splitRuns; // how many runs are read in pieces before the load ends
        const char* error = "";
    };
    const Case cases[] = {
        {"grid", 4},
        {"grid_crlf", 4},
        {"bigger_grid", 4},
        {"number_forms", 3},
        {"hexadecimal", 1, "runs.ma:7: bad number '0x10'"},
        {"a_word_value", 2},
        {"a_comment_inside", 2},
        {"a_block_comment", 2},
        {"bad_number", 1, "runs.ma:7: bad number '1.2.3'"},
        {"too_few", 1, "runs.ma:7: \"vrts\" range of 4 elements ends early"},
        {"too_many", 1, "runs.ma:7: more values than the 4 elements of \"vrts\""},
        {"float_edge", 3},
        {"faces", 4},
        {"face_index_too_large", 3, "runs.ma:16: face index out of range"},
        {"bad_face_index", 3, "runs.ma:16: bad face index 'x'"},
        {"uv_count_unlike_loop", 3, "runs.ma:16: polyFaces mu gives 4 ids for a loop of 3 edges"},
        {"unknown_record", 3, "runs.ma:16: unknown polyFaces record \"q\""},
        {"too_few_faces", 4, "runs.ma:16: polyFaces data holds 3 faces for 4 elements"},
        {"hole_first", 3, "runs.ma:16: polyFaces hole (h) before any face"},
    };
    const ValueRunSplit oneThread{std::numeric_limits<std::size_t>::max(), 1};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.file);
        const std::string text = vx::test::readWholeFile(VORNEX_TEST_DATA_DIR "/host/value_runs/" +
                                                         std::string(c.file) + ".ma");
        ASSERT_FALSE(text.empty());
        const Loaded expected = load(text, oneThread);
        EXPECT_EQ(expected.result.error, c.error);
        for (const unsigned pieces : {2u, 3u, 7u}) {
            SCOPED_TRACE(pieces);
            const std::uint64_t before = valueRunsSplit();
            const Loaded split = load(text, {1, pieces});
            EXPECT_EQ(split.result.ok, expected.result.ok);
            EXPECT_EQ(split.result.error, expected.result.error);
            EXPECT_EQ(split.result.warnings, expected.result.warnings);
            if (expected.result.ok) { // a failed load's scene is thrown away
                EXPECT_EQ(split.values, expected.values);
            }
            EXPECT_EQ(valueRunsSplit() - before, static_cast<std::uint64_t>(c.splitRuns));
        }
    }
}

} // namespace
} // namespace vornexhost::test
