#pragma once
// One edge of a batch: runs an export as a child process and records how it went.
#include <string>
#include <vector>

namespace vornexbatch {

// `args`: "batch-edge" RESULT STAMP OUTPUT -- COMMAND... Runs COMMAND (the export of
// OUTPUT), keeping its printed output in RESULT's folder, and writes the result record RESULT
// (EdgeResult). STAMP is written only when the export succeeded and removed otherwise, so a
// failed asset is out of date until it exports. Returns the exit status: 0 when it succeeded.
int runEdge(const std::vector<std::string>& args);

// The error list an export to `output` writes: the output's path with its extension
// replaced by ".log".
std::string errorListPath(const std::string& output);

} // namespace vornexbatch
