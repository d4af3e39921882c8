// startup_failure_test.cpp -- the real entry point when the game window cannot be created, and the class icons
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "platform/windows/shell.h"
#include "render/scene_setup.h"
#include "resources/resource_ids.h"

namespace {

// Creations of the game's window refused by the hook.
int refusedWindows = 0;

// A computer-based-training hook that answers nonzero to a window's creation
// makes CreateWindowExW fail: the way a real start fails for want of a window.
LRESULT CALLBACK RefuseGameWindow(int code, WPARAM wParam, LPARAM lParam)
{
    if (code == HCBT_CREATEWND) {
        wchar_t className[100] = {};
        GetClassNameW(reinterpret_cast<HWND>(wParam), className, 100);
        if (lstrcmpW(className, L"KESTRELFORGES") == 0) {
            ++refusedWindows;
            return 1;
        }
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

// The icon's colour pixels as 32-bit BGRA, top row first; empty when unreadable.
std::vector<std::uint32_t> IconPixels(HICON icon, int size)
{
    std::vector<std::uint32_t> pixels;
    ICONINFO info = {};
    if (!GetIconInfo(icon, &info)) {
        return pixels;
    }
    BITMAPINFO format = {};
    format.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    format.bmiHeader.biWidth = size;
    format.bmiHeader.biHeight = -size;
    format.bmiHeader.biPlanes = 1;
    format.bmiHeader.biBitCount = 32;
    format.bmiHeader.biCompression = BI_RGB;
    pixels.resize(static_cast<std::size_t>(size) * size);
    HDC dc = CreateCompatibleDC(nullptr);
    if (GetDIBits(dc, info.hbmColor, 0, static_cast<UINT>(size), pixels.data(), &format, DIB_RGB_COLORS) != size) {
        pixels.clear();
    }
    DeleteDC(dc);
    DeleteObject(info.hbmColor);
    DeleteObject(info.hbmMask);
    return pixels;
}

// One process, one start: wWinMain runs once, with its window refused.
TEST(StartUpFailure, NoWindowEndsTheStartWithExitCodeOne)
{
    HHOOK hook = SetWindowsHookExW(WH_CBT, RefuseGameWindow, nullptr, GetCurrentThreadId());
    ASSERT_NE(hook, nullptr);
    const int exitCode = wWinMain(GetModuleHandleW(nullptr), nullptr, GetCommandLineW(), SW_SHOW);
    UnhookWindowsHookEx(hook);

    EXPECT_EQ(refusedWindows, 1) << "start-up asked for its window once";
    EXPECT_EQ(exitCode, 1) << "a start without a window must not report success";
    // Nothing after the window: no context, no render state, no loop (which
    // would have blocked on its first fetch).
    EXPECT_EQ(mainWindow, nullptr);
    EXPECT_EQ(mainDC, nullptr);
    EXPECT_EQ(glContext, nullptr);
    EXPECT_EQ(glStage, 0);
    EXPECT_TRUE(loopRunning);

    // The class was registered before the window failed, with both icons.
    WNDCLASSEXW windowClass = {};
    windowClass.cbSize = sizeof windowClass;
    ASSERT_TRUE(GetClassInfoExW(GetModuleHandleW(nullptr), L"KESTRELFORGES", &windowClass));
    EXPECT_NE(windowClass.hIcon, nullptr);
    EXPECT_NE(windowClass.hIconSm, nullptr);
}

// The 256x256 image is PNG; the system must still load and decode it.
TEST(StartUpFailure, LargeIconLoadsAtFullSize)
{
    HICON icon = static_cast<HICON>(LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDI_KESTRELFORGES),
                                               IMAGE_ICON, 256, 256, LR_DEFAULTCOLOR));
    ASSERT_NE(icon, nullptr);
    const std::vector<std::uint32_t> pixels = IconPixels(icon, 256);
    DestroyIcon(icon);
    ASSERT_EQ(pixels.size(), 256u * 256u);
    EXPECT_EQ(pixels[128], 0xFF00E8FFu) << "opaque sky at the top centre";
    EXPECT_EQ(pixels[0] >> 24, 0u) << "the rounded corner is see-through";
    EXPECT_EQ(pixels[255u * 256u + 255u] >> 24, 0u);
}

}  // namespace
