#include "Shared/Base/Assert.h"

#include "Shared/Base/LogMessage.h"

namespace vx {

void raiseAssertion(LogMessage& message) {
    std::string text = message.text();
    message.finish();
    throw AssertionFailed(text, message.file(), message.line());
}

} // namespace vx
