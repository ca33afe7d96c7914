#include "tests/host/mesh/SceneFixture.h"

#include <vornexhost/DagPaths.h>
#include <vornexhost/Handles.h>
#include <vornexhost/PlugPath.h>
#include <vornexhost/PlugValues.h>
#include <vornexhost/Scene.h>

#include <gtest/gtest.h>

#include <stdexcept>

namespace vornexhost::test {

void resetScene() {
    activeScene().reset();
}

void SceneTest::SetUp() {
    resetScene();
    m_previous = setScriptEditorSink([this](ScriptEditorKind kind, std::string_view text) {
        if (kind == ScriptEditorKind::Warning)
            warnings.emplace_back(text);
        else if (kind == ScriptEditorKind::Error)
            errors.emplace_back(text);
    });
}

void SceneTest::TearDown() {
    setScriptEditorSink(m_previous);
}

Node* createNode(const std::string& type, const std::string& name, Node* parent) {
    NodeTypeRegistry& types = NodeTypeRegistry::instance();
    const NodeType* t = types.find(type);
    if (!t)
        t = types.generic(type, false);
    return activeScene().createNode(*t, name, parent);
}

PlugAddress plug(Node* node, const std::string& path) {
    ResolvedPlug resolved;
    std::string error;
    if (!resolvePlugPath(*node, path, true, resolved, error))
        throw std::runtime_error("fixture plug " + node->name() + "." + path + ": " + error);
    return resolved.plug;
}

void setNumber(Node* node, const std::string& path, double value) {
    if (!setStoredNumber(plug(node, path), value))
        throw std::runtime_error("fixture cannot set " + path);
}

void setText(Node* node, const std::string& path, const std::string& text) {
    auto data = std::make_shared<Data>(DataKind::String);
    data->text = text;
    setStoredData(plug(node, path), data);
}

MObject objectOf(Node* node) {
    return vornexhost::objectOf(node);
}

MDagPath pathTo(Node* node, unsigned instance) {
    return MDagPath::fromNodes(allPathsTo(node).at(instance));
}

void setPoints(Node* shape, const std::vector<double>& xyz) {
    for (std::size_t i = 0; i < xyz.size() / 3; ++i) {
        const std::string at = "vt[" + std::to_string(i) + "].";
        setNumber(shape, at + "vx", xyz[i * 3]);
        setNumber(shape, at + "vy", xyz[i * 3 + 1]);
        setNumber(shape, at + "vz", xyz[i * 3 + 2]);
    }
}

void setEdges(Node* shape, const std::vector<std::int32_t>& v0v1smooth) {
    for (std::size_t i = 0; i < v0v1smooth.size() / 3; ++i) {
        const std::string at = "ed[" + std::to_string(i) + "].";
        setNumber(shape, at + "e1", v0v1smooth[i * 3]);
        setNumber(shape, at + "e2", v0v1smooth[i * 3 + 1]);
        setNumber(shape, at + "eh", v0v1smooth[i * 3 + 2]);
    }
}

namespace {

// Appends one loop's runs in the loader's flat form.
void appendRuns(CornerIds& target, const std::vector<CornerIdsSpec>& runs) {
    target.firstRun.push_back(static_cast<std::uint32_t>(target.runs.size()));
    for (const CornerIdsSpec& run : runs) {
        target.runs.push_back({run.set, static_cast<std::uint32_t>(target.ids.size())});
        target.ids.insert(target.ids.end(), run.ids.begin(), run.ids.end());
    }
}

} // namespace

void setFaces(Node* shape, const std::vector<FaceSpec>& faces) {
    auto data = std::make_shared<Data>(DataKind::PolyFaces);
    PolyFaces& pf = data->faces;
    pf.faceFirstLoop.push_back(0);
    pf.loopFirstEdge.push_back(0);
    for (const FaceSpec& face : faces) {
        pf.edges.insert(pf.edges.end(), face.edges.begin(), face.edges.end());
        pf.loopFirstEdge.push_back(static_cast<std::uint32_t>(pf.edges.size()));
        appendRuns(pf.uvs, face.uvs);
        appendRuns(pf.colors, face.colors);
        pf.faceFirstLoop.push_back(static_cast<std::uint32_t>(pf.loopFirstEdge.size() - 1));
    }
    pf.uvs.firstRun.push_back(static_cast<std::uint32_t>(pf.uvs.runs.size()));
    pf.colors.firstRun.push_back(static_cast<std::uint32_t>(pf.colors.runs.size()));
    for (std::size_t f = 0; f < faces.size(); ++f)
        setStoredData(plug(shape, "fc[" + std::to_string(f) + "]"), data,
                      static_cast<std::uint32_t>(f));
}

void setUvSet(Node* shape, int set, const std::string& name, const std::vector<double>& uv) {
    const std::string at = "uvst[" + std::to_string(set) + "].";
    setText(shape, at + "uvsn", name);
    for (std::size_t i = 0; i < uv.size() / 2; ++i) {
        const std::string p = at + "uvsp[" + std::to_string(i) + "].";
        setNumber(shape, p + "uvpu", uv[i * 2]);
        setNumber(shape, p + "uvpv", uv[i * 2 + 1]);
    }
}

std::vector<FaceSpec> cubeFaces() {
    return {{{0, 5, -2, -5}, {{0, {0, 1, 3, 2}}}, {}},
            {{1, 7, -3, -7}, {{0, {2, 3, 5, 4}}}, {}},
            {{2, 9, -4, -9}, {{0, {4, 5, 7, 6}}}, {}},
            {{3, 11, -1, -11}, {{0, {6, 7, 9, 8}}}, {}},
            {{-12, -10, -8, -6}, {{0, {1, 10, 11, 3}}}, {}},
            {{10, 4, 6, 8}, {{0, {12, 0, 2, 13}}}, {}}};
}

Node* createCube(const std::string& name, bool smooth, Node* parent) {
    if (!parent)
        parent = createNode("transform", name);
    Node* shape = createNode("mesh", name + "Shape", parent);
    setPoints(shape, {-0.5, -0.5, 0.5,  0.5, -0.5, 0.5,  -0.5, 0.5,  0.5,  0.5, 0.5,  0.5,
                      -0.5, 0.5,  -0.5, 0.5, 0.5,  -0.5, -0.5, -0.5, -0.5, 0.5, -0.5, -0.5});
    const int s = smooth ? 1 : 0;
    setEdges(shape, {0, 1, s, 2, 3, s, 4, 5, s, 6, 7, s, 0, 2, s, 1, 3, s,
                     2, 4, s, 3, 5, s, 4, 6, s, 5, 7, s, 6, 0, s, 7, 1, s});
    setUvSet(shape, 0, "map1", {0.375, 0,   0.625, 0,    0.375, 0.25, 0.625, 0.25, 0.375, 0.5,
                                0.625, 0.5, 0.375, 0.75, 0.625, 0.75, 0.375, 1,    0.625, 1,
                                0.875, 0,   0.875, 0.25, 0.125, 0,    0.125, 0.25});
    setFaces(shape, cubeFaces());
    return shape;
}

} // namespace vornexhost::test
