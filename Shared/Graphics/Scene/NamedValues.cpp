#include "Shared/Graphics/Scene/NamedValues.h"

#include "Shared/Graphics/Scene/SceneIo.h"

namespace vx {

const NamedValue* NamedValueTable::find(std::string_view name) const {
    const auto at = m_values.find(name);
    return at == m_values.end() ? nullptr : &at->second;
}

bool NamedValueTable::remove(std::string_view name) {
    const auto at = m_values.find(name);
    if (at == m_values.end())
        return false;
    m_values.erase(at);
    return true;
}

void writeNamedValue(OutStream& out, const NamedValue& value) {
    out << static_cast<std::uint8_t>(value.index());
    switch (kindOf(value)) {
    case NamedValueKind::Integer:
        out << std::get<std::int32_t>(value);
        break;
    case NamedValueKind::Float:
        out << std::get<float>(value);
        break;
    case NamedValueKind::Bool:
        out << std::get<bool>(value);
        break;
    case NamedValueKind::Text:
        sceneio::writeCountedText(out, std::get<std::string>(value));
        break;
    }
}

bool readNamedValueContent(InStream& in, Scene& scene, std::uint8_t kind, NamedValue& value) {
    switch (kind) {
    case 0: {
        std::int32_t number = 0;
        in >> number;
        value = number;
        break;
    }
    case 1: {
        float number = 0.0f;
        in >> number;
        value = number;
        break;
    }
    case 2: {
        bool flag = false;
        in >> flag;
        value = flag;
        break;
    }
    case 3: {
        std::string text;
        if (!sceneio::readCountedText(in, scene, text, "a text value"))
            return false;
        value = std::move(text);
        break;
    }
    default:
        return scene.fail("unknown named value kind " + std::to_string(kind));
    }
    return sceneio::checkStream(in, scene, "a named value");
}

bool readNamedValue(InStream& in, Scene& scene, NamedValue& value) {
    std::uint8_t kind = 0;
    in >> kind;
    return sceneio::checkStream(in, scene, "a named value") &&
           readNamedValueContent(in, scene, kind, value);
}

void NamedValueTable::write(OutStream& out) const {
    sceneio::writeCount(out, m_values.size());
    for (const auto& [name, value] : m_values) {
        sceneio::writeCountedText(out, name);
        writeNamedValue(out, value);
    }
}

bool NamedValueTable::read(InStream& in, Scene& scene) {
    m_values.clear();
    std::uint32_t count = 0;
    // Smallest entry: empty name (4), kind (1), bool (1).
    if (!sceneio::readCount(in, scene, count, 6, "named value"))
        return false;
    for (std::uint32_t i = 0; i < count; ++i) {
        std::string name;
        NamedValue value;
        if (!sceneio::readCountedText(in, scene, name, "a named value's name") ||
            !readNamedValue(in, scene, value))
            return false;
        // A repeated name keeps its last value, as setting it twice would.
        m_values[std::move(name)] = std::move(value);
    }
    return true;
}

} // namespace vx
