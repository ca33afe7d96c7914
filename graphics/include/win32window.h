#pragma once
// The window services of the Win32 stand-in: window classes and windows as handles only. No
// window is ever shown and no message is ever sent; the calls exist so that code which needs a
// hidden device window reads as it would on Windows. Failures set the thread's last error.
#include "win32types.h"

using WNDPROC = LRESULT (*)(HWND, UINT, WPARAM, LPARAM);

struct WNDCLASSEXA {
    UINT cbSize;
    UINT style;
    WNDPROC lpfnWndProc;
    int cbClsExtra;
    int cbWndExtra;
    HINSTANCE hInstance;
    HICON hIcon;
    HCURSOR hCursor;
    HBRUSH hbrBackground;
    LPCSTR lpszMenuName;
    LPCSTR lpszClassName;
    HICON hIconSm;
};

inline constexpr UINT CS_VREDRAW = 0x0001;
inline constexpr UINT CS_HREDRAW = 0x0002;
inline constexpr UINT CS_OWNDC = 0x0020;
inline constexpr UINT CS_CLASSDC = 0x0040;
inline constexpr DWORD WS_OVERLAPPED = 0x00000000;
inline constexpr DWORD WS_POPUP = 0x80000000;
inline constexpr DWORD WS_CHILD = 0x40000000;
inline constexpr DWORD WS_VISIBLE = 0x10000000;
inline constexpr DWORD WS_OVERLAPPEDWINDOW = 0x00CF0000;
inline constexpr int CW_USEDEFAULT = static_cast<int>(0x80000000u);

inline constexpr DWORD ERROR_SUCCESS = 0;
inline constexpr DWORD ERROR_INVALID_PARAMETER = 87;
inline constexpr DWORD ERROR_INVALID_WINDOW_HANDLE = 1400;
inline constexpr DWORD ERROR_CANNOT_FIND_WND_CLASS = 1407;
inline constexpr DWORD ERROR_CLASS_ALREADY_EXISTS = 1410;
inline constexpr DWORD ERROR_CLASS_DOES_NOT_EXIST = 1411;
inline constexpr DWORD ERROR_CLASS_HAS_WINDOWS = 1412;

// Registers a class by its name (compared without regard to ASCII case, as Windows does).
// Returns its atom, or 0 (ERROR_CLASS_ALREADY_EXISTS, ERROR_INVALID_PARAMETER).
ATOM RegisterClassExA(const WNDCLASSEXA* windowClass);
// Fails (ERROR_CLASS_DOES_NOT_EXIST) for an unknown class and (ERROR_CLASS_HAS_WINDOWS) while
// windows of the class exist.
BOOL UnregisterClassA(LPCSTR className, HINSTANCE instance);
// A window of a registered class; null (ERROR_CANNOT_FIND_WND_CLASS) otherwise. The parent, when
// given, must be the desktop or a live window (ERROR_INVALID_WINDOW_HANDLE).
HWND CreateWindowExA(DWORD exStyle, LPCSTR className, LPCSTR windowName, DWORD style, int x, int y,
                     int width, int height, HWND parent, HMENU menu, HINSTANCE instance,
                     LPVOID parameter);
BOOL DestroyWindow(HWND window);
// Whether `window` is a live window made by CreateWindowExA (the desktop counts).
BOOL IsWindow(HWND window);
HWND GetDesktopWindow();
// The process's own module for null; other names are not modules of this stand-in (null).
HMODULE GetModuleHandleA(LPCSTR moduleName);
DWORD GetLastError();
void SetLastError(DWORD error);
LRESULT DefWindowProcA(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
