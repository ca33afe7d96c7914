#include <vornexhost/ScriptEditor.h>

#include <cstdio>
#include <string>

namespace vornexhost {
namespace {

ScriptEditorSink& currentSink() {
    static ScriptEditorSink sink;
    return sink;
}

} // namespace

void printScriptEditorLine(ScriptEditorKind kind, std::string_view text) {
    std::string line;
    switch (kind) {
    case ScriptEditorKind::Info:
        line.assign(text);
        break;
    case ScriptEditorKind::Warning:
        line = "// Warning: " + std::string(text) + " //";
        break;
    case ScriptEditorKind::Error:
        line = "// Error: " + std::string(text) + " //";
        break;
    case ScriptEditorKind::Result:
        line = "// Result: " + std::string(text) + " //";
        break;
    }
    line += '\n';
    // Warnings and errors go with the rest so the terminal keeps the script editor's order.
    std::fwrite(line.data(), 1, line.size(), stdout);
    std::fflush(stdout);
}

ScriptEditorSink setScriptEditorSink(ScriptEditorSink sink) {
    ScriptEditorSink previous = std::move(currentSink());
    currentSink() = std::move(sink);
    return previous;
}

void scriptEditorLine(ScriptEditorKind kind, std::string_view text) {
    if (const ScriptEditorSink& sink = currentSink())
        sink(kind, text);
    else
        printScriptEditorLine(kind, text);
}

} // namespace vornexhost
