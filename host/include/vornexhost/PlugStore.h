#pragma once
// Stored attribute values of one node. A value is held per attribute instance; arrays keep
// their elements sorted by logical index, and arrays of plain numbers keep them in one flat
// float, double or int array.
#include <vornexhost/Attribute.h>
#include <vornexhost/Data.h>

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

namespace vornexhost {

class Attribute;
struct ArrayStore;

// Mesh faces keep one of these per face: the small members come last, so that it packs into
// 64 bytes.
struct PlugStore {
    double number = 0.0;
    std::shared_ptr<const Data> data;
    std::vector<PlugStore> children;
    std::unique_ptr<ArrayStore> array;
    // For polyFaces values shared by a range of elements: which face of `data` this is.
    std::uint32_t part = 0;
    bool hasValue = false;

    // The child store of a compound instance, created on demand.
    PlugStore& childStore(unsigned childIndex);
    ArrayStore& arrayStore(const Attribute& arrayAttribute);
};

struct ArrayStore {
    enum class Packing : std::uint8_t { None, Float, Double, Int };

    explicit ArrayStore(const Attribute& arrayAttribute);

    std::size_t size() const { return logical.size(); }
    // Physical index of a logical index, or -1.
    long find(std::uint32_t logicalIndex) const;
    // Physical index of a logical index, inserting an element with default values if absent.
    std::size_t obtain(std::uint32_t logicalIndex);
    // Appends `count` elements at logical indices first..first+count-1 in one go when they all
    // follow the last element; otherwise inserts one by one. Returns the first physical index.
    // Without `fillDefaults` appended packed elements are left zero, for a caller that
    // writes them all.
    std::size_t obtainRange(std::uint32_t first, std::uint32_t count, bool fillDefaults = true);
    void removeAt(std::size_t physical);
    // Room for `count` elements in all, so that elements added later do not regrow the arrays.
    void reserve(std::size_t count);

    // A leaf of a packed element; out-of-range slots read 0 and ignore writes. Inline: these
    // sit in the loader's innermost loop.
    double number(std::size_t physical, unsigned leaf) const {
        const std::size_t i = physical * stride + leaf;
        switch (packing) {
        case Packing::Float:
            return i < floats.size() ? double(floats[i]) : 0.0;
        case Packing::Double:
            return i < doubles.size() ? doubles[i] : 0.0;
        case Packing::Int:
            return i < ints.size() ? double(ints[i]) : 0.0;
        case Packing::None:
            break;
        }
        return 0.0;
    }
    void setNumber(std::size_t physical, unsigned leaf, double value) {
        const std::size_t i = physical * stride + leaf;
        switch (packing) {
        case Packing::Float:
            if (i < floats.size())
                floats[i] = static_cast<float>(value);
            break;
        case Packing::Double:
            if (i < doubles.size())
                doubles[i] = value;
            break;
        case Packing::Int:
            if (i < ints.size())
                ints[i] = numeric::toInt(value);
            break;
        case Packing::None:
            break;
        }
    }

    const Attribute* attribute;
    Packing packing = Packing::None;
    unsigned stride = 1;
    std::vector<std::uint32_t> logical;
    std::vector<PlugStore> elements; // when not packed
    std::vector<float> floats;
    std::vector<double> doubles;
    std::vector<std::int32_t> ints;

private:
    void insertAt(std::size_t physical, std::uint32_t logicalIndex);
    double leafDefault(unsigned leaf) const;
};

} // namespace vornexhost
