// probe.cpp -- looks at the running game from another Windows process, for the attract sequence and the end-to-end tests
//
//   probe window            class, title, rectangle, style and visibility of the game window
//   probe dialog            the help dialog's visibility, caption and the texts of its two boxes
//   probe ok-button         the screen rectangle of the help dialog's OK button
//   probe press-ok          presses the help dialog's OK button (BM_CLICK), wherever the dialog is
//   probe focus             the title of the foreground window and the focus owner's class
//   probe cursor            whether the cursor is showing
//   probe quit-thread       posts WM_QUIT to the game's thread
//   probe close-flood <n>   posts WM_CLOSE n times to the game window
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cwchar>
#include <string>

namespace {

std::string Utf8(const wchar_t* text)
{
    const int size = WideCharToMultiByte(CP_UTF8, 0, text, -1, nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<size_t>(size > 0 ? size - 1 : 0), '\0');
    if (size > 1) {
        WideCharToMultiByte(CP_UTF8, 0, text, -1, out.data(), size, nullptr, nullptr);
    }
    return out;
}

HWND GameWindow()
{
    return FindWindowW(L"KESTRELFORGES", nullptr);
}

HWND HelpDialog()
{
    // The predefined dialog class, captioned "MENU".
    return FindWindowW(MAKEINTATOM(0x8002), L"MENU");
}

int Window()
{
    const HWND window = GameWindow();
    if (window == nullptr) {
        std::puts("window=none");
        return 1;
    }
    wchar_t className[256] = {};
    wchar_t title[256] = {};
    GetClassNameW(window, className, 256);
    GetWindowTextW(window, title, 256);
    RECT rect = {};
    GetWindowRect(window, &rect);
    std::printf("class=%s\ntitle=%s\nx=%ld\ny=%ld\nwidth=%ld\nheight=%ld\nstyle=%08lx\nvisible=%d\n",
                Utf8(className).c_str(), Utf8(title).c_str(), rect.left, rect.top, rect.right - rect.left,
                rect.bottom - rect.top, static_cast<unsigned long>(GetWindowLongW(window, GWL_STYLE)),
                IsWindowVisible(window) ? 1 : 0);
    return 0;
}

int Dialog()
{
    const HWND dialog = HelpDialog();
    if (dialog == nullptr) {
        std::puts("dialog=none");
        return 1;
    }
    wchar_t text[2048] = {};
    std::printf("visible=%d\n", IsWindowVisible(dialog) ? 1 : 0);
    GetWindowTextW(dialog, text, 2048);
    std::printf("caption=%s\n", Utf8(text).c_str());
    GetDlgItemTextW(dialog, 1001, text, 2048);
    std::printf("upper=%s\n", Utf8(text).c_str());
    GetDlgItemTextW(dialog, 1000, text, 2048);
    std::printf("lower=%s\n", Utf8(text).c_str());
    return 0;
}

int OkButton()
{
    const HWND dialog = HelpDialog();
    const HWND button = dialog != nullptr ? GetDlgItem(dialog, IDOK) : nullptr;
    if (button == nullptr) {
        std::puts("button=none");
        return 1;
    }
    RECT rect = {};
    GetWindowRect(button, &rect);
    std::printf("x=%ld\ny=%ld\nwidth=%ld\nheight=%ld\n", rect.left, rect.top, rect.right - rect.left,
                rect.bottom - rect.top);
    return 0;
}

int PressOk()
{
    const HWND dialog = HelpDialog();
    const HWND button = dialog != nullptr ? GetDlgItem(dialog, IDOK) : nullptr;
    if (button == nullptr) {
        return 1;
    }
    SendMessageW(button, BM_CLICK, 0, 0);
    return 0;
}

int Focus()
{
    wchar_t title[256] = {};
    GetWindowTextW(GetForegroundWindow(), title, 256);
    std::printf("foreground=%s\n", Utf8(title).c_str());
    return 0;
}

int Cursor()
{
    CURSORINFO info = {};
    info.cbSize = sizeof info;
    GetCursorInfo(&info);
    std::printf("showing=%d\n", (info.flags & CURSOR_SHOWING) != 0 ? 1 : 0);
    return 0;
}

int QuitThread()
{
    const HWND window = GameWindow();
    if (window == nullptr) {
        return 1;
    }
    const DWORD thread = GetWindowThreadProcessId(window, nullptr);
    return PostThreadMessageW(thread, WM_QUIT, 0, 0) ? 0 : 1;
}

int CloseFlood(int count)
{
    const HWND window = GameWindow();
    if (window == nullptr) {
        return 1;
    }
    int posted = 0;
    for (int i = 0; i < count; ++i) {
        if (PostMessageW(window, WM_CLOSE, 0, 0)) {
            ++posted;
        }
    }
    std::printf("posted=%d\n", posted);
    return 0;
}

}  // namespace

int main(int argc, char** argv)
{
    const std::string command = argc > 1 ? argv[1] : "";
    if (command == "window") {
        return Window();
    }
    if (command == "dialog") {
        return Dialog();
    }
    if (command == "ok-button") {
        return OkButton();
    }
    if (command == "press-ok") {
        return PressOk();
    }
    if (command == "focus") {
        return Focus();
    }
    if (command == "cursor") {
        return Cursor();
    }
    if (command == "quit-thread") {
        return QuitThread();
    }
    if (command == "close-flood" && argc > 2) {
        return CloseFlood(std::atoi(argv[2]));
    }
    std::fputs("usage: probe window|dialog|ok-button|press-ok|focus|cursor|quit-thread|close-flood <n>\n", stderr);
    return 2;
}
