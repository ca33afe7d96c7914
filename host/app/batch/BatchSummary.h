#pragma once
// The end of a batch: how every asset stands, as a table and as JSON.
#include "batch/EdgeResult.h"
#include "batch/SceneDiscovery.h"

#include <set>
#include <string>
#include <vector>

namespace vornexbatch {

enum class AssetStatus { Failed, NotRun, Exported, UpToDate };

struct AssetRow {
    std::string asset;
    std::string scene;
    std::string output;
    std::string exportType;
    AssetStatus status = AssetStatus::NotRun;
    EdgeResult result; // the last run's record (empty when there is none)
};

// "failed", "not run", "exported", "up to date".
const char* statusName(AssetStatus status);

// Every asset's row from its edge's files: the record of this run (`run`), else "not run"
// when it is still `pending` (out of date), else "up to date" when an earlier run exported it
// and its stamp stands. Sorted failures first, then assets not run, then by asset.
std::vector<AssetRow> collectRows(const std::vector<SceneEntry>& assets,
                                  const std::string& outputFolder, const std::string& run,
                                  const std::set<std::string>& pending);

// The assets that failed or did not run: each makes the batch fail.
int failedCount(const std::vector<AssetRow>& rows);

// The terminal table: asset, export type, status, seconds, files written, error-list lines
// and the first error-list line (or what went wrong when there is none).
std::string summaryTable(const std::vector<AssetRow>& rows);

// The same as JSON, with the skipped scenes, for dashboards.
std::string summaryJson(const std::vector<AssetRow>& rows, const std::vector<SceneEntry>& skipped,
                        const std::string& source, const std::string& outputFolder);

} // namespace vornexbatch
