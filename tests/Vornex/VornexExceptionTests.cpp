#include "Vornex/VornexException.h"

#include <gtest/gtest.h>

namespace vx {
namespace {

TEST(VornexException, TextNamesTheSiteAndTheHostsReason) {
    EXPECT_STREQ(VornexException("Failed to retrieve dagPath", 912).what(),
                 "Failed to retrieve dagPath (912)");
    EXPECT_STREQ(
        VornexException("Failed to create DAG iterator", 7, MStatus::kInvalidParameter).what(),
        "Failed to create DAG iterator (7)\nMaya reports: (kInvalidParameter): Invalid "
        "Parameter");
}

} // namespace
} // namespace vx
