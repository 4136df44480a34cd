#include "display_window.h"

#include "resource.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int)
{
    g_hInstance = instance;
    return static_cast<int>(
        DialogBoxParamW(instance, MAKEINTRESOURCEW(IDD_DISPLAY), nullptr, DisplayWindowProc, 0));
}
