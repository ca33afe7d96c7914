#pragma once
// The host's side of scene and node messages: where the scene reports its events to the
// callbacks plug-ins registered through MSceneMessage and MNodeMessage.
#include <maya/MSceneMessage.h>

#include <string>

namespace vornexhost {

class Node;

// Calls every callback registered for `message`, in registration order.
void sendSceneMessage(MSceneMessage::Message message);
// Calls the dirty callbacks registered on `node` (a stored value or an incoming connection
// changed). Costs one test when no node callback exists.
void sendNodeDirty(Node& node);
void sendNameChanged(Node& node, const std::string& previousName);

// Number of callbacks registered and not yet removed, of every kind.
unsigned callbackCount();

} // namespace vornexhost
