// startup.cpp -- the game window, its OpenGL context and the first render state
#include "platform/windows/shell.h"
#include "render/scene_setup.h"
#include "resources/resource_ids.h"

wchar_t windowTitle[100];
wchar_t windowClassName[100];
HWND mainWindow = nullptr;
HDC mainDC = nullptr;
HGLRC glContext = nullptr;

namespace {

void RegisterGameClass(HINSTANCE instance)
{
    WNDCLASSEXW windowClass = {};
    windowClass.cbSize = sizeof(WNDCLASSEXW);
    windowClass.style = CS_HREDRAW | CS_VREDRAW;
    windowClass.lpfnWndProc = MainWndProc;
    windowClass.cbClsExtra = 0;
    windowClass.cbWndExtra = 0;
    windowClass.hInstance = instance;
    windowClass.hIcon = LoadIconW(instance, MAKEINTRESOURCEW(IDI_KESTRELFORGES));
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    windowClass.lpszMenuName = nullptr;
    windowClass.lpszClassName = windowClassName;
    windowClass.hIconSm = LoadIconW(instance, MAKEINTRESOURCEW(IDI_SMALL));
    RegisterClassExW(&windowClass);
}

void CreateRenderingContext()
{
    mainDC = GetDC(mainWindow);

    PIXELFORMATDESCRIPTOR format;
    ZeroMemory(&format, sizeof format);
    format.nSize = sizeof(PIXELFORMATDESCRIPTOR);
    format.nVersion = 1;
    // A double-buffered OpenGL window surface.
    format.dwFlags = PFD_DRAW_TO_WINDOW | PFD_SUPPORT_OPENGL | PFD_DOUBLEBUFFER;
    format.iPixelType = PFD_TYPE_RGBA;
    // 24 colour bits, no alpha: every model is opaque.
    format.cColorBits = 24;
    // A deep depth buffer for the long road and the far hills.
    format.cDepthBits = 32;
    format.iLayerType = PFD_MAIN_PLANE;
    const int index = ChoosePixelFormat(mainDC, &format);
    SetPixelFormat(mainDC, index, &format);

    glContext = wglCreateContext(mainDC);
    wglMakeCurrent(mainDC, glContext);
}

}  // namespace

bool StartUp(HINSTANCE instance, int showCommand, HACCEL* accelerators)
{
    // Keep the display and the system awake while the game runs.
    SetThreadExecutionState(ES_CONTINUOUS | ES_DISPLAY_REQUIRED | ES_SYSTEM_REQUIRED);
    ShowCursor(FALSE);
    LoadStringW(instance, IDS_APP_TITLE, windowTitle, 100);
    LoadStringW(instance, IDC_KESTRELFORGES, windowClassName, 100);
    RegisterGameClass(instance);

    // A borderless popup over the whole primary screen, whatever its shape.
    mainWindow = CreateWindowExW(0, windowClassName, windowTitle, WS_POPUP, 0, 0, GetSystemMetrics(SM_CXSCREEN),
                                 GetSystemMetrics(SM_CYSCREEN), nullptr, nullptr, instance, nullptr);
    if (mainWindow == nullptr) {
        return false;
    }

    CreateRenderingContext();
    SetUpRenderContext(GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN));

    ShowWindow(mainWindow, showCommand);
    UpdateWindow(mainWindow);
    *accelerators = LoadAcceleratorsW(instance, MAKEINTRESOURCEW(IDC_KESTRELFORGES));
    return true;
}
