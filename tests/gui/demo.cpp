// Drives the program as a person would to the first answer of a question file,
// saving on the way what the settings dialog and the display window look like:
//   tarrowin_demo QUESTION-FILE OUTPUT-FOLDER
// writes settings.bmp and display.bmp into the output folder.
#include <stdio.h>

#include <stdexcept>

#include "resource.h"
#include "ui_driver.h"

int wmain(int argc, wchar_t** argv)
{
    if (argc != 3) {
        fputs("usage: tarrowin_demo QUESTION-FILE OUTPUT-FOLDER\n", stderr);
        return 2;
    }
    std::wstring file = argv[1], output = std::wstring(argv[2]) + L"\\";
    try {
        Program drill(L"tarrowin.exe", L"", file.substr(0, file.find_last_of(L'\\')));
        HWND settings = drill.WaitForWindow(L"Tarrowin設定");
        BrowseTo(drill, settings, IDC_BROWSE, file);
        Settle(settings, IDOK);
        SaveScreenshot(settings, output + L"settings.bmp");
        Click(settings, IDOK);

        HWND display = drill.WaitForWindow(file.substr(file.find_last_of(L'\\') + 1) + L" - Velquist Tarrowin");
        WaitUntil("the first answer shows", [&] {
            std::wstring answer = TextOf(display, IDC_ANSWER);
            return !answer.empty() && answer != L"\u3000";
        });
        Click(display, IDC_PAUSE);
        Settle(display, IDC_CHANGE_SET);
        Click(display, IDC_PAUSE);      // back to 一時停止, and the focus on it
        Settle(display, IDC_CHANGE_SET);
        SaveScreenshot(display, output + L"display.bmp");
        ClickCloseBox(display);
        return static_cast<int>(drill.WaitForExit());
    } catch (const std::exception& e) {
        fprintf(stderr, "tarrowin_demo: %s\n", e.what());
        return 1;
    }
}
