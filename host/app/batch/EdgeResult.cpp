#include "batch/EdgeResult.h"

#include <nlohmann/json.hpp>

namespace vornexbatch {

std::string edgeResultJson(const EdgeResult& r) {
    const nlohmann::json json = {{"run", r.run},
                                 {"exported", r.exported},
                                 {"seconds", r.seconds},
                                 {"filesWritten", r.filesWritten},
                                 {"errorLines", r.errorLines},
                                 {"firstError", r.firstError},
                                 {"message", r.message}};
    // Replacement characters for bytes that are not UTF-8 (a Latin-1 path in an error line).
    return json.dump(-1, ' ', false, nlohmann::json::error_handler_t::replace) + "\n";
}

bool parseEdgeResult(const std::string& text, EdgeResult& r) {
    const nlohmann::json json = nlohmann::json::parse(text, nullptr, false);
    if (!json.is_object())
        return false;
    try {
        r.run = json.at("run").get<std::string>();
        r.exported = json.at("exported").get<bool>();
        r.seconds = json.at("seconds").get<double>();
        r.filesWritten = json.at("filesWritten").get<int>();
        r.errorLines = json.at("errorLines").get<int>();
        r.firstError = json.at("firstError").get<std::string>();
        r.message = json.at("message").get<std::string>();
    } catch (const nlohmann::json::exception&) {
        return false;
    }
    return true;
}

} // namespace vornexbatch
