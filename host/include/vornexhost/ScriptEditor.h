#pragma once
// The stand-in's script editor: where MGlobal's display calls go. The terminal by default;
// tests and the host program may route the lines elsewhere.
#include <functional>
#include <string_view>

namespace vornexhost {

enum class ScriptEditorKind { Info, Warning, Error, Result };

using ScriptEditorSink = std::function<void(ScriptEditorKind, std::string_view)>;

// Replaces the sink and returns the previous one; an empty sink restores the terminal.
ScriptEditorSink setScriptEditorSink(ScriptEditorSink sink);

// Writes one line as the host's script editor shows it: info plain, warnings and errors
// as "// Warning: text //" and "// Error: text //", results as "// Result: text //".
void scriptEditorLine(ScriptEditorKind kind, std::string_view text);

// Prints one line on the terminal as scriptEditorLine does without a sink; for sinks that
// pass some lines on.
void printScriptEditorLine(ScriptEditorKind kind, std::string_view text);

} // namespace vornexhost
