#include <vornexhost/Handles.h>
#include <vornexhost/Scene.h>

#include <maya/MObject.h>
#include <maya/MObjectHandle.h>

MObject MObject::kNullObj;

unsigned int MObjectHandle::hashCode() const {
    return m_object.isNull() ? 0u : m_object.impl()->serial();
}

MFn::Type MObject::apiType() const {
    return m_object ? m_object->apiType() : MFn::kInvalid;
}

const char* MObject::apiTypeStr() const {
    return vornexhost::typeNameOf(apiType());
}

bool MObject::hasFn(MFn::Type type) const {
    return m_object && m_object->hasFn(type);
}

namespace vornexhost {

Node* nodeOf(const MObject& object) {
    auto* node = dynamic_cast<Node*>(object.impl().get());
    return node && node->isAlive() ? node : nullptr;
}

Attribute* attributeOf(const MObject& object) {
    return dynamic_cast<Attribute*>(object.impl().get());
}

MObject objectOf(const Node* node) {
    if (!node)
        return MObject();
    return MObject(const_cast<Node*>(node)->shared_from_this());
}

MObject objectOf(const Attribute* attribute) {
    if (!attribute)
        return MObject();
    return MObject(const_cast<Attribute*>(attribute)->shared_from_this());
}

double sceneTime() {
    return activeScene().currentTime;
}

} // namespace vornexhost
