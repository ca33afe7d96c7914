#include "tools/convert/ObjectTemplatePlacement.h"

#include <charconv>
#include <cmath>
#include <optional>
#include <set>
#include <vector>

namespace vx::convert {

namespace {

constexpr float kRadians = 3.14159265358979f / 180.0f;

Matrix rotationX(float a) {
    const float c = std::cos(a), s = std::sin(a);
    return {{1, 0, 0}, {0, c, s}, {0, -s, c}};
}
Matrix rotationY(float a) {
    const float c = std::cos(a), s = std::sin(a);
    return {{c, 0, -s}, {0, 1, 0}, {s, 0, c}};
}
Matrix rotationZ(float a) {
    const float c = std::cos(a), s = std::sin(a);
    return {{c, s, 0}, {-s, c, 0}, {0, 0, 1}};
}

std::optional<Vector3> readVector(std::string_view text) {
    Vector3 v;
    for (unsigned c = 0; c < 3; ++c) {
        const std::size_t slash = c < 2 ? text.find('/') : text.size();
        if (slash == std::string_view::npos)
            return std::nullopt;
        const std::string_view number = text.substr(0, slash);
        const auto result = std::from_chars(number.data(), number.data() + number.size(), v[c]);
        if (result.ec != std::errc() || result.ptr != number.data() + number.size())
            return std::nullopt;
        text.remove_prefix(std::min(text.size(), slash + 1));
    }
    return v;
}

struct Child {
    std::string name;
    Vector3 position;
    Vector3 rotation;
};

struct Template {
    std::optional<unsigned> geometryPart;
    std::vector<Child> children;
};

std::string_view trimmed(std::string_view line) {
    while (!line.empty() && (line.back() == '\r' || line.back() == ' ' || line.back() == '\t'))
        line.remove_suffix(1);
    while (!line.empty() && (line.front() == ' ' || line.front() == '\t'))
        line.remove_prefix(1);
    return line;
}

} // namespace

Matrix scriptRotation(const Vector3& d) {
    return rotationZ(d.z * kRadians) * rotationX(d.y * kRadians) * rotationY(d.x * kRadians);
}

bool readPartPlacement(std::string_view script, std::map<unsigned, Matrix>& parts,
                       std::string& error) {
    std::map<std::string, Template, std::less<>> templates;
    std::string root;
    Template* current = nullptr;
    bool afterEmitterTemplate = false;
    std::size_t lineNumber = 0;
    while (!script.empty()) {
        const std::size_t newline = script.find('\n');
        const std::string_view line = trimmed(script.substr(0, newline));
        script.remove_prefix(newline == std::string_view::npos ? script.size() : newline + 1);
        ++lineNumber;
        const std::size_t space = line.find(' ');
        const std::string_view command = line.substr(0, space);
        const std::string_view argument =
            space == std::string_view::npos ? std::string_view() : trimmed(line.substr(space + 1));
        auto fail = [&](const std::string& why) {
            error = "line " + std::to_string(lineNumber) + ": " + why;
            return false;
        };
        if (command == "ObjectTemplate.create") {
            // An emitter's particle template follows its "template" line and is no part.
            const std::size_t nameAt = argument.find(' ');
            if (nameAt == std::string_view::npos)
                return fail("\"" + std::string(line) + "\" names no template");
            const std::string name(trimmed(argument.substr(nameAt + 1)));
            if (afterEmitterTemplate && argument.substr(0, nameAt) == "Particle") {
                current = nullptr;
                afterEmitterTemplate = false;
                continue;
            }
            current = &templates[name];
            if (root.empty())
                root = name;
        } else if (command == "ObjectTemplate.template") {
            afterEmitterTemplate = true;
            continue;
        } else if (command == "ObjectTemplate.geometryPart" && current) {
            unsigned part = 0;
            const auto result =
                std::from_chars(argument.data(), argument.data() + argument.size(), part);
            if (result.ec != std::errc() || result.ptr != argument.data() + argument.size())
                return fail("\"" + std::string(argument) + "\" is no geometry part number");
            current->geometryPart = part;
        } else if (command == "ObjectTemplate.addTemplate" && current) {
            current->children.push_back({std::string(argument), {}, {}});
        } else if ((command == "ObjectTemplate.setPosition" ||
                    command == "ObjectTemplate.setRotation") &&
                   current && !current->children.empty()) {
            const std::optional<Vector3> v = readVector(argument);
            if (!v)
                return fail("\"" + std::string(argument) + "\" is not three numbers x/y/z");
            Child& child = current->children.back();
            (command == "ObjectTemplate.setPosition" ? child.position : child.rotation) = *v;
        }
        if (!line.empty())
            afterEmitterTemplate = false;
    }
    parts.clear();
    if (root.empty())
        return true;
    bool partZeroClaimed = false;
    for (const auto& [name, t] : templates)
        partZeroClaimed = partZeroClaimed || t.geometryPart == 0u;
    if (!partZeroClaimed)
        templates[root].geometryPart = 0;
    // Depth-first from the root. The script describes a tree: a template reached a second
    // time (added twice, or inside itself) would make the walk repeat or never end.
    struct Visit {
        std::string name;
        Matrix world;
    };
    std::set<std::string, std::less<>> reached{root};
    std::vector<Visit> stack{{root, Matrix::identity()}};
    while (!stack.empty()) {
        const Visit visit = stack.back();
        stack.pop_back();
        const auto it = templates.find(visit.name);
        if (it == templates.end()) {
            error = "template \"" + visit.name + "\" is added but never created";
            return false;
        }
        if (it->second.geometryPart)
            parts.emplace(*it->second.geometryPart, visit.world);
        for (const Child& child : it->second.children) {
            if (!reached.insert(child.name).second) {
                error = "template \"" + child.name + "\" is added more than once";
                return false;
            }
            Matrix local = scriptRotation(child.rotation);
            local.translation = child.position;
            stack.push_back({child.name, local * visit.world});
        }
    }
    return true;
}

} // namespace vx::convert
