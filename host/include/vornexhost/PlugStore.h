#pragma once
// Stored attribute values of one node. A value is held per attribute instance; arrays keep
// their elements sorted by logical index, and arrays of plain numbers keep them in one flat
// float, double or int array.
#include <vornexhost/Data.h>

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

namespace vornexhost {

class Attribute;
struct ArrayStore;

struct PlugStore {
    bool hasValue = false;
    double number = 0.0;
    std::shared_ptr<const Data> data;
    // For polyFaces values shared by a range of elements: which face of `data` this is.
    std::uint32_t part = 0;
    std::vector<PlugStore> children;
    std::unique_ptr<ArrayStore> array;

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
    std::size_t obtainRange(std::uint32_t first, std::uint32_t count);
    void removeAt(std::size_t physical);

    double number(std::size_t physical, unsigned leaf) const;
    void setNumber(std::size_t physical, unsigned leaf, double value);

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
