#pragma once
// Attribute definitions: static ones belong to a node type, dynamic ones to a node.
#include <vornexhost/Data.h>
#include <vornexhost/Object.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace vornexhost {

enum class AttrKind : std::uint8_t { Numeric, Compound, Typed, Message, Generic };

// Which unit a numeric value is in. Inside, distances are centimetres, angles radians and times
// seconds; the scene file and MEL use the scene's current units.
enum class AttrUnit : std::uint8_t { None, Distance, Angle, Time };

// Values computed from the node rather than stored.
enum class Computed : std::uint8_t {
    None,
    Matrix,
    InverseMatrix,
    WorldMatrix,
    WorldInverseMatrix,
    ParentMatrix,
    ParentInverseMatrix,
    CurveOutput,
    TimeOutput,
    ConversionOutput
};

class Attribute : public Object {
public:
    MFn::Type apiType() const override;
    bool hasFn(MFn::Type type) const override;

    bool isCompound() const { return !children.empty(); }
    // An array whose elements are numbers only (a number, or a compound of numbers): its values
    // live in one flat array.
    bool packsElements() const;
    // Number of leaf numbers of one element of a packing array.
    unsigned packedStride() const { return children.empty() ? 1u : unsigned(children.size()); }
    const Attribute* child(const std::string& name) const;
    // The long-name path from the top-level attribute: "instObjGroups.objectGroups".
    std::string pathName(bool longNames) const;
    const Attribute* top() const;

    std::string longName;
    std::string shortName;
    AttrKind kind = AttrKind::Numeric;
    int numericType = 0; // MFnNumericData::Type
    AttrUnit unit = AttrUnit::None;
    DataKind dataKind = DataKind::None;
    Computed computed = Computed::None;
    bool array = false;
    bool isEnum = false;
    bool keyable = false;
    bool hidden = false;
    bool dynamic = false;
    bool implicit = false;
    // One element per DAG instance: named without an index, it means the first instance.
    bool instanced = false; // made by a scene file's use, not declared
    bool usedAsColor = false;
    double defaultValue = 0.0;
    std::string enumNames;
    Attribute* parent = nullptr;
    unsigned childIndex = 0;
    unsigned topIndex = 0; // position among the node's top-level attributes (top-level only)
    std::vector<std::shared_ptr<Attribute>> children;
};

// Numeric type numbers (MFnNumericData::Type).
namespace numeric {
constexpr int kInvalid = 0, kBoolean = 1, kByte = 2, kChar = 3, kShort = 4, k2Short = 5,
              k3Short = 6, kLong = 7, k2Long = 8, k3Long = 9, kFloat = 10, k2Float = 11,
              k3Float = 12, kDouble = 13, k2Double = 14, k3Double = 15;
bool isInteger(int type);
// A stored number as a 32-bit whole number: the fraction dropped, out-of-range values clamped
// and NaN read as 0 (file values can be anything). Inline: the loader converts every integer of
// mesh data with it.
inline std::int32_t toInt(double value) {
    if (!(value == value))
        return 0;
    if (value >= 2147483647.0)
        return 2147483647;
    if (value <= -2147483648.0)
        return -2147483647 - 1;
    return static_cast<std::int32_t>(value);
}
} // namespace numeric

} // namespace vornexhost
