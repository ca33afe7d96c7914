#include "Vornex/GlExtensions.h"

#include <ostream>

namespace vx {

bool initializeGlExtension(std::string_view) {
    // The host offers no OpenGL context to plug-ins yet, so no extension can be initialised;
    // the viewport shader node, which draws with them, arrives with that context.
    return false;
}

void initializeGlExtensions(std::ostream& err) {
    for (const std::string_view name : kGlExtensions)
        if (!initializeGlExtension(name))
            err << "Failed to initialize " << name << "!" << std::endl;
}

} // namespace vx
