#include "tests/host/StoredValues.h"

#include <vornexhost/Attribute.h>
#include <vornexhost/Data.h>
#include <vornexhost/Node.h>

#include <cstdint>
#include <cstring>
#include <map>
#include <type_traits>
#include <vector>

namespace vornexhost::test {

namespace {

// Numbers by their bits, so that -0 and NaN payloads count too.
void put(std::string& out, double v) {
    std::uint64_t bits = 0;
    std::memcpy(&bits, &v, sizeof bits);
    out += std::to_string(bits);
    out += ' ';
}

template <class T>
void putAll(std::string& out, const std::vector<T>& values) {
    out += '[';
    for (const T& v : values) {
        if constexpr (std::is_floating_point_v<T>) {
            put(out, static_cast<double>(v));
        } else {
            out += std::to_string(v);
            out += ' ';
        }
    }
    out += ']';
}

void putCorners(std::string& out, const CornerIds& ids) {
    putAll(out, ids.firstRun);
    for (const CornerIds::Run& r : ids.runs)
        out += std::to_string(r.set) + ':' + std::to_string(r.first) + ' ';
    putAll(out, ids.ids);
}

void putData(std::string& out, const Data& d) {
    out += dataKindName(d.kind);
    out += " \"" + d.text + "\"";
    for (const std::string& s : d.strings)
        out += " \"" + s + "\"";
    putAll(out, d.numbers);
    putAll(out, d.ints);
    out += " curve " + std::to_string(d.curve.degree) + ' ' + std::to_string(d.curve.spans) + ' ' +
           std::to_string(d.curve.form) + ' ' + std::to_string(d.curve.rational) + ' ' +
           std::to_string(d.curve.dimension);
    putAll(out, d.curve.knots);
    putAll(out, d.curve.cvs);
    out += " faces";
    putAll(out, d.faces.faceFirstLoop);
    putAll(out, d.faces.loopFirstEdge);
    putAll(out, d.faces.edges);
    putCorners(out, d.faces.uvs);
    putCorners(out, d.faces.colors);
}

// Data shared by many elements (the faces of a range) is written once, then named by number.
using Seen = std::map<const Data*, std::size_t>;

void putStore(std::string& out, const PlugStore& store, Seen& seen) {
    out += '{';
    if (store.hasValue)
        put(out, store.number);
    if (store.data) {
        const auto [at, added] = seen.emplace(store.data.get(), seen.size());
        if (added)
            putData(out, *store.data);
        out += " data " + std::to_string(at->second) + " part " + std::to_string(store.part);
    }
    for (const PlugStore& child : store.children)
        putStore(out, child, seen);
    if (const ArrayStore* a = store.array.get()) {
        out += " array " + std::to_string(static_cast<int>(a->packing)) + ' ' +
               std::to_string(a->stride);
        putAll(out, a->logical);
        putAll(out, a->floats);
        putAll(out, a->doubles);
        putAll(out, a->ints);
        for (const PlugStore& e : a->elements)
            putStore(out, e, seen);
    }
    out += '}';
}

} // namespace

std::string storedValues(const Scene& scene) {
    std::string out;
    Seen seen;
    for (const auto& node : scene.nodes()) {
        out += node->name() + ' ' + node->type().name + '\n';
        for (unsigned i = 0; i < node->attributeCount(); ++i) {
            const Attribute* a = node->attributeAt(i);
            if (a->parent)
                continue;
            if (const PlugStore* store = node->findTopStore(*a)) {
                out += "  " + a->longName + ' ';
                putStore(out, *store, seen);
                out += '\n';
            }
        }
    }
    return out;
}

} // namespace vornexhost::test
