#include "drill_settings.h"

#include <commdlg.h>
#include <string.h>

#include "resource.h"

wchar_t g_csvPath[260];
wchar_t g_csvTitle[260];
int g_intervalMs;
int g_randomChosen;

void ChooseQuestionFile()
{
    // The open-file dialog writes into the buffers even when it fails: a path too
    // long for them gets the size it needs written over its start. So the last
    // good choice is put back unless a new one was made.
    wchar_t path[260], title[260];
    memcpy(path, g_csvPath, sizeof path);
    memcpy(title, g_csvTitle, sizeof title);

    OPENFILENAMEW request = {};
    request.lStructSize = sizeof request;
    request.lpstrFilter = L"CSV(*.csv)\0*.csv\0";
    request.nFilterIndex = 1;
    request.lpstrFile = g_csvPath;      // starts the dialog at the current choice
    request.nMaxFile = 260;
    request.lpstrFileTitle = g_csvTitle;
    request.nMaxFileTitle = 260;
    request.Flags = OFN_FILEMUSTEXIST | OFN_HIDEREADONLY;
    if (!GetOpenFileNameW(&request)) {
        memcpy(g_csvPath, path, sizeof path);
        memcpy(g_csvTitle, title, sizeof title);
    }
}

INT_PTR CALLBACK SettingsDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM)
{
    switch (message) {
    case WM_INITDIALOG:
        // Every opening starts from 1250 ms in file order; only the file carries over.
        SetDlgItemInt(dialog, IDC_INTERVAL, 1250, FALSE);
        SetDlgItemTextW(dialog, IDC_CSV_PATH, g_csvPath);
        SendMessageW(GetDlgItem(dialog, IDC_IN_ORDER), BM_SETCHECK, BST_CHECKED, 0);
        return TRUE;

    case WM_CLOSE:
        EndDialog(dialog, 1);
        return TRUE;

    case WM_COMMAND:
        switch (wParam) {
        case IDOK:
            // The path field only shows the choice: what was typed there is dropped.
            g_intervalMs = static_cast<int>(GetDlgItemInt(dialog, IDC_INTERVAL, nullptr, TRUE));
            g_randomChosen = SendMessageW(GetDlgItem(dialog, IDC_RANDOM), BM_GETCHECK, 0, 0) == BST_CHECKED;
            EndDialog(dialog, 0);
            return TRUE;
        case IDC_BROWSE:
            ChooseQuestionFile();
            SetDlgItemTextW(dialog, IDC_CSV_PATH, g_csvPath);
            return TRUE;
        }
        // IDCANCEL (Esc) falls through to here: there is no way back without loading.
        return FALSE;
    }
    return FALSE;
}
