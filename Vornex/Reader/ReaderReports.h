#pragma once
// How the scene reader's handlers report: an Info report that also goes to the log at the
// call site, and invariant checks whose log text is fixed rather than the code's own.
#include "Shared/Base/Log.h"

#include <string>

// Logs `text` at Info level from the call site and reports it to the reader's Info channel.
#define VX_READER_INFO(reader, text)                                                               \
    do {                                                                                           \
        const std::string vx_report_text_ = (text);                                                \
        VX_INFO << vx_report_text_;                                                                \
        (reader).infoReport(vx_report_text_, __LINE__);                                            \
    } while (0)

// Asserts `condition`, logging `conditionText` (the invariant as the log names it) and
// `detail`; the read stops with AssertionFailed.
#define VX_READER_ASSERT(condition, conditionText, detail)                                         \
    do {                                                                                           \
        if (!(condition)) [[unlikely]]                                                             \
            VX_ASSERT_FAIL(conditionText, detail);                                                 \
    } while (0)
