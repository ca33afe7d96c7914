#pragma once
// The `Vornex` command: reads the scene and saves the scene graph it read to a file.
#include <maya/MPxCommand.h>

namespace vx {

class VornexCmd : public MPxCommand {
public:
    static void* creator();

    // Arguments: [-flags] [name] as decideCommandSettings reads them. Fails on a refused flag,
    // a read the reader gives up (its reason shown as a warning) or a file that cannot be
    // written whole (nothing is left at its path).
    MStatus doIt(const MArgList& args) override;
};

} // namespace vx
