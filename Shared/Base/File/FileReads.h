#pragma once
// The record of every file an export reads (scenes, references, effects, textures), kept so
// that a build engine re-runs the export when any of them changes.
//
// The recording is process-wide and crosses libraries: the host stand-in, the graphics
// stand-in and the plug-in each hold their own copy of this code, so the list lives in a file
// named by the environment (VORNEX_READS_LOG) that every copy appends to.
#include <string>
#include <vector>

namespace vx {

// Notes that `path` was opened and read; nothing when no recording runs. Call it after a
// successful open only: a file that was looked for and missing is not an input.
void recordFileRead(const char* path);

// Starts recording into `logPath` (emptied) for this process and the processes it starts;
// false with the reason when the log cannot be created.
bool startFileReadRecording(const std::string& logPath, std::string& error);

// The absolute paths recorded since the start, sorted, each once; ends the recording and
// removes the log.
std::vector<std::string> finishFileReadRecording();

} // namespace vx
