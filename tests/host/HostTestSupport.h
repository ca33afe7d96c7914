#pragma once
// Helpers for the host stand-in's tests: script editor capture, fresh scenes from Maya ASCII
// text, and plug lookups.
#include <vornexhost/MaLoader.h>
#include <vornexhost/ScriptEditor.h>

#include <maya/MDagPath.h>
#include <maya/MObject.h>
#include <maya/MPlug.h>

#include <string>
#include <vector>

namespace vornexhost::test {

// Collects script editor lines ("// Warning: ... //" etc., as the terminal shows them).
class ScriptCapture {
public:
    ScriptCapture();
    ~ScriptCapture();
    ScriptCapture(const ScriptCapture&) = delete;
    ScriptCapture& operator=(const ScriptCapture&) = delete;

    const std::vector<std::string>& lines() const { return m_lines; }
    bool contains(const std::string& text) const;

private:
    std::vector<std::string> m_lines;
    ScriptEditorSink m_previous;
};

// Replaces the active scene with one loaded from `text`; fails the test on a load error.
void loadScene(const std::string& text);
// Loads `text` into a fresh active scene and returns the result (errors are not fatal).
MaLoadResult tryLoad(const std::string& text);
MObject node(const std::string& name);
MPlug plug(const std::string& nodeDotAttribute);
// The plug's value as a double; fails the test when it has none.
double number(const std::string& plugName);
// The DAG path a name or path names (its first instance for a plain name).
MDagPath dagPath(const std::string& name);
// Runs MEL and returns the last statement's result as the script editor shows it.
std::string mel(const std::string& script);
// Runs a table of MEL queries from the test data and expects each answer: "== SCENE.ma title"
// starts a section on that scene freshly loaded, "script => answer" lines run in order, "#"
// lines are comments. Returns the number of queries run.
int expectMelAnswers(const std::string& tableFile);
// Loads each scene of a file of the test data that holds failing scenes ("== ERROR" then the
// scene's lines; "\ no newline" ends a scene without its last line end) and expects it to
// fail with that error. Returns the number of scenes.
int expectLoadErrors(const std::string& casesFile);
std::string dataPath(const std::string& name);
// The text of a scene or other file of the host's test data.
std::string dataText(const std::string& name);
// Pixels of a rendered PNG other than the viewport's background grey (64, 64, 64); 0 when
// the file cannot be read.
unsigned drawnPixels(const std::string& png);

} // namespace vornexhost::test
