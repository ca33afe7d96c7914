#pragma once
// Building attribute definitions: used by the built-in node types, addAttr and plug-ins.
#include <vornexhost/Attribute.h>

#include <initializer_list>
#include <memory>
#include <string>

namespace vornexhost {

using AttributePtr = std::shared_ptr<Attribute>;

AttributePtr makeNumeric(const std::string& longName, const std::string& shortName, int numericType,
                         double defaultValue = 0.0, AttrUnit unit = AttrUnit::None);
AttributePtr makeEnum(const std::string& longName, const std::string& shortName,
                      double defaultValue = 0.0);
AttributePtr makeTyped(const std::string& longName, const std::string& shortName, DataKind kind);
AttributePtr makeMessage(const std::string& longName, const std::string& shortName);
AttributePtr makeGeneric(const std::string& longName, const std::string& shortName);
AttributePtr makeCompound(const std::string& longName, const std::string& shortName,
                          std::initializer_list<AttributePtr> children);
// A numeric compound of two to four children named after the parent with the given suffixes:
// translate -> translateX / tx. `suffixes` holds one upper-case letter per child; the short
// names use the lower-case letter.
AttributePtr makeVector(const std::string& longName, const std::string& shortName, int childType,
                        AttrUnit unit, std::initializer_list<double> defaults,
                        const char* suffixes = "XYZ");
// Numeric compound type of `count` children of `childType` (3 doubles: k3Double).
int compoundNumericType(int childType, unsigned count);
void addChild(Attribute& parent, AttributePtr child);
AttributePtr arrayOf(AttributePtr attribute);
AttributePtr computed(AttributePtr attribute, Computed how);

} // namespace vornexhost
