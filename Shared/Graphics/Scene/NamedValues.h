#pragma once
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <variant>

namespace vx {

class InStream;
class OutStream;
class Scene;

// One named value. The variant's index is the value's kind byte in files:
// 0 integer (signed 32-bit), 1 float (32-bit), 2 bool, 3 text.
using NamedValue = std::variant<std::int32_t, float, bool, std::string>;

enum class NamedValueKind : std::uint8_t { Integer = 0, Float = 1, Bool = 2, Text = 3 };

inline NamedValueKind kindOf(const NamedValue& value) {
    return static_cast<NamedValueKind>(value.index());
}

// Value: kind byte, then 4 bytes (integer, float), 1 byte (bool: 1 or 0) or a counted text.
void writeNamedValue(OutStream& out, const NamedValue& value);
bool readNamedValue(InStream& in, Scene& scene, NamedValue& value);
// The content of a value whose kind byte has already been read.
bool readNamedValueContent(InStream& in, Scene& scene, std::uint8_t kind, NamedValue& value);

// A table from name to typed value, ordered by name (the order in which it is written).
class NamedValueTable {
public:
    using Map = std::map<std::string, NamedValue, std::less<>>;

    void set(std::string name, NamedValue value) { m_values[std::move(name)] = std::move(value); }
    void setBool(std::string name, bool value) { set(std::move(name), value); }
    void setInt(std::string name, std::int32_t value) { set(std::move(name), value); }
    void setFloat(std::string name, float value) { set(std::move(name), value); }
    void setText(std::string name, std::string value) { set(std::move(name), std::move(value)); }

    // The value under the name, or null when there is none.
    const NamedValue* find(std::string_view name) const;
    // The value under the name when it has that kind; none otherwise.
    std::optional<bool> getBool(std::string_view name) const { return get<bool>(name); }
    std::optional<std::int32_t> getInt(std::string_view name) const {
        return get<std::int32_t>(name);
    }
    std::optional<float> getFloat(std::string_view name) const { return get<float>(name); }
    std::optional<std::string> getText(std::string_view name) const {
        return get<std::string>(name);
    }
    bool remove(std::string_view name);

    std::size_t size() const { return m_values.size(); }
    bool empty() const { return m_values.empty(); }
    const Map& values() const { return m_values; }
    void clear() { m_values.clear(); }
    bool operator==(const NamedValueTable&) const = default;

    // Entry count (32-bit), then per entry in name order: name (counted text) and value.
    void write(OutStream& out) const;
    bool read(InStream& in, Scene& scene);

private:
    template <typename T>
    std::optional<T> get(std::string_view name) const {
        const NamedValue* value = find(name);
        if (!value || !std::holds_alternative<T>(*value))
            return std::nullopt;
        return std::get<T>(*value);
    }

    Map m_values;
};

// The second base of the Util node classes and of materials: each object's own table of named
// values (the artist's extra attributes), read and written by name.
class NamedValueHolder {
public:
    NamedValueTable& namedValues() { return m_namedValues; }
    const NamedValueTable& namedValues() const { return m_namedValues; }

    void setBool(std::string name, bool value) { m_namedValues.setBool(std::move(name), value); }
    void setInt(std::string name, std::int32_t value) {
        m_namedValues.setInt(std::move(name), value);
    }
    void setFloat(std::string name, float value) { m_namedValues.setFloat(std::move(name), value); }
    void setText(std::string name, std::string value) {
        m_namedValues.setText(std::move(name), std::move(value));
    }
    std::optional<bool> getBool(std::string_view name) const { return m_namedValues.getBool(name); }
    std::optional<std::int32_t> getInt(std::string_view name) const {
        return m_namedValues.getInt(name);
    }
    std::optional<float> getFloat(std::string_view name) const {
        return m_namedValues.getFloat(name);
    }
    std::optional<std::string> getText(std::string_view name) const {
        return m_namedValues.getText(name);
    }

    NamedValueTable m_namedValues;
};

} // namespace vx
