#include "Shared/Base/Streams/Buffers/CallbackMemoryOutBuffer.h"

namespace vx {

void CallbackMemoryOutBuffer::flush() {
    if (m_handler)
        m_handler(m_target, view(), m_user);
    reset();
}

} // namespace vx
