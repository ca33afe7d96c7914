#pragma once
// A small MEL: statements, strings, numbers, backquoted commands, `if` with blocks, command
// and function-call syntax; commands are the built-in queries and those plug-ins register.
#include <functional>
#include <map>
#include <string>
#include <vector>

namespace vornexhost {

// A MEL value: a string, a number or an array of strings/numbers (kept as text).
struct MelValue {
    enum class Kind { None, Int, Double, String, StringArray, DoubleArray, IntArray };
    Kind kind = Kind::None;
    long long i = 0;
    double d = 0.0;
    std::string s;
    std::vector<std::string> strings;
    std::vector<double> doubles;

    static MelValue ofInt(long long v);
    static MelValue ofDouble(double v);
    static MelValue ofString(std::string v);
    static MelValue ofStrings(std::vector<std::string> v);
    static MelValue ofDoubles(std::vector<double> v, bool integers = false);

    // As the script editor shows a result: "8", "0.5", "a b c".
    std::string display() const;
    bool truthy() const;
    // The value as command arguments (an array gives one argument per element).
    void appendAsArguments(std::vector<std::string>& out) const;
};

// Thrown by a command that fails; the message is shown as an error.
struct MelError {
    std::string message;
};

using MelCommand = std::function<MelValue(const std::vector<std::string>& args)>;

class MelInterpreter {
public:
    // Runs `script`. Each top-level statement's result goes to `onResult` (when set).
    // Returns false, with the error shown in the script editor, when a statement fails.
    bool run(const std::string& script, MelValue& last,
             const std::function<void(const MelValue&)>& onResult = {});

    static MelInterpreter& instance();
    // Built-in commands by name.
    void define(const std::string& name, MelCommand command);

private:
    MelInterpreter();
    friend class MelRun;
    std::map<std::string, MelCommand> m_commands;
};

// Registers the query and scene commands (ls, getAttr, listRelatives, ...).
void defineMelCommands(MelInterpreter& mel);
// Mesh inspection (polyEvaluate, pointPosition) and the CgFX stand-in's cgfxShader command.
void defineMeshCommands(MelInterpreter& mel);
void defineCgfxShaderCommand(MelInterpreter& mel);

} // namespace vornexhost
