#pragma once
// Reports of the scene reader's handlers: an Info report also logged at the call site, and
// invariant checks whose logged condition text is fixed.
#include "Shared/Base/Log.h"

#include <string>

// Logs `text` at Info level from the call site and hands it to the reader's Info report.
#define VX_READER_INFO(reader, text)                                                               \
    do {                                                                                           \
        const std::string vx_report_text_ = (text);                                                \
        VX_INFO << vx_report_text_;                                                                \
        (reader).infoReport(vx_report_text_, __LINE__);                                            \
    } while (0)

// Asserts `condition`, logging `conditionText` and `detail`; the read stops (AssertionFailed).
#define VX_READER_ASSERT(condition, conditionText, detail)                                         \
    do {                                                                                           \
        if (!(condition)) [[unlikely]]                                                             \
            VX_ASSERT_FAIL(conditionText, detail);                                                 \
    } while (0)
