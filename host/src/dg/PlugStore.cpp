#include <vornexhost/Attribute.h>
#include <vornexhost/PlugStore.h>

#include <algorithm>
#include <limits>

namespace vornexhost {

PlugStore& PlugStore::childStore(unsigned childIndex) {
    if (children.size() <= childIndex)
        children.resize(childIndex + 1);
    return children[childIndex];
}

ArrayStore& PlugStore::arrayStore(const Attribute& arrayAttribute) {
    if (!array)
        array = std::make_unique<ArrayStore>(arrayAttribute);
    return *array;
}

namespace {

ArrayStore::Packing packingOf(const Attribute& a) {
    if (!a.packsElements())
        return ArrayStore::Packing::None;
    bool allInt = true;
    bool allFloat = true;
    auto visit = [&](const Attribute& leaf) {
        if (!numeric::isInteger(leaf.numericType))
            allInt = false;
        if (leaf.numericType != numeric::kFloat)
            allFloat = false;
    };
    if (a.children.empty())
        visit(a);
    else
        for (const auto& c : a.children)
            visit(*c);
    if (allInt)
        return ArrayStore::Packing::Int;
    return allFloat ? ArrayStore::Packing::Float : ArrayStore::Packing::Double;
}

// Copies the `stride` values at `from` over every later element of `values`.
template <typename T>
void repeatFirstElement(std::vector<T>& values, std::size_t from, unsigned stride) {
    for (std::size_t at = from + stride; at + stride <= values.size(); at += stride)
        std::copy_n(values.begin() + static_cast<std::ptrdiff_t>(from), stride,
                    values.begin() + static_cast<std::ptrdiff_t>(at));
}

} // namespace

ArrayStore::ArrayStore(const Attribute& arrayAttribute)
    : attribute(&arrayAttribute), packing(packingOf(arrayAttribute)),
      stride(arrayAttribute.packedStride()) {}

long ArrayStore::find(std::uint32_t logicalIndex) const {
    if (!logical.empty() && logical.back() < logicalIndex)
        return -1;
    const auto it = std::lower_bound(logical.begin(), logical.end(), logicalIndex);
    if (it == logical.end() || *it != logicalIndex)
        return -1;
    return static_cast<long>(it - logical.begin());
}

double ArrayStore::leafDefault(unsigned leaf) const {
    if (attribute->children.empty())
        return attribute->defaultValue;
    return leaf < attribute->children.size() ? attribute->children[leaf]->defaultValue : 0.0;
}

void ArrayStore::insertAt(std::size_t physical, std::uint32_t logicalIndex) {
    logical.insert(logical.begin() + static_cast<std::ptrdiff_t>(physical), logicalIndex);
    const auto at = static_cast<std::ptrdiff_t>(physical * stride);
    switch (packing) {
    case Packing::None:
        elements.insert(elements.begin() + static_cast<std::ptrdiff_t>(physical), PlugStore());
        return;
    case Packing::Float:
        floats.insert(floats.begin() + at, stride, 0.0f);
        break;
    case Packing::Double:
        doubles.insert(doubles.begin() + at, stride, 0.0);
        break;
    case Packing::Int:
        ints.insert(ints.begin() + at, stride, 0);
        break;
    }
    for (unsigned leaf = 0; leaf < stride; ++leaf)
        setNumber(physical, leaf, leafDefault(leaf));
}

std::size_t ArrayStore::obtain(std::uint32_t logicalIndex) {
    if (logical.empty() || logical.back() < logicalIndex) {
        insertAt(logical.size(), logicalIndex);
        return logical.size() - 1;
    }
    const auto it = std::lower_bound(logical.begin(), logical.end(), logicalIndex);
    const auto physical = static_cast<std::size_t>(it - logical.begin());
    if (it == logical.end() || *it != logicalIndex)
        insertAt(physical, logicalIndex);
    return physical;
}

std::size_t ArrayStore::obtainRange(std::uint32_t first, std::uint32_t count, bool fillDefaults) {
    if (count == 0)
        return obtain(first);
    if (!logical.empty() && logical.back() >= first) {
        const std::size_t start = obtain(first);
        for (std::uint32_t i = 1; i < count; ++i)
            obtain(first + i);
        return start;
    }
    // The common case: a range appended after everything so far, grown in one step.
    const std::size_t start = logical.size();
    logical.reserve(start + count);
    for (std::uint32_t i = 0; i < count; ++i)
        logical.push_back(first + i);
    const std::size_t newSize = (start + count) * stride;
    switch (packing) {
    case Packing::None:
        elements.resize(start + count);
        return start;
    case Packing::Float:
        floats.resize(newSize);
        break;
    case Packing::Double:
        doubles.resize(newSize);
        break;
    case Packing::Int:
        ints.resize(newSize);
        break;
    }
    if (fillDefaults) {
        // The first new element gets the defaults; the others are copies of it.
        for (unsigned leaf = 0; leaf < stride; ++leaf)
            setNumber(start, leaf, leafDefault(leaf));
        switch (packing) {
        case Packing::Float:
            repeatFirstElement(floats, start * stride, stride);
            break;
        case Packing::Double:
            repeatFirstElement(doubles, start * stride, stride);
            break;
        case Packing::Int:
            repeatFirstElement(ints, start * stride, stride);
            break;
        case Packing::None:
            break;
        }
    }
    return start;
}

void ArrayStore::reserve(std::size_t count) {
    if (count > std::numeric_limits<std::size_t>::max() / (stride + 1u))
        return;
    logical.reserve(count);
    switch (packing) {
    case Packing::None:
        elements.reserve(count);
        break;
    case Packing::Float:
        floats.reserve(count * stride);
        break;
    case Packing::Double:
        doubles.reserve(count * stride);
        break;
    case Packing::Int:
        ints.reserve(count * stride);
        break;
    }
}

void ArrayStore::removeAt(std::size_t physical) {
    if (physical >= logical.size())
        return;
    logical.erase(logical.begin() + static_cast<std::ptrdiff_t>(physical));
    const auto at = static_cast<std::ptrdiff_t>(physical * stride);
    const auto end = at + static_cast<std::ptrdiff_t>(stride);
    switch (packing) {
    case Packing::None:
        elements.erase(elements.begin() + static_cast<std::ptrdiff_t>(physical));
        break;
    case Packing::Float:
        floats.erase(floats.begin() + at, floats.begin() + end);
        break;
    case Packing::Double:
        doubles.erase(doubles.begin() + at, doubles.begin() + end);
        break;
    case Packing::Int:
        ints.erase(ints.begin() + at, ints.begin() + end);
        break;
    }
}

} // namespace vornexhost
