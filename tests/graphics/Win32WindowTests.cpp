// The window stand-in: classes and windows as handles, with the errors Windows reports.
#include <win32window.h>

#include <gtest/gtest.h>

namespace {

TEST(Win32Window, HiddenWindowLifecycleAndItsErrors) {
    WNDCLASSEXA windowClass = {};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = DefWindowProcA;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = "VornexHidden";
    ASSERT_NE(GetModuleHandleA(nullptr), nullptr);
    ASSERT_NE(RegisterClassExA(&windowClass), 0);
    windowClass.lpszClassName = "vornexhidden"; // class names ignore case
    EXPECT_EQ(RegisterClassExA(&windowClass), 0);
    EXPECT_EQ(GetLastError(), ERROR_CLASS_ALREADY_EXISTS);

    EXPECT_EQ(CreateWindowExA(0, "Elsewhere", "", WS_OVERLAPPEDWINDOW, 0, 0, 1, 1,
                              GetDesktopWindow(), nullptr, nullptr, nullptr),
              nullptr);
    EXPECT_EQ(GetLastError(), ERROR_CANNOT_FIND_WND_CLASS);
    const HWND window =
        CreateWindowExA(0, "VornexHidden", "", WS_OVERLAPPEDWINDOW, 0, 0, 1, 1, GetDesktopWindow(),
                        nullptr, windowClass.hInstance, nullptr);
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(IsWindow(window));
    EXPECT_NE(window, GetDesktopWindow());

    EXPECT_FALSE(UnregisterClassA("VornexHidden", windowClass.hInstance));
    EXPECT_EQ(GetLastError(), ERROR_CLASS_HAS_WINDOWS);
    EXPECT_TRUE(DestroyWindow(window));
    EXPECT_FALSE(IsWindow(window));
    EXPECT_FALSE(DestroyWindow(window));
    EXPECT_EQ(GetLastError(), ERROR_INVALID_WINDOW_HANDLE);
    EXPECT_FALSE(DestroyWindow(GetDesktopWindow()));
    EXPECT_TRUE(UnregisterClassA("VornexHidden", windowClass.hInstance));
    EXPECT_FALSE(UnregisterClassA("VornexHidden", windowClass.hInstance));
    EXPECT_EQ(GetLastError(), ERROR_CLASS_DOES_NOT_EXIST);
}

} // namespace
