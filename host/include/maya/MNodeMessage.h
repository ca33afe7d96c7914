#pragma once
// Host API stand-in: events of one node. A node is dirty when one of its stored values changes
// or a connection into it is made or broken; the name-changed callback receives the old name.
#include <maya/MMessage.h>
#include <maya/MObject.h>
#include <maya/MString.h>

class MNodeMessage : public MMessage {
public:
    using MNodeFunction = void (*)(MObject& node, void* clientData);
    using MNodeStringFunction = void (*)(MObject& node, const MString& previousName,
                                         void* clientData);

    static MCallbackId addNodeDirtyCallback(MObject& node, MNodeFunction function,
                                            void* clientData = nullptr, MStatus* status = nullptr);
    static MCallbackId addNameChangedCallback(MObject& node, MNodeStringFunction function,
                                              void* clientData = nullptr,
                                              MStatus* status = nullptr);
};
