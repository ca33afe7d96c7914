#include "win32window.h"

#include <map>
#include <mutex>
#include <string>

namespace {

// Class names compare without regard to ASCII case, as Windows compares them.
struct Caseless {
    bool operator()(const std::string& a, const std::string& b) const {
        const std::size_t n = std::min(a.size(), b.size());
        for (std::size_t i = 0; i < n; ++i) {
            const char x = (a[i] >= 'A' && a[i] <= 'Z') ? char(a[i] - 'A' + 'a') : a[i];
            const char y = (b[i] >= 'A' && b[i] <= 'Z') ? char(b[i] - 'A' + 'a') : b[i];
            if (x != y)
                return x < y;
        }
        return a.size() < b.size();
    }
};

struct WindowClass {
    ATOM atom = 0;
    std::size_t windows = 0;
};

struct Registry {
    std::mutex lock;
    std::map<std::string, WindowClass, Caseless> classes;
    std::map<std::uintptr_t, std::string> windows; // handle value to class name
    ATOM nextAtom = 0xC000;                        // where Windows numbers registered classes
    std::uintptr_t nextWindow = 0x10010;
};

Registry& registry() {
    static Registry instance;
    return instance;
}

thread_local DWORD t_lastError = ERROR_SUCCESS;

// The desktop is a window that always exists and is never destroyed.
const auto kDesktop = reinterpret_cast<HWND>(std::uintptr_t{0x10010 - 0x10});
// The handle of the process's own module.
const auto kProcessModule = reinterpret_cast<HINSTANCE>(std::uintptr_t{0x400000});

} // namespace

ATOM RegisterClassExA(const WNDCLASSEXA* windowClass) {
    if (!windowClass || windowClass->cbSize != sizeof(WNDCLASSEXA) || !windowClass->lpszClassName ||
        !*windowClass->lpszClassName) {
        t_lastError = ERROR_INVALID_PARAMETER;
        return 0;
    }
    Registry& r = registry();
    const std::lock_guard<std::mutex> guard(r.lock);
    auto [entry, added] = r.classes.try_emplace(windowClass->lpszClassName);
    if (!added) {
        t_lastError = ERROR_CLASS_ALREADY_EXISTS;
        return 0;
    }
    entry->second.atom = r.nextAtom++;
    return entry->second.atom;
}

BOOL UnregisterClassA(LPCSTR className, HINSTANCE) {
    Registry& r = registry();
    const std::lock_guard<std::mutex> guard(r.lock);
    const auto entry = className ? r.classes.find(className) : r.classes.end();
    if (entry == r.classes.end()) {
        t_lastError = ERROR_CLASS_DOES_NOT_EXIST;
        return FALSE;
    }
    if (entry->second.windows > 0) {
        t_lastError = ERROR_CLASS_HAS_WINDOWS;
        return FALSE;
    }
    r.classes.erase(entry);
    return TRUE;
}

HWND CreateWindowExA(DWORD, LPCSTR className, LPCSTR, DWORD, int, int, int, int, HWND parent, HMENU,
                     HINSTANCE, LPVOID) {
    Registry& r = registry();
    const std::lock_guard<std::mutex> guard(r.lock);
    const auto entry = className ? r.classes.find(className) : r.classes.end();
    if (entry == r.classes.end()) {
        t_lastError = ERROR_CANNOT_FIND_WND_CLASS;
        return nullptr;
    }
    if (parent && parent != kDesktop &&
        r.windows.find(reinterpret_cast<std::uintptr_t>(parent)) == r.windows.end()) {
        t_lastError = ERROR_INVALID_WINDOW_HANDLE;
        return nullptr;
    }
    const std::uintptr_t handle = r.nextWindow;
    r.nextWindow += 0x10;
    r.windows.emplace(handle, entry->first);
    ++entry->second.windows;
    return reinterpret_cast<HWND>(handle);
}

BOOL DestroyWindow(HWND window) {
    Registry& r = registry();
    const std::lock_guard<std::mutex> guard(r.lock);
    const auto entry = r.windows.find(reinterpret_cast<std::uintptr_t>(window));
    if (entry == r.windows.end()) {
        t_lastError = ERROR_INVALID_WINDOW_HANDLE;
        return FALSE;
    }
    const auto owner = r.classes.find(entry->second);
    if (owner != r.classes.end())
        --owner->second.windows;
    r.windows.erase(entry);
    return TRUE;
}

BOOL IsWindow(HWND window) {
    if (window == kDesktop)
        return TRUE;
    Registry& r = registry();
    const std::lock_guard<std::mutex> guard(r.lock);
    return r.windows.count(reinterpret_cast<std::uintptr_t>(window)) ? TRUE : FALSE;
}

HWND GetDesktopWindow() {
    return kDesktop;
}

HMODULE GetModuleHandleA(LPCSTR moduleName) {
    return moduleName ? nullptr : kProcessModule;
}

DWORD GetLastError() {
    return t_lastError;
}

void SetLastError(DWORD error) {
    t_lastError = error;
}

LRESULT DefWindowProcA(HWND, UINT, WPARAM, LPARAM) {
    return 0;
}
