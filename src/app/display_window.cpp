#include "display_window.h"

#include <wchar.h>

#include "drill_settings.h"
#include "question_file.h"
#include "resource.h"

static_assert(sizeof(wchar_t) == sizeof(char16_t));

HINSTANCE g_hInstance;
bool g_paused;
bool g_showQuestionNext = true;

static QuestionDeck& Deck()
{
    // Made on the window's first message and freed when the program exits.
    static QuestionDeck deck;
    return deck;
}

static void ShowText(HWND window, int controlId, const char16_t* text)
{
    SetDlgItemTextW(window, controlId, reinterpret_cast<const wchar_t*>(text));
}

static void StartUp(HWND window)
{
    SelectJapaneseLocale();
    // Made once and kept for the life of the process.
    HFONT font = CreateFontW(28, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, ANSI_CHARSET, 0, 0, 0, 0, L"メイリオ");
    SendMessageW(GetDlgItem(window, IDC_QUESTION), WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    SendMessageW(GetDlgItem(window, IDC_ANSWER), WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    // The whole first drill start, settings dialog included, runs before the
    // window is ever shown: the user sees the settings dialog alone.
    SendMessageW(window, WM_START_DRILL, 0, 0);
}

static BOOL StartDrill(HWND window, QuestionDeck& deck)
{
    KillTimer(window, ID_CARD_TIMER);
    // The settings dialog has no owner, so this window stays live while it is
    // open: its buttons, close box and timer go on working, and a change of
    // questions runs another drill start inside this one. Nothing read before
    // the dialog is used after it.
    if (DialogBoxParamW(g_hInstance, MAKEINTRESOURCEW(IDD_SETTINGS), nullptr, SettingsDialogProc, 0) != 0) {
        EndDialog(window, 0);
        return FALSE;
    }
    SetDlgItemTextW(window, IDC_PAUSE, L"一時停止");
    g_paused = false;
    g_showQuestionNext = true;
    deck.Clear();
    deck.randomOrder = g_randomChosen != 0;
    deck.nextIndex = 0;

    // The title names the file even when it then fails to open.
    wchar_t title[260 + 20];
    wcsncpy(title, g_csvTitle, 259);
    title[259] = L'\0';
    wcscat(title, L" - Velquist Tarrowin");
    SetWindowTextW(window, title);

    if (!ReadQuestionFile(reinterpret_cast<const char16_t*>(g_csvPath), deck)) {
        MessageBoxW(window, L"ファイルが開けません", L"エラー", MB_OK);
        // Posted, not sent: the settings dialog comes back once this attempt has
        // returned, so failed attempts never nest.
        PostMessageW(window, WM_START_DRILL, 0, 0);
        return FALSE;
    }
    SetTimer(window, ID_CARD_TIMER, static_cast<UINT>(g_intervalMs), nullptr);
    return TRUE;
}

static void OnTick(HWND window, QuestionDeck& deck)
{
    if (g_showQuestionNext) {
        g_showQuestionNext = false;
        deck.DrawNext();        // an empty deck gives two empty texts
        ShowText(window, IDC_QUESTION, deck.questionText);
        SetDlgItemTextW(window, IDC_ANSWER, L"");
    } else {
        g_showQuestionNext = true;
        ShowText(window, IDC_ANSWER, deck.answerText);
    }
}

static void TogglePause(HWND window)
{
    if (g_paused) {
        // A fresh timer: the next step comes a full interval after the resume.
        SetTimer(window, ID_CARD_TIMER, static_cast<UINT>(g_intervalMs), nullptr);
        SetDlgItemTextW(window, IDC_PAUSE, L"一時停止");
        g_paused = false;
    } else {
        KillTimer(window, ID_CARD_TIMER);
        SetDlgItemTextW(window, IDC_PAUSE, L"再開");
        g_paused = true;
    }
}

INT_PTR CALLBACK DisplayWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM)
{
    QuestionDeck& deck = Deck();
    switch (message) {
    case WM_INITDIALOG:
        StartUp(window);
        return TRUE;

    case WM_CLOSE:
        // Takes effect once control is back in this window's own loop: a drill
        // start running underneath finishes first.
        EndDialog(window, 0);
        return TRUE;

    case WM_COMMAND:
        // The whole wParam is compared, so only clicks act. OK and Cancel (Esc)
        // do nothing: the window closes only through WM_CLOSE.
        if (wParam == IDC_PAUSE)
            TogglePause(window);
        else if (wParam == IDC_CHANGE_SET)
            SendMessageW(window, WM_START_DRILL, 0, 0);
        return TRUE;

    case WM_TIMER:
        OnTick(window, deck);
        return FALSE;

    case WM_START_DRILL:
        return StartDrill(window, deck);
    }
    return FALSE;
}
