// Object template scripts for part lists built directly, compared line by line with texts
// worked out by hand from the script rules.
#include "MeshExporter/AnimatedUvState.h"
#include "MeshExporter/CollisionMaterialList.h"
#include "MeshExporter/ExportErrorList.h"
#include "MeshExporter/ExportType.h"
#include "MeshExporter/ExportedFileSet.h"
#include "MeshExporter/GeometryExport.h"
#include "MeshExporter/ObjectTemplateWriter.h"
#include "tests/MeshExporter/ExportSceneBuilder.h"
#include "tests/Shared/Base/TestLogCapture.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <cmath>
#include <filesystem>
#include <sstream>

namespace vx {
namespace {

using test::ExportSceneBuilder;

std::vector<std::string> linesOf(const std::string& text) {
    std::vector<std::string> lines;
    std::size_t at = 0;
    while (at < text.size()) {
        const std::size_t end = text.find("\r\n", at);
        EXPECT_NE(end, std::string::npos) << "a line without CR LF at the end";
        if (end == std::string::npos)
            break;
        lines.push_back(text.substr(at, end - at));
        at = end + 2;
    }
    return lines;
}

// The lines of a checked-in script, the last line's LF not starting another.
std::vector<std::string> expectedScript(const std::string& name) {
    std::vector<std::string> lines;
    std::istringstream in(test::readWholeFile(VORNEX_TEST_DATA_DIR "/meshexporter/" + name));
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    return lines;
}

// Compares line by line; "ObjectTemplate.creator " must name this machine, then a user.
void expectScript(const std::string& text, const std::vector<std::string>& expected) {
    const std::vector<std::string> lines = linesOf(text);
    char host[256] = {};
    ASSERT_EQ(gethostname(host, sizeof host - 1), 0);
    const std::string creator = "ObjectTemplate.creator " + std::string(host).substr(0, 31) + ":";
    ASSERT_EQ(lines.size(), expected.size()) << text;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (expected[i] == "CREATOR") {
            EXPECT_EQ(lines[i].substr(0, creator.size()), creator);
            EXPECT_GT(lines[i].size(), creator.size());
        } else {
            EXPECT_EQ(lines[i], expected[i]) << "line " << i;
        }
    }
}

MeshPart part(const std::string& name, std::int32_t parent, const Vector3& at = {},
              bool geometry = true, SceneNode* nonvis = nullptr) {
    MeshPart p;
    p.name = name;
    p.parentIndex = parent;
    p.transform.translation = at;
    p.noGeometry = !geometry;
    p.node = nonvis;
    return p;
}

Matrix yRotation(float degreesY, const Vector3& at) {
    const double r = static_cast<double>(degreesY) * M_PI / 180.0;
    const auto c = static_cast<float>(std::cos(r));
    const auto s = static_cast<float>(std::sin(r));
    return Matrix(Vector3(c, 0, -s), Vector3(0, 1, 0), Vector3(s, 0, c), at);
}

// A "nonvis" node holding a "col0" node, as parts with collision have.
struct CollisionNodes {
    CollisionNodes() {
        b.transform("nonvisA", "root_staticMesh");
        b.transform("col0", "nonvisA");
        b.transform("nonvisB", "root_staticMesh");
        b.transform("col0_b", "nonvisB");
    }
    ExportSceneBuilder b;
};

struct ScriptState {
    explicit ScriptState(ExportType type) : previousType(currentExportType()) {
        currentExportType() = type;
        animatedUvState().reset();
        collisionMaterialList().clear();
        exportErrorList().clear();
        exportedFileSet().clear();
    }
    ~ScriptState() { currentExportType() = previousType; }
    ScriptState(const ScriptState&) = delete;
    ScriptState& operator=(const ScriptState&) = delete;
    ExportType previousType;
};

TEST(ObjectTemplateWriter, SingleStaticRootWritesItsFileAndListsItRelativeToTheOutputFolder) {
    ScriptState state(kStaticMesh);
    test::TempDir dir;
    std::filesystem::create_directories(dir.file("Props"));
    ExportGeometryData data;
    data.parts = {{{part("tree", -1)}}};
    ASSERT_TRUE(writeObjectTemplates(data, dir.file("Props/Tree.staticMesh"), false));
    // The user's folder kept, the script's own name lower-cased.
    expectScript(test::readWholeFile(dir.file("Props/tree.con")),
                 expectedScript("object_template_tree.txt"));
    EXPECT_EQ(exportedFileSet().paths(), std::set<std::string>{"tree.con"});

    std::filesystem::create_directories(dir.file("RawData/Objects"));
    exportedFileSet().clear();
    ASSERT_TRUE(writeObjectTemplates(data, dir.file("RawData/Objects/Tree.staticMesh"), true));
    EXPECT_TRUE(std::filesystem::exists(dir.file("RawData/Objects/tree_col.con")));
    EXPECT_EQ(exportedFileSet().paths(), std::set<std::string>{"objects/tree_col.con"});
    // Nothing to write: no file, still true.
    EXPECT_TRUE(writeObjectTemplates(ExportGeometryData{}, dir.file("Empty.staticMesh"), false));
    EXPECT_FALSE(std::filesystem::exists(dir.file("empty.con")));
}

TEST(ObjectTemplateWriter, BundledVehicleWithSpringRotationAndAnchor) {
    ScriptState state(kBundledMesh);
    animatedUvState().used = true;
    animatedUvState().matrixCount = 2;
    collisionMaterialList().numberOf("metal");
    collisionMaterialList().numberOf("glass");
    CollisionNodes nodes;
    MeshPartList parts = {
        part("jeep__PlayerControlObject", -1, {}, true, nodes.b.find("nonvisA")),
        part("body", 0, {0, 1, 0}, true, nodes.b.find("nonvisB")),
        part("wheel__Spring", 1),
        part("hook__anchor", 1, {0, 0, -3}, false),
        part("light__Anchor", 1, {}, false),
    };
    parts[2].transform = yRotation(30, {1.5f, -0.5f, 2});
    expectScript(objectTemplateText(parts, "jeep", false),
                 expectedScript("object_template_jeep.txt"));
}

TEST(ObjectTemplateWriter, SoldierStopsAfterItsGeometryLine) {
    ScriptState state(kSkinnedMesh);
    const MeshPartList parts = {part("trooper__Soldier", -1), part("helmet", 0, {0, 1.8f, 0})};
    expectScript(objectTemplateText(parts, "trooper", false),
                 expectedScript("object_template_trooper.txt"));
}

TEST(ObjectTemplateWriter, EmitterGetsItsParticleTemplate) {
    ScriptState state(kBundledMesh);
    collisionMaterialList().numberOf("soot");
    CollisionNodes nodes;
    const MeshPartList parts = {
        part("stack", -1), part("em_smoke__Emitter", 0, {0, 4, 0}, true, nodes.b.find("nonvisA"))};
    expectScript(objectTemplateText(parts, "chimney", false),
                 expectedScript("object_template_chimney.txt"));
}

TEST(ObjectTemplateWriter, TwentySevenPartsAreReportedAndStillWritten) {
    ScriptState state(kStaticMesh);
    MeshPartList parts = {part("hut", -1)};
    std::vector<std::string> expected = {
        "GeometryTemplate.create StaticMesh hut", "",        "ObjectTemplate.create Bundle hut",
        "ObjectTemplate.saveInSeparateFile 1",    "CREATOR", "ObjectTemplate.geometry hut"};
    for (int i = 1; i <= 26; ++i) {
        parts.push_back(part("plank" + std::to_string(i), 0, {static_cast<float>(i), 0, 0}));
        expected.push_back("ObjectTemplate.addTemplate plank" + std::to_string(i));
        expected.push_back("ObjectTemplate.setPosition " + std::to_string(i) + ".0000/0/0");
    }
    for (int i = 1; i <= 26; ++i) {
        expected.push_back("");
        expected.push_back("ObjectTemplate.create SimpleObject plank" + std::to_string(i));
    }
    expected.push_back("");
    expected.push_back("include hut.tweak");
    testing::internal::CaptureStdout();
    const std::string text = objectTemplateText(parts, "hut", false);
    EXPECT_EQ(testing::internal::GetCapturedStdout(),
              "\n EXPORTER ERROR: Number of parts is too big 27>26");
    expectScript(text, expected);
    EXPECT_EQ(exportErrorList().entries(),
              std::vector<std::string>{"Number of parts is too big 27>26"});
}

TEST(ObjectTemplateWriter, InvalidTypeIsReportedAndWrittenAnyway) {
    ScriptState state(kStaticMesh);
    const MeshPartList parts = {part("crate", -1), part("thing__Gizmo", 0),
                                part("gun__HandFireArm", 0)};
    test::LogCapture log;
    const std::vector<std::string> lines = linesOf(objectTemplateText(parts, "crate", false));
    EXPECT_EQ(exportErrorList().entries(),
              std::vector<std::string>{"Object Template type Gizmo is not valid!!!"});
    EXPECT_TRUE(log.contains("Object Template type Gizmo is not valid!!!"));
    EXPECT_NE(std::find(lines.begin(), lines.end(), "ObjectTemplate.create Gizmo thing"),
              lines.end());
    // Hand-held arms become the generic kind.
    EXPECT_NE(std::find(lines.begin(), lines.end(), "ObjectTemplate.create GenericFireArm gun"),
              lines.end());
}

TEST(ObjectTemplateWriter, VegetationCollisionVariant) {
    ScriptState state(kStaticMesh);
    collisionMaterialList().numberOf("leaves");
    CollisionNodes nodes;
    const MeshPartList parts = {part("bush", -1, {}, true, nodes.b.find("nonvisA"))};
    expectScript(objectTemplateText(parts, "bush", true),
                 expectedScript("object_template_bush.txt"));
}

TEST(ObjectTemplateWriter, NumbersAndAngles) {
    EXPECT_EQ(scriptNumber(0.0009f), "0");
    EXPECT_EQ(scriptNumber(-0.0009f), "0");
    EXPECT_EQ(scriptNumber(0.001f), "0.0010");
    EXPECT_EQ(scriptNumber(-12.34567f), "-12.3457");
    EXPECT_EQ(scriptVector({1, 0.0001f, -2}), "1.0000/0/-2.0000");
    // A pitch past the pole: m[2][1] = 1 gives (atan2(m02, m00), 90, 0).
    const Matrix up(Vector3(1, 0, 0), Vector3(0, 0, 1), Vector3(0, 1, 0));
    EXPECT_EQ(scriptEulerAngles(up), Vector3(0, 90, 0));
    const Matrix down(Vector3(0, 0, 1), Vector3(1, 0, 0), Vector3(0, -1, 0));
    EXPECT_EQ(scriptEulerAngles(down).y, -90.0f);
    EXPECT_NEAR(scriptEulerAngles(down).x, -90.0f, 1e-4);
}

} // namespace
} // namespace vx
