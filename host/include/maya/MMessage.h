#pragma once
// Host API stand-in: base of the message classes; callbacks are removed through it.
#include <maya/MStatus.h>

using MCallbackId = unsigned int;

class MMessage {
public:
    using MBasicFunction = void (*)(void* clientData);

    // Removes a callback registered through any message class; failure for an unknown id.
    static MStatus removeCallback(MCallbackId id);
};
