// Runs the settings dialog the way the drill start does, over and over until it
// is closed, and after each run prints its result and the settings, tab-separated
// and in UTF-8, for the GUI tests to read.
//
// With --second-choice-does-not-fit, the second file chosen in the open-file
// dialog fails the way it does on Windows when its path needs more room than the
// buffer: the call returns FALSE with the size it needs written over the start of
// the path. Wine's dialog refuses such paths before that, so it is played here.
#include <windows.h>

#include <commdlg.h>
#include <stdio.h>
#include <string.h>

#include "drill_settings.h"
#include "resource.h"

static void Print(const wchar_t* text)
{
    char utf8[1100];
    WideCharToMultiByte(CP_UTF8, 0, text, -1, utf8, sizeof utf8, nullptr, nullptr);
    fputs(utf8, stdout);
}

// The import address the settings dialog calls the open-file dialog through.
extern "C" decltype(&GetOpenFileNameW) importedGetOpenFileName __asm__("__imp__GetOpenFileNameW@4");
static decltype(&GetOpenFileNameW) platformGetOpenFileName;

static BOOL WINAPI SecondChoiceDoesNotFit(OPENFILENAMEW* request)
{
    static int choices;
    if (!platformGetOpenFileName(request))
        return FALSE;
    if (++choices < 2)
        return TRUE;
    *reinterpret_cast<WORD*>(request->lpstrFile) = 300;
    return FALSE;
}

int main(int argc, char** argv)
{
    if (argc > 1 && strcmp(argv[1], "--second-choice-does-not-fit") == 0) {
        DWORD protection;
        VirtualProtect(&importedGetOpenFileName, sizeof importedGetOpenFileName, PAGE_READWRITE, &protection);
        platformGetOpenFileName = importedGetOpenFileName;
        importedGetOpenFileName = SecondChoiceDoesNotFit;
    }
    HINSTANCE instance = GetModuleHandleW(nullptr);
    INT_PTR result;
    do {
        result = DialogBoxParamW(instance, MAKEINTRESOURCEW(IDD_SETTINGS), nullptr, SettingsDialogProc, 0);
        printf("%d\t%d\t%d\t", static_cast<int>(result), g_intervalMs, g_randomChosen);
        Print(g_csvPath);
        fputs("\t", stdout);
        Print(g_csvTitle);
        fputs("\n", stdout);
        fflush(stdout);
    } while (result == 0);
    return 0;
}
