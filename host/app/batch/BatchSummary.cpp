#include "batch/BatchSummary.h"

#include "batch/AtomicFile.h"
#include "batch/NinjaFile.h"

#include <nlohmann/json.hpp>

#include <algorithm>
#include <cstdio>
#include <filesystem>

namespace vornexbatch {

namespace {

constexpr std::size_t kShownErrorChars = 100;

// The first error-list line, else the failure's own message.
const std::string& whatWentWrong(const AssetRow& row) {
    return row.result.firstError.empty() ? row.result.message : row.result.firstError;
}

} // namespace

const char* statusName(AssetStatus status) {
    switch (status) {
    case AssetStatus::Failed:
        return "failed";
    case AssetStatus::NotRun:
        return "not run";
    case AssetStatus::Exported:
        return "exported";
    case AssetStatus::UpToDate:
        return "up to date";
    }
    return "";
}

std::vector<AssetRow> collectRows(const std::vector<SceneEntry>& assets,
                                  const std::string& outputFolder, const std::string& run,
                                  const std::set<std::string>& pending) {
    std::vector<AssetRow> rows;
    for (const SceneEntry& scene : assets) {
        const AssetPaths paths = assetPaths(scene, outputFolder);
        AssetRow row{paths.asset,      scene.path,          paths.output,
                     scene.exportType, AssetStatus::NotRun, {}};
        std::string text;
        const bool recorded =
            readWholeFile(paths.result, text) && parseEdgeResult(text, row.result);
        std::error_code ec;
        if (recorded && row.result.run == run)
            row.status = row.result.exported ? AssetStatus::Exported : AssetStatus::Failed;
        else if (recorded && row.result.exported && !pending.count(paths.asset) &&
                 std::filesystem::exists(paths.stamp, ec))
            row.status = AssetStatus::UpToDate;
        else
            row.result =
                EdgeResult{{}, false, 0, 0, 0, {}, "the export did not run: it is out of date"};
        rows.push_back(std::move(row));
    }
    std::stable_sort(rows.begin(), rows.end(), [](const AssetRow& a, const AssetRow& b) {
        return a.status < b.status || (a.status == b.status && a.asset < b.asset);
    });
    return rows;
}

int failedCount(const std::vector<AssetRow>& rows) {
    return static_cast<int>(std::count_if(rows.begin(), rows.end(), [](const AssetRow& row) {
        return row.status == AssetStatus::Failed || row.status == AssetStatus::NotRun;
    }));
}

std::string summaryTable(const std::vector<AssetRow>& rows) {
    std::vector<std::vector<std::string>> cells = {
        {"asset", "type", "status", "seconds", "files", "errors", "first error"}};
    for (const AssetRow& row : rows) {
        char seconds[32];
        std::snprintf(seconds, sizeof seconds, "%.2f", row.result.seconds);
        std::string error = whatWentWrong(row);
        if (error.size() > kShownErrorChars)
            error = error.substr(0, kShownErrorChars - 3) + "...";
        cells.push_back({row.asset, row.exportType, statusName(row.status), seconds,
                         std::to_string(row.result.filesWritten),
                         std::to_string(row.result.errorLines), error});
    }
    std::vector<std::size_t> widths(cells[0].size(), 0);
    for (const auto& line : cells)
        for (std::size_t i = 0; i < line.size(); ++i)
            widths[i] = std::max(widths[i], line[i].size());
    std::string text;
    for (const auto& line : cells) {
        std::string out;
        for (std::size_t i = 0; i < line.size(); ++i) {
            out += line[i];
            if (i + 1 < line.size())
                out += std::string(widths[i] - line[i].size() + 2, ' ');
        }
        while (!out.empty() && out.back() == ' ')
            out.pop_back();
        text += out + "\n";
    }
    return text;
}

std::string summaryJson(const std::vector<AssetRow>& rows, const std::vector<SceneEntry>& skipped,
                        const std::string& source, const std::string& outputFolder) {
    nlohmann::json assets = nlohmann::json::array();
    for (const AssetRow& row : rows) {
        assets.push_back({{"asset", row.asset},
                          {"scene", row.scene},
                          {"output", row.output},
                          {"exportType", row.exportType},
                          {"status", statusName(row.status)},
                          {"seconds", row.result.seconds},
                          {"filesWritten", row.result.filesWritten},
                          {"errorLines", row.result.errorLines},
                          {"firstError", row.result.firstError},
                          {"message", row.result.message}});
    }
    nlohmann::json skippedScenes = nlohmann::json::array();
    for (const SceneEntry& scene : skipped)
        skippedScenes.push_back({{"scene", scene.path}, {"reason", scene.skipReason}});
    const nlohmann::json json = {{"source", source},
                                 {"output", outputFolder},
                                 {"assets", assets},
                                 {"skipped", skippedScenes},
                                 {"failed", failedCount(rows)}};
    return json.dump(2, ' ', false, nlohmann::json::error_handler_t::replace) + "\n";
}

} // namespace vornexbatch
