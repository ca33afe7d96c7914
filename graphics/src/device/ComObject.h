#pragma once
// Reference counting shared by the stand-in's Direct3D objects. AddRef and Release count the
// caller's references; hold and unhold count internal ones (a binding on a device, a texture
// set on an effect) that keep the object alive without showing in the returned counts.
#include "win32types.h"

#include <utility>

namespace vornexgfx {

template <class Interface>
class ComObject : public Interface {
public:
    ULONG AddRef() override {
        ++m_refs;
        if (m_refs + m_holds == 1)
            firstUse();
        return m_refs;
    }
    ULONG Release() override {
        if (m_refs == 0)
            return 0; // an unbalanced Release must not free what internal holders still use
        const ULONG left = --m_refs;
        if (left + m_holds == 0)
            lastUse();
        return left;
    }
    void hold() {
        ++m_holds;
        if (m_refs + m_holds == 1)
            firstUse();
    }
    void unhold() {
        if (m_holds == 0)
            return;
        --m_holds;
        if (m_refs + m_holds == 0)
            lastUse();
    }

protected:
    // Objects start with one caller reference, except those owned by a container (texture
    // levels), which start unused.
    explicit ComObject(ULONG initialReferences = 1) : m_refs(initialReferences) {}
    // Called when the first reference or hold appears on an unused object.
    virtual void firstUse() {}
    // Called when the last reference or hold is gone; objects of their own delete themselves.
    virtual void lastUse() { delete this; }

private:
    ULONG m_refs;
    ULONG m_holds = 0;
};

// An internal hold on a stand-in object, released when replaced or destroyed.
template <class T>
class Held {
public:
    Held() = default;
    explicit Held(T* object) : m_object(object) {
        if (m_object)
            m_object->hold();
    }
    Held(const Held& other) : Held(other.m_object) {}
    Held(Held&& other) noexcept : m_object(std::exchange(other.m_object, nullptr)) {}
    Held& operator=(Held other) noexcept {
        std::swap(m_object, other.m_object);
        return *this;
    }
    ~Held() {
        if (m_object)
            m_object->unhold();
    }
    T* get() const { return m_object; }
    T* operator->() const { return m_object; }
    T& operator*() const { return *m_object; }
    explicit operator bool() const { return m_object != nullptr; }

private:
    T* m_object = nullptr;
};

} // namespace vornexgfx
