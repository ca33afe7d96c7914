#pragma once
// Host API stand-in: one attribute of one node, with its array indices.
#include <maya/MDGContext.h>
#include <maya/MObject.h>
#include <maya/MStatus.h>
#include <maya/MString.h>

#include <memory>
#include <vector>

class MPlugArray;
class MIntArray;

namespace vornexhost {
struct PlugAddress;
}

class MPlug {
public:
    MPlug() = default;
    MPlug(const MObject& node, const MObject& attribute);

    bool isNull(MStatus* status = nullptr) const;
    MObject node(MStatus* status = nullptr) const;
    MObject attribute(MStatus* status = nullptr) const;
    // "node.attribute[2].child" with long attribute names.
    MString name(MStatus* status = nullptr) const;
    MString partialName(bool includeNodeName = false, bool includeNonMandatoryIndices = false,
                        bool includeInstancedIndices = false, bool useAlias = false,
                        bool useFullAttributePath = false, bool useLongNames = false,
                        MStatus* status = nullptr) const;

    MStatus getValue(bool& value, MDGContext& context = MDGContext::fsNormal) const;
    MStatus getValue(int& value, MDGContext& context = MDGContext::fsNormal) const;
    MStatus getValue(short& value, MDGContext& context = MDGContext::fsNormal) const;
    MStatus getValue(float& value, MDGContext& context = MDGContext::fsNormal) const;
    MStatus getValue(double& value, MDGContext& context = MDGContext::fsNormal) const;
    MStatus getValue(MString& value, MDGContext& context = MDGContext::fsNormal) const;
    MStatus getValue(MObject& value, MDGContext& context = MDGContext::fsNormal) const;
    MStatus setValue(bool value);
    MStatus setValue(int value);
    MStatus setValue(double value);
    MStatus setValue(const MString& value);

    bool isArray(MStatus* status = nullptr) const;
    bool isElement(MStatus* status = nullptr) const;
    bool isCompound(MStatus* status = nullptr) const;
    bool isChild(MStatus* status = nullptr) const;
    bool isConnected(MStatus* status = nullptr) const;
    bool isDynamic(MStatus* status = nullptr) const;

    unsigned int numElements(MStatus* status = nullptr) const;
    unsigned int evaluateNumElements(MStatus* status = nullptr) const;
    unsigned int numConnectedElements(MStatus* status = nullptr) const;
    unsigned int numChildren(MStatus* status = nullptr) const;
    unsigned int numConnectedChildren(MStatus* status = nullptr) const;
    MPlug elementByLogicalIndex(unsigned int logicalIndex, MStatus* status = nullptr) const;
    MPlug elementByPhysicalIndex(unsigned int physicalIndex, MStatus* status = nullptr) const;
    MPlug operator[](unsigned int physicalIndex) const {
        return elementByPhysicalIndex(physicalIndex);
    }
    unsigned int logicalIndex(MStatus* status = nullptr) const;
    unsigned int getExistingArrayAttributeIndices(MIntArray& indices,
                                                  MStatus* status = nullptr) const;
    MPlug child(unsigned int index, MStatus* status = nullptr) const;
    MPlug child(const MObject& attribute, MStatus* status = nullptr) const;
    MPlug parent(MStatus* status = nullptr) const;
    MPlug array(MStatus* status = nullptr) const;

    // The plugs connected to this one: its source (asDst) and its destinations (asSrc).
    bool connectedTo(MPlugArray& plugs, bool asDst, bool asSrc, MStatus* status = nullptr) const;

    bool operator==(const MPlug& other) const;
    bool operator!=(const MPlug& other) const { return !(*this == other); }

    // Stand-in access to the plug's address.
    vornexhost::PlugAddress address() const;
    static MPlug fromAddress(const vornexhost::PlugAddress& address);

private:
    std::shared_ptr<vornexhost::Object> m_node;
    std::shared_ptr<vornexhost::Object> m_attribute;
    std::vector<int> m_indices;
};
