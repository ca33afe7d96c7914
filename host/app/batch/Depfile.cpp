#include "batch/Depfile.h"

#include "Shared/Base/File/FileReads.h"
#include "batch/AtomicFile.h"

#include <maya/MGlobal.h>

namespace vornexbatch {

std::string depfileEscape(const std::string& path) {
    std::string out;
    out.reserve(path.size() + 8);
    std::size_t backslashes = 0;
    for (const char c : path) {
        if (c == ' ' || c == '#') {
            // A run of backslashes before a blank would otherwise escape it.
            out.append(backslashes, '\\');
            out += '\\';
        }
        if (c == '$')
            out += '$';
        backslashes = c == '\\' ? backslashes + 1 : 0;
        out += c;
    }
    return out;
}

std::string depfileText(const std::string& target, const std::vector<std::string>& inputs) {
    std::string text = depfileEscape(target) + ":";
    for (const std::string& input : inputs) {
        if (input.find_first_of("\r\n") != std::string::npos)
            continue;
        text += " \\\n  " + depfileEscape(input);
    }
    return text + "\n";
}

DepfileRecording::DepfileRecording(std::string depfilePath)
    : m_depfilePath(std::move(depfilePath)) {}

DepfileRecording::~DepfileRecording() {
    if (m_recording)
        vx::finishFileReadRecording();
}

bool DepfileRecording::start() {
    if (m_depfilePath.empty())
        return true;
    std::string error;
    if (!vx::startFileReadRecording(m_depfilePath + ".reads", error)) {
        MGlobal::displayError(MString(error));
        return false;
    }
    m_recording = true;
    return true;
}

bool DepfileRecording::write(const std::string& target) {
    if (!m_recording)
        return true;
    m_recording = false;
    const std::vector<std::string> inputs = vx::finishFileReadRecording();
    std::string error;
    if (!writeFileAtomically(m_depfilePath, depfileText(target, inputs), error)) {
        MGlobal::displayError(MString(error));
        return false;
    }
    return true;
}

} // namespace vornexbatch
