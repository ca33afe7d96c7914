// Long runs of values read in pieces on several threads must load exactly what the one-thread
// reading loads: the same stored values, and for faulty text the same error on the same line.
#include "tests/host/StoredValues.h"

#include "tests/Shared/Base/TestLogCapture.h"

#include <vornexhost/MaLoader.h>
#include <vornexhost/MaValueRuns.h>
#include <vornexhost/Scene.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <string>
#include <vector>

namespace vornexhost::test {
namespace {

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
