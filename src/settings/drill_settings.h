#pragma once

#include <windows.h>

// What the user chose in the settings dialog. They live as long as the process
// and start out zero; nothing is saved.
extern wchar_t g_csvPath[260];      // full path of the question file
extern wchar_t g_csvTitle[260];     // its name, without the folder
extern int g_intervalMs;
extern int g_randomChosen;          // 1 random order, 0 file order

// The settings dialog, IDD_SETTINGS. Ends with 0 on OK and 1 when closed.
INT_PTR CALLBACK SettingsDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

// Lets the user pick the question file in the platform's open-file dialog.
void ChooseQuestionFile();
