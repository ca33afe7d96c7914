// The Maya ASCII loader: whole files and pipes read for it, statement forms, value forms,
// warnings and errors; and more of what
// real files write: attribute declarations, re-parenting, nested paths, line ends, shared
// nodes and value words.
#include "tests/Shared/Base/TestLogCapture.h"
#include "tests/host/HostTestSupport.h"

#include <vornexhost/FileText.h>
#include <vornexhost/Handles.h>
#include <vornexhost/Node.h>
#include <vornexhost/PlugValues.h>
#include <vornexhost/Scene.h>

#include <maya/MFileIO.h>
#include <maya/MFnAttribute.h>
#include <maya/MFnDagNode.h>
#include <maya/MFnDependencyNode.h>
#include <maya/MFnMesh.h>
#include <maya/MFnNumericAttribute.h>
#include <maya/MFnNurbsCurve.h>
#include <maya/MFnTypedAttribute.h>
#include <maya/MIntArray.h>
#include <maya/MPlugArray.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

namespace vornexhost::test {
namespace {

std::shared_ptr<const Data> dataOf(const std::string& plugName, std::uint32_t* part = nullptr) {
    return storedData(plug(plugName).address(), part);
}

TEST(MayaAsciiLoader, StatementsAsMayaWritesThem) {
    loadScene(dataText("statements.ma"));
    Scene& scene = activeScene();
    EXPECT_EQ(scene.units.framesPerSecond, 30.0);
    ASSERT_EQ(scene.requirements.size(), 2u);
    EXPECT_EQ(scene.requirements[1], (std::pair<std::string, std::string>{"somePlugin", "1.2"}));
    EXPECT_EQ(scene.fileInfo.at(0).second, "maya");
    // The shared default camera was reused, not duplicated.
    EXPECT_EQ(mel("ls persp*"), "persp perspShape");
    EXPECT_EQ(scene.findNode("persp")->uuid, "0F2B-ABCD");
    EXPECT_EQ(MFnDagNode(node("moved")).fullPathName(), "|group1|child|moved");
    EXPECT_NEAR(scene.currentTime, 12.0 / 30.0, 1e-12);
    EXPECT_NEAR(scene.minTime, 3.0 / 30.0, 1e-12);
    EXPECT_NEAR(scene.maxTime, 45.0 / 30.0, 1e-12);
    EXPECT_TRUE(scene.findNode("someDefaultNodeTheStandInLacks")->locked);
    ASSERT_EQ(scene.dataStructures.size(), 1u);
    EXPECT_EQ(scene.dataStructures[0], "-fmt raw -as name=idStructure:int32=ID");
}

TEST(MayaAsciiLoader, EveryValueFormLandsInItsAttribute) {
    loadScene(dataText("value_forms.ma"));
    EXPECT_EQ(number("xf.ty"), 2.0);
    EXPECT_NEAR(number("xf.rx"), 1.5707963267948966, 1e-15); // radians inside
    EXPECT_EQ(number("xf.sy"), 2.0);
    EXPECT_EQ(number("xf.it"), 0.0);
    EXPECT_EQ(dataOf("xf.xm")->numbers[13], 6.0);
    EXPECT_EQ(dataOf("xf.notes")->text, "first \"quoted\" line\r\nsecond");
    EXPECT_EQ(dataOf("xf.names")->strings, (std::vector<std::string>{"a", "b c"}));
    EXPECT_FLOAT_EQ(static_cast<float>(number("xf.colorB")), 0.75f);
    EXPECT_EQ(dataOf("xf.doubles")->numbers, (std::vector<double>{1.5, -2, 300}));
    EXPECT_EQ(dataOf("xf.ints")->ints, (std::vector<std::int32_t>{-4, 9}));
    EXPECT_EQ(dataOf("xf.points")->numbers, (std::vector<double>{1, 2, 3, 1}));
    EXPECT_EQ(dataOf("xf.vectors")->numbers.size(), 6u);
    // Mesh data is stored as flat arrays.
    const ArrayStore* vt = arrayStoreOf(plug("shape.vt").address(), false);
    ASSERT_NE(vt, nullptr);
    EXPECT_EQ(vt->packing, ArrayStore::Packing::Float);
    EXPECT_EQ(vt->floats, (std::vector<float>{-0.5f, -0.5f, 0.5f, 0.5f, -0.5f, 0.5f, -0.5f, 0.5f,
                                              0.5f, 0.5f, 0.5f, 0.5f}));
    const ArrayStore* ed = arrayStoreOf(plug("shape.ed").address(), false);
    ASSERT_NE(ed, nullptr);
    EXPECT_EQ(ed->packing, ArrayStore::Packing::Int);
    EXPECT_EQ(ed->ints[9], 2);
    EXPECT_FLOAT_EQ(static_cast<float>(number("shape.uvst[0].uvsp[3].uvpv")), 1.0f);
    EXPECT_EQ(dataOf("shape.uvst[0].uvsn")->text, "map1");
    std::uint32_t part = 9;
    const auto faces = dataOf("shape.fc[1]", &part);
    ASSERT_NE(faces, nullptr);
    EXPECT_EQ(part, 1u);
    EXPECT_EQ(faces->faces.faceCount(), 2u);
    EXPECT_EQ(faces->faces.edges, (std::vector<std::int32_t>{0, 2, -2, -4, -3, 1}));
    const std::int32_t* uv = faces->faces.uvs.find(1, 0);
    ASSERT_NE(uv, nullptr);
    EXPECT_EQ(std::vector<std::int32_t>(uv, uv + faces->faces.loopSize(1)),
              (std::vector<std::int32_t>{1, 3, 2}));
    const std::int32_t* colors = faces->faces.colors.find(1, 0);
    ASSERT_NE(colors, nullptr);
    EXPECT_EQ(std::vector<std::int32_t>(colors, colors + 3), (std::vector<std::int32_t>{0, 1, 2}));
    EXPECT_EQ(faces->faces.colors.find(0, 0), nullptr);
    EXPECT_EQ(faces->faces.uvs.find(1, 1), nullptr);
    EXPECT_EQ(dataOf("shape.iog[0].og[0].gcl")->strings,
              (std::vector<std::string>{"f[0]", "vtx[0:3]"}));
    EXPECT_FLOAT_EQ(static_cast<float>(number("shape.pt[2].py")), 0.25f);
    // The curve: degree 1, three control points, knots as written.
    MFnNurbsCurve curve(node("curveShape"));
    EXPECT_EQ(curve.degree(), 1);
    EXPECT_EQ(curve.numCVs(), 3);
    EXPECT_EQ(curve.numKnots(), 3);
    EXPECT_EQ(curve.knot(2), 2.0);
    MPoint cv;
    ASSERT_TRUE(curve.getCV(2, cv));
    EXPECT_EQ(cv, MPoint(1, 1, 0));
    // The compact weight list: "count index value ..." per element.
    EXPECT_EQ(number("skin.wl[0].w[0]"), 0.25);
    EXPECT_EQ(number("skin.wl[0].w[1]"), 0.75);
    EXPECT_EQ(number("skin.wl[1].w[1]"), 1.0);
    EXPECT_EQ(plug("skin.wl[1].w").numElements(), 1u);
    EXPECT_EQ(dataOf("skin.ma[0]")->numbers[12], 4.0);
    // A generic node takes whatever it is given.
    EXPECT_EQ(dataOf("fancy.opacity[1]")->numbers, (std::vector<double>{1, 1, 1}));
    EXPECT_EQ(number("fancy.flag"), 1.0);
    EXPECT_EQ(dataOf("fancy.alias")->strings, (std::vector<std::string>{"pCube2", "weight[0]"}));
}

TEST(MayaAsciiLoader, UnknownThingsWarnWithFileAndLineAndLoadingGoesOn) {
    const MaLoadResult r = tryLoad(dataText("unknown_things.ma"));
    ASSERT_TRUE(r.ok) << r.error;
    EXPECT_EQ(r.warnings,
              (std::vector<std::string>{
                  "test.ma:2: statement \"cycleCheck\" is not supported; skipped",
                  "test.ma:3: no node named \"nowhere\"",
                  "test.ma:5: reference \"props/prop.ma\" is not found as written, nor beside "
                  "the scene; its nodes are missing from the scene",
                  "test.ma:6: value type \"mysteryType\" kept as written",
                  "test.ma:7: no node named \"missingParent\"",
                  "test.ma:8: unknown linear unit \"furlong\"; centimeters used",
                  "test.ma:10: attribute 'c' is not an array in \"m.c[0]\"",
                  "test.ma:11: unknown attribute 'ocq' in \"m.oc.ocq\""}));
    EXPECT_EQ(number("x.tz"), 3.0);
    EXPECT_EQ(MFnDagNode(node("y")).fullPathName(), "|y");
}

TEST(MayaAsciiLoader, MalformedFilesFailWithLineAndReason) {
    EXPECT_EQ(expectLoadErrors("malformed_scenes.txt"), 13);
}

TEST(MayaAsciiLoader, FileOpenReportsProblemsAndLeavesAnEmptySceneOnFailure) {
    ScriptCapture capture;
    EXPECT_FALSE(MFileIO::open(dataPath("no_such_file.ma")));
    EXPECT_TRUE(capture.contains("no_such_file.ma: cannot read the file"));
    const std::string path = ::testing::TempDir() + "vx_broken.ma";
    {
        std::ofstream out(path);
        out << "createNode transform -n \"kept\";\nsetAttr \"kept.t\" 1 2 x;\n";
    }
    EXPECT_FALSE(MFileIO::open(MString(path)));
    EXPECT_TRUE(capture.contains("// Error: " + path + ":2: bad number 'x' for a value //"));
    EXPECT_EQ(activeScene().findNode("kept"), nullptr);
    EXPECT_EQ(MFileIO::currentFile(), "");
    ASSERT_TRUE(MFileIO::open(MString(dataPath("rig.ma"))));
    EXPECT_EQ(MFileIO::currentFile(), MString(dataPath("rig.ma")));
}

// Every prefix of a real scene either loads or fails with a reason: no crash, no hang.
TEST(MayaAsciiLoader, EveryTruncationOfASceneFailsCleanlyOrLoads) {
    const std::string full = vx::test::readWholeFile(dataPath("rig.ma"));
    ASSERT_GT(full.size(), 500u);
    unsigned failures = 0;
    for (std::size_t n = 0; n <= full.size(); n += 7) {
        const MaLoadResult r = tryLoad(full.substr(0, n));
        if (!r.ok) {
            ++failures;
            EXPECT_EQ(r.error.rfind("test.ma:", 0), 0u) << r.error;
        }
    }
    EXPECT_GT(failures, 0u);
    EXPECT_TRUE(tryLoad(full).ok);
}

TEST(FileStatements, DescriptionsLoadQuietlyAndBadTimesWarn) {
    const MaLoadResult r =
        tryLoad(R"(file -rdi 1 -ns "prop" -rfn "propRN" -op "v=0;" -typ "mayaAscii" "prop.ma";
requires "onlyOne";
createNode "transform" -n "quotedType";
)");
    ASSERT_TRUE(r.ok) << r.error;
    EXPECT_TRUE(r.warnings.empty()) << r.warnings.front();
    EXPECT_EQ(mel("nodeType quotedType"), "transform");
    const std::string path = ::testing::TempDir() + "vx_badtimes.ma";
    {
        std::ofstream out(path);
        out << "createNode script -n \"sceneConfigurationScriptNode\";\n"
               "\tsetAttr \".b\" -type \"string\" \"playbackOptions -min one -max 10\";\n";
    }
    ScriptCapture capture;
    ASSERT_TRUE(MFileIO::open(MString(path)));
    EXPECT_TRUE(capture.contains("sceneConfigurationScriptNode: playbackOptions -min takes a "
                                 "number, not \"one\""));
    std::remove(path.c_str());
}

const Attribute* attributeNamed(const std::string& nodeName, const std::string& attribute) {
    return activeScene().findNode(nodeName)->findAttribute(attribute);
}

TEST(AddAttr, DeclarationsMakeTypedUnitAndCompoundAttributes) {
    const MaLoadResult r = tryLoad(dataText("attribute_declarations.ma"));
    ASSERT_TRUE(r.ok) << r.error;
    EXPECT_EQ(
        r.warnings,
        (std::vector<std::string>{
            "test.ma:13: attribute type \"mysteryKind\" is not known; \"odd\" takes any value",
            "test.ma:14: node \"n\" already has an attribute \"length\"",
            "test.ma:15: parent attribute \"translate\" of \"x\" not found"}));
    // Linear values are kept in centimetres: the default 2 inches is 5.08.
    EXPECT_NEAR(attributeNamed("n", "length")->defaultValue, 5.08, 1e-12);
    EXPECT_EQ(attributeNamed("n", "length")->apiType(), MFn::kUnitAttribute);
    double cm = 0.0;
    ASSERT_TRUE(plug("n.length").getValue(cm));
    EXPECT_NEAR(cm, 2.54, 1e-12);
    EXPECT_EQ(attributeNamed("n", "mode")->apiType(), MFn::kEnumAttribute);
    EXPECT_EQ(attributeNamed("n", "mode")->enumNames, "off:on:auto");
    EXPECT_TRUE(MFnAttribute(objectOf(attributeNamed("n", "mode"))).isKeyable());
    EXPECT_TRUE(MFnAttribute(objectOf(attributeNamed("n", "link"))).isHidden());
    EXPECT_EQ(attributeNamed("n", "link")->apiType(), MFn::kMessageAttribute);
    EXPECT_EQ(attributeNamed("n", "group")->children.size(), 2u);
    EXPECT_TRUE(MFnAttribute(objectOf(attributeNamed("n", "weights"))).isArray());
    EXPECT_EQ(MFnTypedAttribute(objectOf(attributeNamed("n", "mat"))).attrType(), MFnData::kMatrix);
    EXPECT_EQ(MFnTypedAttribute(objectOf(attributeNamed("n", "pts"))).attrType(),
              MFnData::kPointArray);
    // The attribute list runs static first, then the dynamic ones, children after parents.
    MFnDependencyNode fn(node("n"));
    std::vector<std::string> dynamic;
    for (unsigned i = 0; i < fn.attributeCount(); ++i)
        if (MFnAttribute(fn.attribute(i)).isDynamic())
            dynamic.push_back(MFnAttribute(fn.attribute(i)).name().str());
    EXPECT_EQ(dynamic,
              (std::vector<std::string>{"length", "angle", "mode", "link", "group", "groupWeight",
                                        "groupName", "weights", "mat", "pts", "odd"}));
}

TEST(FileForms, ReparentingWorldAndNestedElementPaths) {
    loadScene(dataText("reparenting_crlf.ma")); // its element values: loader_forms_queries.txt
    EXPECT_EQ(MFnDagNode(node("b")).fullPathName(), "|c|b");
    EXPECT_EQ(MFnDagNode(node("a")).childCount(), 0u);
    MPlug outer = MFnDependencyNode(node("f")).findPlug("outer");
    EXPECT_EQ(outer.numElements(), 2u);
    EXPECT_EQ(outer.elementByLogicalIndex(2).child(0).name(), "f.outer[2].inner");
}

TEST(FileForms, WhatTheLoaderStoredReadsBackThroughMel) {
    EXPECT_EQ(expectMelAnswers("loader_forms_queries.txt"), 37);
    loadScene(dataText("shared_nodes.ma"));
    EXPECT_FALSE(activeScene().findNode("u")->locked);
    loadScene(dataText("generic_arrays.ma"));
    EXPECT_EQ(plug("s.wl[0].w").elementByPhysicalIndex(2).logicalIndex(), 5u);
}

// What a loaded mesh shape "m" stores, as flat arrays and as the faces its function set reads.
struct StoredMeshValues {
    std::vector<float> points;
    std::vector<float> tweaks;
    std::vector<std::int32_t> edges;
    std::vector<double> distances;
    std::vector<std::vector<int>> faceVertices;
    std::vector<std::vector<int>> faceUvs;
    bool operator==(const StoredMeshValues&) const = default;
};

StoredMeshValues storedMeshValues() {
    const Node& m = *activeScene().findNode("m");
    auto array = [&](const char* name) -> const ArrayStore* {
        const PlugStore* store = m.findTopStore(*m.findAttribute(name));
        return store ? store->array.get() : nullptr;
    };
    StoredMeshValues out;
    if (const ArrayStore* a = array("vrts"))
        out.points = a->floats;
    if (const ArrayStore* a = array("pnts"))
        out.tweaks = a->floats;
    if (const ArrayStore* a = array("edge"))
        out.edges = a->ints;
    if (const ArrayStore* a = array("distances"))
        out.distances = a->doubles;
    MFnMesh mesh(node("m"));
    for (int f = 0; f < mesh.numPolygons(); ++f) {
        MIntArray vertices;
        mesh.getPolygonVertices(f, vertices);
        out.faceVertices.emplace_back(vertices.begin(), vertices.end());
        out.faceUvs.emplace_back();
        int uv = -1;
        for (unsigned k = 0; k < vertices.length(); ++k)
            out.faceUvs.back().push_back(mesh.getPolygonUVid(f, int(k), uv) ? uv : -1);
    }
    return out;
}

TEST(FileForms, RangesStoreWhatElementsSetOneByOneStore) {
    // Two quads over a 3 x 2 grid of vertices, with coordinates of 17 digits so that float
    // rounding shows, and distances in metres on a dynamic array. Three forms: one range per
    // array (mesh_ranges.ma), the vertices in announced pieces as Maya writes large arrays
    // (mesh_pieces.ma), one element per statement (mesh_elements.ma); the tweaks set one leaf of
    // a compound range, the other leaves keeping their defaults.
    double xyz[18];
    for (int k = 0; k < 18; ++k)
        xyz[k] = 0.1 * k - 0.7 + 0.0123456789012345 * (k % 5);
    loadScene(dataText("mesh_pieces.ma"));
    const StoredMeshValues fromPieces = storedMeshValues();
    // Room for the six announced vertices was made once.
    const Node& m = *activeScene().findNode("m");
    EXPECT_EQ(m.findTopStore(*m.findAttribute("vrts"))->array->floats.capacity(), 18u);
    loadScene(dataText("mesh_elements.ma"));
    const StoredMeshValues fromElements = storedMeshValues();
    loadScene(dataText("mesh_ranges.ma"));
    const StoredMeshValues fromRanges = storedMeshValues();
    EXPECT_EQ(fromRanges, fromElements);
    EXPECT_EQ(fromRanges, fromPieces);
    ASSERT_EQ(fromRanges.points.size(), 18u);
    for (std::size_t k = 0; k < 18; ++k)
        EXPECT_EQ(fromRanges.points[k], static_cast<float>(xyz[k])) << k;
    EXPECT_EQ(fromRanges.distances, (std::vector<double>{25, -150, 200, 75}));
    EXPECT_EQ(fromRanges.tweaks, (std::vector<float>{0, 0.5f, 0, 0, 1, 0, 0, 2.5f, 0}));
    EXPECT_EQ(fromRanges.edges, (std::vector<std::int32_t>{0, 1, 0, 1, 2, 1, 3, 4, 1, 4, 5,
                                                           0, 0, 3, 1, 1, 4, 1, 2, 5, 1}));
    EXPECT_EQ(fromRanges.faceVertices, (std::vector<std::vector<int>>{{0, 1, 4, 3}, {1, 2, 5, 4}}));
    EXPECT_EQ(fromRanges.faceUvs, (std::vector<std::vector<int>>{{0, 1, 4, 3}, {1, 2, 5, 4}}));
}

TEST(FileForms, ValuesOfTheWrongShapeAreErrors) {
    EXPECT_EQ(expectLoadErrors("wrong_shape_scenes.txt"), 12);
}

TEST(FileForms, AttributePathsThatCannotBeResolvedAreWarnings) {
    const MaLoadResult r = tryLoad(dataText("unresolved_paths.ma"));
    ASSERT_TRUE(r.ok) << r.error;
    EXPECT_EQ(r.warnings, (std::vector<std::string>{
                              "test.ma:2: attribute 't' is not an array in \"t.t[0]\"",
                              "test.ma:3: unknown attribute 'bogus' in \"t.t.bogus\"",
                              "test.ma:4: bad index range '1:0' in \"t.tx[1:0]\"",
                              "test.ma:5: unknown attribute 'a b' in \"t.a b\"",
                              "test.ma:6: \"t\" names no attribute",
                              "test.ma:9: more than one index range in \"f.x[0:1].y[0:1]\"",
                              "test.ma:10: bad index '99999999999' in \"f.q[99999999999]\"",
                              "test.ma:11: connectAttr needs a source and a destination",
                              "test.ma:12: attribute 'tx' is not an array in \"t.tx[0:1]\""}));
}

namespace fs = std::filesystem;

TEST(FileText, WholeFilesAndPipesOrNothing) {
    const fs::path folder =
        fs::temp_directory_path() / ("vornex-filetext-" + std::to_string(::getpid()));
    fs::create_directories(folder);
    // NULs, CR LF, no final line end, longer than one read block.
    std::string bytes;
    for (std::size_t i = 0; bytes.size() < 200000; ++i)
        bytes += i % 7 == 0 ? std::string("\r\n") : std::string(1, static_cast<char>(i * 31));
    const std::string path = (folder / "scene.ma").string();
    std::ofstream(path, std::ios::binary) << bytes;
    std::ofstream((folder / "empty.ma").string(), std::ios::binary);

    FileText file;
    ASSERT_TRUE(file.open(path, bytes.size()));
    EXPECT_EQ(file.text(), bytes);
    // Refusals leave nothing behind from the file held before.
    EXPECT_FALSE(file.open(path, bytes.size() - 1));
    EXPECT_TRUE(file.text().empty());
    ASSERT_TRUE(file.open(path));
    EXPECT_FALSE(file.open((folder / "missing.ma").string()));
    EXPECT_TRUE(file.text().empty());
    ASSERT_TRUE(file.open(path));
    EXPECT_FALSE(file.open(folder.string()));
    EXPECT_TRUE(file.text().empty());
    ASSERT_TRUE(file.open((folder / "empty.ma").string()));
    EXPECT_TRUE(file.text().empty());

    const std::string fifo = (folder / "pipe").string();
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    std::thread writer([&] { std::ofstream(fifo, std::ios::binary) << bytes; });
    const bool opened = file.open(fifo);
    writer.join();
    EXPECT_TRUE(opened);
    EXPECT_EQ(file.text(), bytes);
    fs::remove_all(folder);
}

// Referenced files: found beside the scene, loaded under their namespaces or prefixes, nested,
// with the referencing file's edits applied afterwards; missing ones reported.
TEST(References, ThreeLevelsOfNamespacesWithEditsAndMissingFiles) {
    // level -> crate (beside the scene, by relative path) -> lid (by file name only: the path
    // written is another machine's) -> bolt (under a rename prefix).
    ScriptCapture capture;
    ASSERT_TRUE(MFileIO::open(dataPath("references/scenes/level.ma").c_str()));
    Scene& scene = activeScene();
    for (const char* name : {"marker", "crate:box", "crate:boxShape", "crate:lid:handle",
                             "crate:lid:bolt_pin", "persp"})
        EXPECT_NE(scene.findNode(name), nullptr) << name;
    EXPECT_EQ(scene.findNode("box"), nullptr);
    EXPECT_EQ(scene.findNode("crate:persp"), nullptr); // the shared camera is the scene's own
    // The bolt sits under the lid's handle, which sits at the world.
    EXPECT_EQ(std::string(dagPath("crate:lid:bolt_pin").fullPathName().asChar()),
              "|crate:lid:handle|crate:lid:bolt_pin");
    // crate.ma is in metres; the scene's own values stay in centimetres.
    EXPECT_EQ(number("marker.tx"), 1.0);
    EXPECT_EQ(number("crate:lid:bolt_pin.ty"), 3.0);
    // The level's edit moves the crate (in the level's centimetres); the crate's own edit moves
    // its lid (in metres).
    EXPECT_EQ(number("crate:box.tx"), 7.0);
    EXPECT_EQ(number("crate:box.tz"), 9.0);
    EXPECT_EQ(number("crate:lid:handle.ty"), 50.0);
    MPlugArray sources;
    ASSERT_TRUE(plug("crate:lid:handle.sx").connectedTo(sources, true, false));
    ASSERT_EQ(sources.length(), 1u);
    EXPECT_EQ(std::string(sources[0].name().asChar()), "crate:box.scaleX");
    ASSERT_TRUE(plug("crate:lid:handle.tz").connectedTo(sources, true, false));
    ASSERT_EQ(sources.length(), 1u);
    ASSERT_TRUE(plug("marker.ry").connectedTo(sources, true, false));
    ASSERT_EQ(sources.length(), 1u);
    // The missing file and the binary one, each once; the missing one's edits say nothing more.
    std::vector<std::string> warnings;
    for (const std::string& line : capture.lines())
        if (line.find("Warning") != std::string::npos)
            warnings.push_back(line);
    ASSERT_EQ(warnings.size(), 2u) << warnings[0];
    EXPECT_NE(warnings[0].find("\"assets/gone.ma\" is not found"), std::string::npos)
        << warnings[0];
    EXPECT_NE(warnings[1].find("\"assets/chair.mb\""), std::string::npos) << warnings[1];
}

TEST(References, AFileReferencingItselfStopsWithOneWarning) {
    ScriptCapture capture;
    ASSERT_TRUE(MFileIO::open(dataPath("references/scenes/top.ma").c_str()));
    std::size_t warnings = 0;
    bool deep = false;
    bool text = false;
    for (const std::string& line : capture.lines())
        if (line.find("Warning") != std::string::npos) {
            ++warnings;
            deep = deep || line.find("nested") != std::string::npos;
            text = text || (line.find("\"text.ma\"") != std::string::npos &&
                            line.find("not a Maya ASCII file") != std::string::npos);
        }
    EXPECT_EQ(warnings, 2u);
    EXPECT_TRUE(deep);
    EXPECT_TRUE(text);
    EXPECT_NE(activeScene().findNode("l:ring"), nullptr);
    EXPECT_NE(activeScene().findNode("l:again:ring"), nullptr);
}

} // namespace
} // namespace vornexhost::test
