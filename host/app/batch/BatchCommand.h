#pragma once
// `vornex batch`: exports every scene of an asset tree through Ninja, incrementally and in
// parallel, and sums up how every asset stands.
#include <string>
#include <vector>

namespace vornexbatch {

// The usage text of "batch" or "batch-edge"; null for any other verb.
const char* batchVerbUsage(const std::string& verb);

// `args`: "batch" SOURCE OUTPUT [options]. The exit status: 0 when every asset is exported
// or up to date.
int runBatch(const std::vector<std::string>& args);

} // namespace vornexbatch
