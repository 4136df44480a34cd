#pragma once

// A small vocabulary for using the program's windows from another process, as a
// person would: start it, wait for its windows, read what they show, click, type,
// press keys, close, and pick a file in the platform's open-file dialog.
//
// Every wait polls and throws std::runtime_error when it runs out of time, which
// fails the test with the step that did not happen.

#include <windows.h>

#include <string>
#include <vector>

// The first window of a session can take many seconds to appear under Wine.
constexpr DWORD kStartTimeoutMs = 20000;
constexpr DWORD kTimeoutMs = 10000;

// A program started by a test. It is ended when the object goes, if it still runs.
class Program {
public:
    // Starts the program from the driver's folder; its output is kept for ReadLine.
    explicit Program(const std::wstring& exeName, const std::wstring& arguments = L"",
                     const std::wstring& workingFolder = L"");
    ~Program();
    Program(const Program&) = delete;
    Program& operator=(const Program&) = delete;

    // Its top-level window with this caption and class, once it is on screen: a
    // dialog shows once it has been set up.
    HWND WaitForWindow(const std::wstring& caption, const wchar_t* windowClass = L"#32770",
                       DWORD timeoutMs = kStartTimeoutMs) const;
    // Its top-level window with this caption and class, on screen or not, or null.
    HWND WindowNamed(const std::wstring& caption, const wchar_t* windowClass = L"#32770") const;
    // All its top-level windows of this class.
    std::vector<HWND> Windows(const wchar_t* windowClass = L"#32770") const;
    // The control of its GUI thread that has the keyboard focus, once one has it:
    // a window gets the focus only after it shows.
    HWND Focused() const;

    bool HasExited() const;
    DWORD WaitForExit(DWORD timeoutMs = kTimeoutMs) const;
    // One line of the program's output, without the line end.
    std::string ReadLine(DWORD timeoutMs = kTimeoutMs);

    HANDLE handle() const { return info_.hProcess; }

private:
    PROCESS_INFORMATION info_ = {};
    HANDLE output_ = nullptr;
    std::string buffered_;
};

// The folder of the running test program, with a trailing backslash.
std::wstring TestFolder();

// Polls until the condition holds.
template <class Condition>
void WaitUntil(const char* what, Condition condition, DWORD timeoutMs = kTimeoutMs)
{
    void WaitFailed(const char*);
    for (DWORD start = GetTickCount(); !condition();) {
        if (GetTickCount() - start > timeoutMs)
            WaitFailed(what);
        Sleep(5);
    }
}

// What a window or a control shows.
std::wstring TextOf(HWND window);
std::wstring TextOf(HWND dialog, int controlId);
bool IsChecked(HWND dialog, int controlId);
// The caption of a top-level window; empty once it has gone.
std::wstring CaptionOf(HWND window);
bool IsShown(HWND window);

// Clicks a button. Returns at once, before the click is handled: wait for what
// it does, or Settle.
void Click(HWND dialog, int controlId);
// Selects the field's whole text and types the new one over it, key by key.
void TypeInto(HWND dialog, int controlId, const std::wstring& text);
// Presses and releases a key on the control that has the focus.
void PressKey(HWND control, UINT virtualKey);
// The close box of the window's caption.
void ClickCloseBox(HWND window);
// Returns once the window's thread has handled everything sent or posted to it
// before: it pushes and releases the button out of sight and waits to see it.
void Settle(HWND dialog, int buttonId);
void WaitUntilGone(HWND window, DWORD timeoutMs = kTimeoutMs);

// The platform's open-file dialog of the program, once it is on screen.
HWND WaitForOpenFileDialog(const Program& program);
// Presses the dialog's browse button and picks the file in the open-file dialog
// that it opens; returns once that dialog has gone.
void BrowseTo(const Program& program, HWND dialog, int browseButtonId, const std::wstring& path);
// Presses Esc in it, for Cancel.
void CancelFileDialog(HWND openFileDialog);
// What its file-name field holds.
std::wstring FileNameIn(HWND openFileDialog);

// UTF-8 from the programs' output, and back, for messages.
std::wstring FromUtf8(const std::string& text);
std::string ToUtf8(const std::wstring& text);

// Saves what the screen shows of the window and the program's other windows as a BMP file.
void SaveScreenshot(HWND window, const std::wstring& bmpPath);

// Writes bytes to a file, for question files made by tests.
void WriteFileBytes(const std::wstring& path, const std::string& bytes);
