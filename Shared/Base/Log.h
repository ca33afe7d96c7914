#pragma once
// Call-site macros of the log channel. A disabled site costs one comparison:
//   VX_INFO << "Exported " << count << " meshes";
//   VX_ASSERT_MSG(index < size, "index = " << index);
#include "Shared/Base/Assert.h"
#include "Shared/Base/LogChannel.h"
#include "Shared/Base/LogMessage.h"

#define VX_LOG_AT(level)                                                                           \
    if (static ::vx::LogSiteCache vx_log_site_;                                                    \
        !::vx::isLogSiteEnabled(vx_log_site_, __FILE__, level)) {                                  \
    } else                                                                                         \
        ::vx::LogMessage(level, __FILE__, __LINE__)

#define VX_DEBUG VX_LOG_AT(::vx::LogLevel::Debug)
#define VX_INFO VX_LOG_AT(::vx::LogLevel::Info)
#define VX_WARNING VX_LOG_AT(::vx::LogLevel::Warning)
#define VX_ERROR VX_LOG_AT(::vx::LogLevel::Error)

// Reports "condition : detail" at Assert level and stops the operation (AssertionFailed).
#define VX_ASSERT_FAIL(conditionText, detail)                                                      \
    do {                                                                                           \
        ::vx::LogMessage vx_assert_message_(::vx::LogLevel::Assert, __FILE__, __LINE__);           \
        vx_assert_message_ << conditionText << " : " << detail;                                    \
        ::vx::raiseAssertion(vx_assert_message_);                                                  \
    } while (0)

#define VX_ASSERT_MSG(condition, detail)                                                           \
    do {                                                                                           \
        if (!(condition)) [[unlikely]]                                                             \
            VX_ASSERT_FAIL(#condition, detail);                                                    \
    } while (0)

#define VX_ASSERT(condition) VX_ASSERT_MSG(condition, "")
