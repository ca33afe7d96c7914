#pragma once
// What one batch edge leaves beside its stamp: the outcome of its last run, so that a summary
// also covers the assets that did not need to run this time.
#include <string>

namespace vornexbatch {

struct EdgeResult {
    std::string run;        // the batch run that ran the edge (VORNEX_BATCH_RUN), or empty
    bool exported = false;  // the export finished with success
    double seconds = 0;     // wall time of the export
    int filesWritten = 0;   // the asset's files the export (re)wrote
    int errorLines = 0;     // lines of the export's error list (".log")
    std::string firstError; // its first line
    std::string message;    // what went wrong, when the export itself failed or crashed
};

// The record as one JSON object, and back; false when the text is no such record.
std::string edgeResultJson(const EdgeResult& result);
bool parseEdgeResult(const std::string& text, EdgeResult& result);

// The environment variable a batch sets for its engine so each edge can tell which run it ran in.
inline constexpr const char* kBatchRunVariable = "VORNEX_BATCH_RUN";

} // namespace vornexbatch
