#pragma once

#include <windows.h>

// Runs a drill start: the settings dialog, then the chosen file into the deck.
// Sent by the display window to itself; posted to retry after a failed open.
constexpr UINT WM_START_DRILL = WM_APP + 100;
// The timer that steps the card cycle.
constexpr UINT_PTR ID_CARD_TIMER = 100;

extern HINSTANCE g_hInstance;
extern bool g_paused;               // the user paused the cycle
extern bool g_showQuestionNext;     // the next tick draws a card; otherwise it shows the answer

// The display window, IDD_DISPLAY: the current card and the card cycle.
INT_PTR CALLBACK DisplayWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
