#include "tests/host/HostTestSupport.h"

#include "tests/Shared/Base/TestLogCapture.h"

#include <vornexhost/Handles.h>
#include <vornexhost/MelInterpreter.h>
#include <vornexhost/PlaybackOptions.h>
#include <vornexhost/PlugPath.h>
#include <vornexhost/Scene.h>

#include <maya/MImage.h>
#include <maya/MSelectionList.h>

#include <gtest/gtest.h>

#include <sstream>

namespace vornexhost::test {

ScriptCapture::ScriptCapture() {
    m_previous = setScriptEditorSink([this](ScriptEditorKind kind, std::string_view text) {
        const char* prefix = kind == ScriptEditorKind::Warning  ? "// Warning: "
                             : kind == ScriptEditorKind::Error  ? "// Error: "
                             : kind == ScriptEditorKind::Result ? "// Result: "
                                                                : "";
        std::string line = prefix + std::string(text);
        if (kind != ScriptEditorKind::Info)
            line += " //";
        m_lines.push_back(std::move(line));
    });
}

ScriptCapture::~ScriptCapture() {
    setScriptEditorSink(std::move(m_previous));
}

bool ScriptCapture::contains(const std::string& text) const {
    for (const std::string& l : m_lines)
        if (l.find(text) != std::string::npos)
            return true;
    return false;
}

MaLoadResult tryLoad(const std::string& text) {
    Scene& scene = activeScene();
    scene.reset();
    MaLoadResult result = loadMayaAscii(scene, "test.ma", text);
    std::string warning;
    if (result.ok)
        applySceneTimes(scene, warning);
    return result;
}

void loadScene(const std::string& text) {
    const MaLoadResult result = tryLoad(text);
    ASSERT_TRUE(result.ok) << result.error;
}

MObject node(const std::string& name) {
    return objectOf(activeScene().findNode(name));
}

MPlug plug(const std::string& nodeDotAttribute) {
    const auto dot = nodeDotAttribute.find('.');
    Node* n = activeScene().findNode(nodeDotAttribute.substr(0, dot));
    if (!n)
        return MPlug();
    ResolvedPlug r;
    std::string error;
    if (!resolvePlugPath(*n, nodeDotAttribute.substr(dot + 1), false, r, error))
        return MPlug();
    return MPlug::fromAddress(r.plug);
}

MDagPath dagPath(const std::string& name) {
    MSelectionList list;
    list.add(MString(name));
    MDagPath path;
    list.getDagPath(0, path);
    return path;
}

std::string mel(const std::string& script) {
    MelValue last;
    if (!MelInterpreter::instance().run(script, last))
        return "<failed>";
    return last.display();
}

int expectMelAnswers(const std::string& tableFile) {
    std::istringstream lines(dataText(tableFile));
    std::string line, section;
    int number = 0, queries = 0;
    while (std::getline(lines, line)) {
        ++number;
        if (line.rfind("== ", 0) == 0) {
            section = line.substr(3);
            loadScene(dataText(section.substr(0, section.find(' '))));
        } else if (const auto arrow = line.find(" =>"); arrow != std::string::npos) {
            const auto answer = line.find_first_not_of(' ', arrow + 3);
            EXPECT_EQ(mel(line.substr(0, line.find_last_not_of(' ', arrow) + 1)),
                      answer == std::string::npos ? "" : line.substr(answer))
                << tableFile << ":" << number << " (" << section << "): " << line;
            ++queries;
        }
    }
    return queries;
}

int expectLoadErrors(const std::string& casesFile) {
    std::istringstream lines(dataText(casesFile));
    std::vector<std::pair<std::string, std::string>> cases; // error, scene
    for (std::string line; std::getline(lines, line);) {
        if (line.rfind("== ", 0) == 0)
            cases.emplace_back(line.substr(3), "");
        else if (line == "\\ no newline" && !cases.empty())
            cases.back().second.pop_back();
        else if (!cases.empty())
            cases.back().second += line + "\n";
    }
    for (const auto& [error, text] : cases) {
        const MaLoadResult r = tryLoad(text);
        EXPECT_FALSE(r.ok) << text;
        EXPECT_EQ(r.error, error) << text;
    }
    return static_cast<int>(cases.size());
}

std::string dataPath(const std::string& name) {
    return VORNEX_TEST_DATA_DIR "/host/" + name;
}

double number(const std::string& plugName) {
    double v = 0.0;
    EXPECT_TRUE(plug(plugName).getValue(v)) << plugName;
    return v;
}

std::string dataText(const std::string& name) {
    return vx::test::readWholeFile(dataPath(name));
}

unsigned drawnPixels(const std::string& png) {
    MImage image;
    unsigned width = 0;
    unsigned height = 0;
    if (!image.readFromFile(MString(png)) || !image.getSize(width, height))
        return 0;
    unsigned drawn = 0;
    for (std::size_t i = 0; i < std::size_t{width} * height; ++i) {
        const unsigned char* p = image.pixels() + i * 4;
        if (p[0] != 64 || p[1] != 64 || p[2] != 64)
            ++drawn;
    }
    return drawn;
}

} // namespace vornexhost::test
