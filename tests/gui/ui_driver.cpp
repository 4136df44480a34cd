#include "ui_driver.h"

#include <dlgs.h>

#include <stdexcept>

void WaitFailed(const char* what)
{
    throw std::runtime_error(std::string("timed out waiting until ") + what);
}

std::wstring FromUtf8(const std::string& text)
{
    std::wstring wide(text.size(), L'\0');
    int n = MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), wide.data(),
                                static_cast<int>(wide.size()));
    wide.resize(n);
    return wide;
}

std::string ToUtf8(const std::wstring& text)
{
    std::string narrow(text.size() * 3, '\0');
    int n = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), narrow.data(),
                                static_cast<int>(narrow.size()), nullptr, nullptr);
    narrow.resize(n);
    return narrow;
}

std::wstring TestFolder()
{
    wchar_t path[MAX_PATH];
    DWORD n = GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring folder(path, n);
    return folder.substr(0, folder.find_last_of(L'\\') + 1);
}

void WriteFileBytes(const std::wstring& path, const std::string& bytes)
{
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        throw std::runtime_error("cannot write " + ToUtf8(path));
    DWORD written = 0;
    WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(file);
}

Program::Program(const std::wstring& exeName, const std::wstring& arguments, const std::wstring& workingFolder)
{
    SECURITY_ATTRIBUTES inheritable = {sizeof inheritable, nullptr, TRUE};
    HANDLE write = nullptr;
    CreatePipe(&output_, &write, &inheritable, 0);
    SetHandleInformation(output_, HANDLE_FLAG_INHERIT, 0);

    STARTUPINFOW startup = {};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdOutput = write;
    startup.hStdError = write;
    std::wstring commandLine = L"\"" + TestFolder() + exeName + L"\" " + arguments;
    BOOL started = CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, TRUE, CREATE_NO_WINDOW,
                                  nullptr, workingFolder.empty() ? nullptr : workingFolder.c_str(),
                                  &startup, &info_);
    CloseHandle(write);
    if (!started)
        throw std::runtime_error("cannot start " + ToUtf8(commandLine));
}

Program::~Program()
{
    if (!HasExited()) {
        TerminateProcess(info_.hProcess, 0xDEAD);
        WaitForSingleObject(info_.hProcess, kTimeoutMs);
    }
    CloseHandle(info_.hThread);
    CloseHandle(info_.hProcess);
    CloseHandle(output_);
}

bool Program::HasExited() const
{
    return WaitForSingleObject(info_.hProcess, 0) == WAIT_OBJECT_0;
}

DWORD Program::WaitForExit(DWORD timeoutMs) const
{
    if (WaitForSingleObject(info_.hProcess, timeoutMs) != WAIT_OBJECT_0)
        WaitFailed("the program exits");
    DWORD code = 0;
    GetExitCodeProcess(info_.hProcess, &code);
    return code;
}

std::string Program::ReadLine(DWORD timeoutMs)
{
    for (DWORD start = GetTickCount();;) {
        size_t end = buffered_.find('\n');
        if (end != std::string::npos) {
            std::string line = buffered_.substr(0, end);
            buffered_.erase(0, end + 1);
            if (!line.empty() && line.back() == '\r')
                line.pop_back();
            return line;
        }
        DWORD available = 0;
        if (!PeekNamedPipe(output_, nullptr, 0, nullptr, &available, nullptr) && HasExited())
            WaitFailed("the program prints a line (it has exited)");
        if (available) {
            char block[4096];
            DWORD got = 0;
            ReadFile(output_, block, available < sizeof block ? available : sizeof block, &got, nullptr);
            buffered_.append(block, got);
            continue;
        }
        if (GetTickCount() - start > timeoutMs)
            WaitFailed("the program prints a line");
        Sleep(5);
    }
}

namespace {
struct Search {
    DWORD processId;
    const wchar_t* windowClass;
    std::vector<HWND> found;
};

BOOL CALLBACK Collect(HWND window, LPARAM lParam)
{
    auto& search = *reinterpret_cast<Search*>(lParam);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    wchar_t name[64];
    if (owner == search.processId && GetClassNameW(window, name, 64) && lstrcmpW(name, search.windowClass) == 0)
        search.found.push_back(window);
    return TRUE;
}
}  // namespace

std::vector<HWND> Program::Windows(const wchar_t* windowClass) const
{
    Search search{info_.dwProcessId, windowClass, {}};
    EnumWindows(Collect, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND Program::WindowNamed(const std::wstring& caption, const wchar_t* windowClass) const
{
    for (HWND window : Windows(windowClass))
        if (CaptionOf(window) == caption)
            return window;
    return nullptr;
}

HWND Program::WaitForWindow(const std::wstring& caption, const wchar_t* windowClass, DWORD timeoutMs) const
{
    HWND window = nullptr;
    std::string what = "a window \"" + ToUtf8(caption) + "\" appears";
    WaitUntil(what.c_str(), [&] {
        if (HasExited())
            throw std::runtime_error("the program exited while waiting until " + what);
        window = WindowNamed(caption, windowClass);
        return window && IsWindowVisible(window);
    }, timeoutMs);
    return window;
}

HWND Program::Focused() const
{
    GUITHREADINFO thread = {};
    thread.cbSize = sizeof thread;
    WaitUntil("a control has the keyboard focus", [&] {
        return GetGUIThreadInfo(info_.dwThreadId, &thread) && thread.hwndFocus;
    });
    return thread.hwndFocus;
}

std::wstring TextOf(HWND window)
{
    DWORD_PTR length = 0;
    if (!SendMessageTimeoutW(window, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, kTimeoutMs, &length))
        throw std::runtime_error("a window does not answer");
    std::wstring text(length + 1, L'\0');
    DWORD_PTR copied = 0;
    SendMessageTimeoutW(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()), SMTO_ABORTIFHUNG,
                        kTimeoutMs, &copied);
    text.resize(copied);
    return text;
}

std::wstring CaptionOf(HWND window)
{
    // Read without asking the window, so a window that goes meanwhile reads as empty.
    wchar_t caption[512];
    int n = GetWindowTextW(window, caption, 512);
    return std::wstring(caption, n);
}

static HWND Control(HWND dialog, int controlId)
{
    HWND control = GetDlgItem(dialog, controlId);
    if (!control)
        throw std::runtime_error("no control " + std::to_string(controlId));
    return control;
}

std::wstring TextOf(HWND dialog, int controlId)
{
    return TextOf(Control(dialog, controlId));
}

bool IsChecked(HWND dialog, int controlId)
{
    return SendMessageW(Control(dialog, controlId), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

bool IsShown(HWND window)
{
    return IsWindowVisible(window);
}

void Click(HWND dialog, int controlId)
{
    // Posted, as the mouse's own messages are: the window's loop handles the click,
    // and looks at whether its dialog has ended once the click is done.
    PostMessageW(Control(dialog, controlId), BM_CLICK, 0, 0);
}

static void PostChar(HWND control, wchar_t unit)
{
    PostMessageW(control, WM_CHAR, unit, 1);
}

void TypeInto(HWND dialog, int controlId, const std::wstring& text)
{
    HWND field = Control(dialog, controlId);
    PostMessageW(field, EM_SETSEL, 0, -1);
    if (text.empty())
        PostChar(field, VK_BACK);
    for (wchar_t unit : text)
        PostChar(field, unit);
    Settle(dialog, IDOK);
}

void PressKey(HWND control, UINT virtualKey)
{
    // Keys go through the window's message loop, where the dialog manager sees them;
    // nothing is active without a window manager, so they are posted, not injected.
    LPARAM scan = static_cast<LPARAM>(MapVirtualKeyW(virtualKey, MAPVK_VK_TO_VSC)) << 16;
    PostMessageW(control, WM_KEYDOWN, virtualKey, scan | 1);
    PostMessageW(control, WM_KEYUP, virtualKey, scan | 1 | 0xC0000000);
}

void ClickCloseBox(HWND window)
{
    PostMessageW(window, WM_SYSCOMMAND, SC_CLOSE, 0);
}

void Settle(HWND dialog, int buttonId)
{
    // Posted messages are handled in order, after the ones before: once the button
    // shows pushed, the window has handled everything before it.
    HWND button = Control(dialog, buttonId);
    PostMessageW(button, BM_SETSTATE, TRUE, 0);
    WaitUntil("the window handles its messages", [&] {
        return (SendMessageW(button, BM_GETSTATE, 0, 0) & BST_PUSHED) != 0;
    });
    SendMessageW(button, BM_SETSTATE, FALSE, 0);
}

void WaitUntilGone(HWND window, DWORD timeoutMs)
{
    WaitUntil("a window goes away", [&] { return !IsWindow(window); }, timeoutMs);
}

// The file-name field: the edit inside the file-name combo box, or an edit of its own.
static HWND FileNameField(HWND openFileDialog)
{
    HWND field = GetDlgItem(openFileDialog, cmb13);
    for (wchar_t name[16]; field && GetClassNameW(field, name, 16) && lstrcmpW(name, L"Edit") != 0;)
        field = GetWindow(field, GW_CHILD);
    return field ? field : GetDlgItem(openFileDialog, edt1);
}

HWND WaitForOpenFileDialog(const Program& program)
{
    HWND dialog = nullptr;
    WaitUntil("the open-file dialog appears", [&] {
        for (HWND window : program.Windows())
            if (IsWindowVisible(window) && FileNameField(window))
                dialog = window;
        return dialog != nullptr;
    });
    return dialog;
}

std::wstring FileNameIn(HWND openFileDialog)
{
    return TextOf(FileNameField(openFileDialog));
}

// Puts a full path into the file-name field and presses Enter for Open.
static void ChooseFileIn(HWND openFileDialog, const std::wstring& path)
{
    // The path goes in whole, as pasted: keystrokes would race the field's
    // autocompletion, which looks through folders as their names are typed.
    HWND field = FileNameField(openFileDialog);
    SendMessageW(field, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(path.c_str()));
    // Enter presses the default button, Open. A click on it under Wine is lost when
    // the file-name box gives up the mouse as the focus leaves it.
    PressKey(field, VK_RETURN);
}

void BrowseTo(const Program& program, HWND dialog, int browseButtonId, const std::wstring& path)
{
    Click(dialog, browseButtonId);
    HWND open = WaitForOpenFileDialog(program);
    ChooseFileIn(open, path);
    WaitUntilGone(open);
}

void CancelFileDialog(HWND openFileDialog)
{
    PressKey(FileNameField(openFileDialog), VK_ESCAPE);
}

void SaveScreenshot(HWND window, const std::wstring& bmpPath)
{
    // Paint everything afresh first, so that no press or highlight the driver
    // left behind is still on screen.
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);

    // Every visible window of the program, so that a dialog over it is in the picture too.
    RECT area;
    GetWindowRect(window, &area);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    for (HWND other = GetTopWindow(nullptr); other; other = GetWindow(other, GW_HWNDNEXT)) {
        DWORD id = 0;
        GetWindowThreadProcessId(other, &id);
        RECT r;
        if (id == owner && IsWindowVisible(other) && GetWindowRect(other, &r))
            UnionRect(&area, &area, &r);
    }
    int width = area.right - area.left, height = area.bottom - area.top;

    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    void* pixels = nullptr;
    HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &pixels, nullptr, 0);
    HGDIOBJ old = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, width, height, screen, area.left, area.top, SRCCOPY);
    GdiFlush();

    DWORD rowBytes = (width * 3 + 3) & ~3u;
    BITMAPFILEHEADER file = {0x4D42, static_cast<DWORD>(sizeof file + sizeof info.bmiHeader + rowBytes * height), 0, 0,
                             sizeof file + sizeof info.bmiHeader};
    std::string bytes(reinterpret_cast<const char*>(&file), sizeof file);
    bytes.append(reinterpret_cast<const char*>(&info.bmiHeader), sizeof info.bmiHeader);
    bytes.append(static_cast<const char*>(pixels), rowBytes * height);
    WriteFileBytes(bmpPath, bytes);

    SelectObject(memory, old);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
}
