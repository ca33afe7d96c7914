#pragma once
// A list of a few plain values held inside the object: a scene keeps one per vertex (its UV
// indices) and one per polygon (its corners), hundreds of thousands of each, and almost all of
// them fit in a handful of values. Held inside, they cost no allocation when made, copied or
// freed; longer lists move to the heap and behave the same.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <initializer_list>
#include <iterator>
#include <new>
#include <type_traits>

namespace vx {

template <class T, std::size_t N>
class InlineList {
    static_assert(std::is_trivially_copyable_v<T> && N > 0);

public:
    using value_type = T;
    using size_type = std::size_t;
    using iterator = T*;
    using const_iterator = const T*;

    InlineList() = default;
    InlineList(std::initializer_list<T> values) { assign(values.begin(), values.end()); }
    InlineList(const InlineList& other) { assign(other.begin(), other.end()); }
    InlineList(InlineList&& other) noexcept { take(other); }
    ~InlineList() { release(); }

    InlineList& operator=(const InlineList& other) {
        if (this != &other)
            assign(other.begin(), other.end());
        return *this;
    }
    InlineList& operator=(InlineList&& other) noexcept {
        if (this != &other) {
            release();
            take(other);
        }
        return *this;
    }
    InlineList& operator=(std::initializer_list<T> values) {
        assign(values.begin(), values.end());
        return *this;
    }

    std::size_t size() const { return m_size; }
    bool empty() const { return m_size == 0; }
    std::size_t capacity() const { return onHeap() ? m_capacity : N; }
    T* data() { return onHeap() ? m_heap : m_inline; }
    const T* data() const { return onHeap() ? m_heap : m_inline; }
    T* begin() { return data(); }
    T* end() { return data() + m_size; }
    const T* begin() const { return data(); }
    const T* end() const { return data() + m_size; }
    T& operator[](std::size_t i) { return data()[i]; }
    const T& operator[](std::size_t i) const { return data()[i]; }
    T& back() { return data()[m_size - 1]; }
    const T& back() const { return data()[m_size - 1]; }

    void reserve(std::size_t count) {
        if (count <= capacity())
            return;
        if (count > std::size_t{UINT32_MAX})
            throw std::bad_alloc();
        T* grown = static_cast<T*>(::operator new(count * sizeof(T)));
        if (m_size > 0)
            std::memcpy(grown, data(), m_size * sizeof(T));
        release();
        m_heap = grown;
        m_capacity = static_cast<std::uint32_t>(count);
    }
    void push_back(const T& value) {
        if (m_size == capacity()) {
            const T copy = value; // `value` may lie in the storage that is about to move
            reserve(std::max<std::size_t>(2 * capacity(), N));
            data()[m_size++] = copy;
            return;
        }
        data()[m_size++] = value;
    }
    void resize(std::size_t count, const T& value = T()) {
        if (count > capacity()) {
            const T copy = value;
            reserve(count);
            std::fill(end(), data() + count, copy);
        } else if (count > m_size) {
            std::fill(end(), data() + count, value);
        }
        m_size = static_cast<std::uint32_t>(count);
    }
    void clear() { m_size = 0; }
    template <class It>
    void assign(It first, It last) {
        const auto count = static_cast<std::size_t>(std::distance(first, last));
        m_size = 0;
        reserve(count);
        std::copy(first, last, data());
        m_size = static_cast<std::uint32_t>(count);
    }

    friend bool operator==(const InlineList& a, const InlineList& b) {
        return std::equal(a.begin(), a.end(), b.begin(), b.end());
    }

private:
    bool onHeap() const { return m_capacity > N; }
    void release() {
        if (onHeap())
            ::operator delete(m_heap);
        m_capacity = 0;
    }
    // Takes other's values, leaving it empty and inline.
    void take(InlineList& other) {
        m_size = other.m_size;
        m_capacity = other.m_capacity;
        if (other.onHeap())
            m_heap = other.m_heap;
        else
            std::memcpy(m_inline, other.m_inline, sizeof m_inline);
        other.m_size = 0;
        other.m_capacity = 0;
    }

    std::uint32_t m_size = 0;
    // 0 .. N: the values are inline; above N: the heap block's capacity.
    std::uint32_t m_capacity = 0;
    union {
        T m_inline[N] = {};
        T* m_heap;
    };
};

} // namespace vx
