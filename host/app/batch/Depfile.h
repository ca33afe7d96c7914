#pragma once
// Makefile-style dependency files, as build engines read them: "target: input input ...".
#include <string>
#include <vector>

namespace vornexbatch {

// One path escaped for a depfile: blanks, '#' and the backslashes before them take a
// backslash, '$' is doubled. Paths holding a line break cannot be written and are left out.
std::string depfileEscape(const std::string& path);

// The depfile text naming `inputs` as what `target` was made from, one input a line.
std::string depfileText(const std::string& target, const std::vector<std::string>& inputs);

// Records the files one export reads (vx::recordFileRead) and writes them as a depfile. With
// an empty depfile path it does nothing, so the export runs the same with or without it.
class DepfileRecording {
public:
    explicit DepfileRecording(std::string depfilePath);
    ~DepfileRecording();
    DepfileRecording(const DepfileRecording&) = delete;
    DepfileRecording& operator=(const DepfileRecording&) = delete;

    // Starts recording; false (with the host's error message) when the list cannot be made.
    bool start();
    // Writes the depfile for `target` from what was read since start; false with a message.
    bool write(const std::string& target);

private:
    std::string m_depfilePath;
    bool m_recording = false;
};

} // namespace vornexbatch
