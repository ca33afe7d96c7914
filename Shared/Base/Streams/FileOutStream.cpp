#include "Shared/Base/Streams/FileOutStream.h"

namespace vx {

bool FileOutStream::close() {
    flush();
    const bool closed = m_file.close();
    return closed && !failed();
}

} // namespace vx
