// The whole program, tarrowin.exe, used as a person uses it: the settings dialog at
// start, the card cycle in the display window, pause, change of questions, errors
// and closing, with what the windows show read back from their texts.
//
// Most scenarios run the cycle by hand: they choose the longest interval, so the
// timer never fires during the test, and post the window a timer message for each
// step. Those that are about the timer itself let it run.
#include <gtest/gtest.h>

#include <ostream>

#include "resource.h"
#include "ui_driver.h"

#include <psapi.h>

namespace {

const std::wstring kSettings = L"Tarrowin設定";
const std::wstring kTitleEnd = L" - Velquist Tarrowin";
const std::wstring kSpace = L"\u3000";      // what both lines show at start
const wchar_t kByHand[] = L"2147483647";     // an interval that never runs out in a test

// Three cards in code page 932: 犬,いぬ / 猫,ねこ / 鳥,とり. The answer, the last
// field of its line, keeps the line's end, which shows as nothing.
const char kAnimals[] = "\x8c\xa2,\x82\xa2\x82\xca\r\n"
                        "\x94L,\x82\xcb\x82\xb1\r\n"
                        "\x92\xb9,\x82\xc6\x82\xe8\r\n";
// Two cards: 空,そら / 海,うみ
const char kNature[] = "\x8b\xf3,\x82\xbb\x82\xe7\r\n"
                       "\x8a" "C,\x82\xa4\x82\xdd\r\n";

struct Lines {
    std::wstring question;
    std::wstring answer;

    friend bool operator==(const Lines&, const Lines&) = default;
    friend std::ostream& operator<<(std::ostream& out, const Lines& lines)
    {
        return out << "question \"" << ToUtf8(lines.question) << "\", answer \"" << ToUtf8(lines.answer) << "\"";
    }
};

Lines Showing(HWND display)
{
    return {TextOf(display, IDC_QUESTION), TextOf(display, IDC_ANSWER)};
}

std::wstring TestName()
{
    return FromUtf8(::testing::UnitTest::GetInstance()->current_test_info()->name());
}

// A question file of the test's own; returns its full path.
std::wstring QuestionFile(const std::wstring& name, const std::string& bytes)
{
    std::wstring folder = TestFolder() + L"files\\";
    CreateDirectoryW(folder.c_str(), nullptr);
    WriteFileBytes(folder + name, bytes);
    return folder + name;
}

// Fills in the settings dialog that is open and presses OK: the file, if one is
// given, through the open-file dialog, then the interval and the order.
void Confirm(Program& drill, const std::wstring& path, const wchar_t* interval, bool random = false)
{
    HWND settings = drill.WaitForWindow(kSettings);
    if (!path.empty())
        BrowseTo(drill, settings, IDC_BROWSE, path);
    TypeInto(settings, IDC_INTERVAL, interval);
    if (random)
        Click(settings, IDC_RANDOM);
    Click(settings, IDOK);
    WaitUntilGone(settings);
}

// The display window, on screen or not: the program's dialog with a question line.
HWND DisplayOf(const Program& drill)
{
    HWND display = nullptr;
    WaitUntil("the display window exists", [&] {
        for (HWND window : drill.Windows())
            if (GetDlgItem(window, IDC_QUESTION))
                display = window;
        return display != nullptr;
    });
    return display;
}

HWND ShownDisplayOf(const Program& drill)
{
    HWND display = DisplayOf(drill);
    WaitUntil("the display window shows", [&] { return IsShown(display); });
    return display;
}

std::wstring FileName(const std::wstring& path)
{
    return path.substr(path.find_last_of(L'\\') + 1);
}

// One step of the cycle, as the card timer gives it.
void Tick(HWND display)
{
    PostMessageW(display, WM_TIMER, 100, 0);
    Settle(display, IDC_CHANGE_SET);
}

void WaitForLines(HWND display, const Lines& expected, DWORD timeoutMs = kTimeoutMs)
{
    std::string what = "the window shows " + ::testing::PrintToString(expected);
    WaitUntil(what.c_str(), [&] { return Showing(display) == expected; }, timeoutMs);
}

// Confirms the first settings and returns the display window once it shows.
HWND StartDrill(Program& drill, const std::wstring& path, const wchar_t* interval, bool random = false)
{
    Confirm(drill, path, interval, random);
    return ShownDisplayOf(drill);
}

// Confirms the settings of a change of questions, and returns once the drill
// start that ran them has finished.
void ConfirmChange(Program& drill, HWND display, const std::wstring& path, const wchar_t* interval)
{
    Confirm(drill, path, interval);
    Settle(display, IDC_CHANGE_SET);
}

// The settings dialog that a change of questions opens over the one already open.
HWND SecondSettingsDialog(const Program& drill, HWND first)
{
    HWND second = nullptr;
    WaitUntil("a second settings dialog opens", [&] {
        for (HWND window : drill.Windows())
            if (window != first && IsShown(window) && CaptionOf(window) == kSettings)
                second = window;
        return second != nullptr;
    });
    return second;
}

void CloseAndExpectExitCodeZero(Program& drill, HWND display)
{
    ClickCloseBox(display);
    EXPECT_EQ(drill.WaitForExit(), 0u);
}

}  // namespace

TEST(Drill, StartsWithTheSettingsDialogAloneAndClosingItEndsTheProgram)
{
    Program drill(L"tarrowin.exe");
    HWND settings = drill.WaitForWindow(kSettings);
    HWND display = drill.WindowNamed(L"Tarrowin");
    ASSERT_NE(display, nullptr);
    EXPECT_FALSE(IsShown(display));
    EXPECT_EQ(Showing(display), (Lines{kSpace, kSpace}));

    // The window ends without ever showing.
    ClickCloseBox(settings);
    bool shown = false;
    WaitUntil("the program exits", [&] {
        shown = shown || (IsWindow(display) && IsShown(display));
        return drill.HasExited();
    });
    EXPECT_FALSE(shown);
    EXPECT_EQ(drill.WaitForExit(), 0u);
}

TEST(Drill, OkWithoutAFileShowsTheErrorOwnedByTheHiddenWindowThenTheSettingsAgain)
{
    Program drill(L"tarrowin.exe");
    Confirm(drill, L"", L"1250");
    HWND error = drill.WaitForWindow(L"エラー");
    HWND display = DisplayOf(drill);

    EXPECT_EQ(TextOf(error, 0xFFFF), L"ファイルが開けません");
    EXPECT_EQ(GetWindow(error, GW_OWNER), display);
    EXPECT_TRUE(IsWindowVisible(GetDlgItem(error, IDOK)));
    EXPECT_FALSE(IsWindowVisible(GetDlgItem(error, IDCANCEL)));
    EXPECT_EQ(SendMessageW(GetDlgItem(error, 0x0440), STM_GETICON, 0, 0), 0);     // no icon
    EXPECT_EQ(TextOf(display), kTitleEnd);
    EXPECT_FALSE(IsShown(display));

    Click(error, IDOK);
    HWND settings = drill.WaitForWindow(kSettings);
    EXPECT_FALSE(IsShown(display));
    ClickCloseBox(settings);
    EXPECT_EQ(drill.WaitForExit(), 0u);
}

TEST(Drill, GoesThroughThreeCardsInFileOrderAndBackToTheFirst)
{
    std::wstring path = QuestionFile(TestName() + L"動物.csv", kAnimals);
    Program drill(L"tarrowin.exe");
    HWND display = StartDrill(drill, path, kByHand);

    EXPECT_EQ(TextOf(display), FileName(path) + kTitleEnd);
    EXPECT_EQ(Showing(display), (Lines{kSpace, kSpace}));
    EXPECT_EQ(drill.Focused(), GetDlgItem(display, IDC_PAUSE));
    EXPECT_EQ(TextOf(display, IDC_PAUSE), L"一時停止");
    EXPECT_EQ(TextOf(display, IDC_CHANGE_SET), L"問題変更");

    const Lines steps[] = {
        {L"犬", L""}, {L"犬", L"いぬ\n"}, {L"猫", L""}, {L"猫", L"ねこ\n"},
        {L"鳥", L""}, {L"鳥", L"とり\n"}, {L"犬", L""}, {L"犬", L"いぬ\n"},
    };
    for (const Lines& expected : steps) {
        Tick(display);
        EXPECT_EQ(Showing(display), expected);
    }
    CloseAndExpectExitCodeZero(drill, display);
}

TEST(Drill, TheTimerStepsTheCycleByItself)
{
    std::wstring path = QuestionFile(TestName() + L".csv", kAnimals);
    Program drill(L"tarrowin.exe");
    HWND display = StartDrill(drill, path, L"300");
    WaitForLines(display, {L"犬", L""});
    WaitForLines(display, {L"犬", L"いぬ\n"});
    WaitForLines(display, {L"猫", L""});
    CloseAndExpectExitCodeZero(drill, display);
}

TEST(Drill, RandomOrderDrawsTheSameSequenceInEveryRun)
{
    std::wstring path = QuestionFile(TestName() + L".csv", kAnimals);
    Program drill(L"tarrowin.exe");
    HWND display = StartDrill(drill, path, kByHand, true);

    std::wstring questions;
    for (int draw = 0; draw < 5; ++draw) {
        Tick(display);
        questions += Showing(display).question;
        Tick(display);
    }
    EXPECT_EQ(questions, L"鳥鳥猫猫鳥");
    CloseAndExpectExitCodeZero(drill, display);
}

TEST(Drill, PauseHoldsEitherPhaseAndResumeWaitsAFullInterval)
{
    const DWORD interval = 300;
    std::wstring path = QuestionFile(TestName() + L".csv", kAnimals);
    Program drill(L"tarrowin.exe");
    HWND display = StartDrill(drill, path, L"300");
    HWND pause = GetDlgItem(display, IDC_PAUSE);

    struct Round {
        const char* phase;
        Lines held;
        Lines next;
        bool byKey;     // the Space key on the focused button, or a click
    };
    const Round rounds[] = {
        {"answer due", {L"犬", L""}, {L"犬", L"いぬ\n"}, false},
        {"question due", {L"犬", L"いぬ\n"}, {L"猫", L""}, true},
        {"answer due, by key", {L"猫", L""}, {L"猫", L"ねこ\n"}, true},
        {"question due, by click", {L"猫", L"ねこ\n"}, {L"鳥", L""}, false},
    };
    for (const Round& round : rounds) {
        SCOPED_TRACE(round.phase);
        WaitForLines(display, round.held);
        if (round.byKey) {
            ASSERT_EQ(drill.Focused(), pause);
            PressKey(pause, VK_SPACE);
        } else {
            Click(display, IDC_PAUSE);
        }
        Settle(display, IDC_CHANGE_SET);
        EXPECT_EQ(TextOf(display, IDC_PAUSE), L"再開");
        // A pause only shows by nothing happening: give the timer several periods.
        Sleep(3 * interval);
        EXPECT_EQ(Showing(display), round.held);

        DWORD resumed = GetTickCount();
        if (round.byKey)
            PressKey(pause, VK_SPACE);
        else
            Click(display, IDC_PAUSE);
        Settle(display, IDC_CHANGE_SET);
        EXPECT_EQ(TextOf(display, IDC_PAUSE), L"一時停止");
        WaitForLines(display, round.next);
        EXPECT_GE(GetTickCount() - resumed, interval - 20);
    }
    CloseAndExpectExitCodeZero(drill, display);
}

TEST(Drill, ChangeOfQuestionsKeepsTheOldCardUntilTheFirstStepOfTheNewFile)
{
    std::wstring first = QuestionFile(TestName() + L"1.csv", kAnimals);
    std::wstring second = QuestionFile(TestName() + L"2.csv", kNature);
    Program drill(L"tarrowin.exe");
    HWND display = StartDrill(drill, first, kByHand);
    Tick(display);
    Tick(display);
    Click(display, IDC_PAUSE);
    Settle(display, IDC_CHANGE_SET);

    Click(display, IDC_CHANGE_SET);
    HWND settings = drill.WaitForWindow(kSettings);
    EXPECT_EQ(TextOf(settings, IDC_CSV_PATH), first);
    EXPECT_EQ(Showing(display), (Lines{L"犬", L"いぬ\n"}));
    ConfirmChange(drill, display, second, kByHand);

    EXPECT_EQ(TextOf(display), FileName(second) + kTitleEnd);
    EXPECT_EQ(TextOf(display, IDC_PAUSE), L"一時停止");
    EXPECT_EQ(Showing(display), (Lines{L"犬", L"いぬ\n"}));
    Tick(display);
    EXPECT_EQ(Showing(display), (Lines{L"空", L""}));
    Tick(display);
    EXPECT_EQ(Showing(display), (Lines{L"空", L"そら\n"}));
    CloseAndExpectExitCodeZero(drill, display);
}

TEST(Drill, AFileThatFailsToOpenAfterAChangeLeavesTheOldCardAndAnEmptyDeck)
{
    std::wstring first = QuestionFile(TestName() + L"1.csv", kAnimals);
    std::wstring gone = QuestionFile(TestName() + L"消えた.csv", kNature);
    Program drill(L"tarrowin.exe");
    HWND display = StartDrill(drill, first, kByHand);
    Tick(display);
    Tick(display);

    // The file goes away between the choice and the loading.
    Click(display, IDC_CHANGE_SET);
    HWND settings = drill.WaitForWindow(kSettings);
    BrowseTo(drill, settings, IDC_BROWSE, gone);
    ASSERT_TRUE(DeleteFileW(gone.c_str()));
    Click(settings, IDOK);

    HWND error = drill.WaitForWindow(L"エラー");
    EXPECT_EQ(TextOf(display), FileName(gone) + kTitleEnd);
    EXPECT_EQ(Showing(display), (Lines{L"犬", L"いぬ\n"}));
    Click(error, IDOK);

    // Back in the settings: a tick that comes now meets an empty deck.
    settings = drill.WaitForWindow(kSettings);
    Tick(display);
    EXPECT_EQ(Showing(display), (Lines{L"", L""}));
    Tick(display);
    EXPECT_EQ(Showing(display), (Lines{L"", L""}));
    ClickCloseBox(settings);
    EXPECT_EQ(drill.WaitForExit(), 0u);
}

TEST(Drill, AnEmptyFileGivesEmptyLines)
{
    std::wstring path = QuestionFile(TestName() + L".csv", "");
    Program drill(L"tarrowin.exe");
    HWND display = StartDrill(drill, path, kByHand);
    for (int step = 0; step < 4; ++step) {
        Tick(display);
        EXPECT_EQ(Showing(display), (Lines{L"", L""}));
    }
    CloseAndExpectExitCodeZero(drill, display);
}

TEST(Drill, EscDoesNothingAndTheCloseBoxEndsIt)
{
    std::wstring path = QuestionFile(TestName() + L".csv", kAnimals);
    Program drill(L"tarrowin.exe");
    HWND display = StartDrill(drill, path, kByHand);

    PressKey(drill.Focused(), VK_ESCAPE);
    Settle(display, IDC_CHANGE_SET);
    EXPECT_TRUE(IsShown(display));
    EXPECT_EQ(TextOf(display, IDC_PAUSE), L"一時停止");
    EXPECT_FALSE(drill.HasExited());

    CloseAndExpectExitCodeZero(drill, display);
}

TEST(Drill, AnIntervalOfZeroStepsEveryTenMilliseconds)
{
    std::wstring path = QuestionFile(TestName() + L".csv", kAnimals);
    Program drill(L"tarrowin.exe");
    HWND display = StartDrill(drill, path, L"0");
    // Six steps to the last answer, then round again: quick, whatever the load.
    WaitForLines(display, {L"鳥", L"とり\n"}, 2000);
    WaitForLines(display, {L"犬", L"いぬ\n"}, 2000);
    CloseAndExpectExitCodeZero(drill, display);
}

TEST(Drill, WhileTheSettingsAreOpenTheWindowStaysLive)
{
    std::wstring first = QuestionFile(TestName() + L"1.csv", kAnimals);
    std::wstring second = QuestionFile(TestName() + L"2.csv", kNature);
    Program drill(L"tarrowin.exe");
    HWND display = StartDrill(drill, first, L"100");
    WaitForLines(display, {L"犬", L"いぬ\n"});

    // Changing questions stops the timer, but a pause and a resume start it again:
    // the old cards go on under the open settings dialog.
    Click(display, IDC_CHANGE_SET);
    HWND settings = drill.WaitForWindow(kSettings);
    Click(display, IDC_PAUSE);
    Settle(display, IDC_CHANGE_SET);
    EXPECT_EQ(TextOf(display, IDC_PAUSE), L"再開");
    Click(display, IDC_PAUSE);
    WaitForLines(display, {L"猫", L"ねこ\n"});
    EXPECT_TRUE(IsWindow(settings));

    ConfirmChange(drill, display, second, L"100");
    EXPECT_EQ(TextOf(display), FileName(second) + kTitleEnd);
    WaitForLines(display, {L"空", L"そら\n"});
    CloseAndExpectExitCodeZero(drill, display);
}

TEST(Drill, ClosingWhileTheSettingsAreOpenEndsOnceTheyAreDone)
{
    std::wstring first = QuestionFile(TestName() + L"1.csv", kAnimals);
    std::wstring second = QuestionFile(TestName() + L"2.csv", kNature);
    Program drill(L"tarrowin.exe");
    HWND display = StartDrill(drill, first, kByHand);

    Click(display, IDC_CHANGE_SET);
    HWND settings = drill.WaitForWindow(kSettings);
    ClickCloseBox(display);
    Settle(display, IDC_CHANGE_SET);
    EXPECT_TRUE(IsWindow(settings));
    EXPECT_FALSE(drill.HasExited());

    // The confirmed reload still runs to its end, then the program ends.
    Confirm(drill, second, kByHand);
    EXPECT_EQ(drill.WaitForExit(), 0u);
}

TEST(Drill, NestedChangesOfQuestionsFinishInnermostFirst)
{
    std::wstring first = QuestionFile(TestName() + L"1.csv", kAnimals);
    std::wstring second = QuestionFile(TestName() + L"2.csv", kNature);
    Program drill(L"tarrowin.exe");
    HWND display = StartDrill(drill, first, kByHand);

    Click(display, IDC_CHANGE_SET);
    HWND outer = drill.WaitForWindow(kSettings);
    Click(display, IDC_CHANGE_SET);
    HWND inner = SecondSettingsDialog(drill, outer);

    // The inner one loads the second file; the outer one, confirmed after it,
    // reloads whatever is chosen by then, the second file too.
    BrowseTo(drill, inner, IDC_BROWSE, second);
    Click(inner, IDOK);
    WaitUntilGone(inner);
    Settle(display, IDC_CHANGE_SET);
    EXPECT_EQ(TextOf(display), FileName(second) + kTitleEnd);
    EXPECT_EQ(TextOf(outer, IDC_CSV_PATH), first);

    Click(outer, IDOK);
    WaitUntilGone(outer);
    Settle(display, IDC_CHANGE_SET);
    Tick(display);
    EXPECT_EQ(Showing(display), (Lines{L"空", L""}));

    // Closing any of the nested dialogs ends the program once all are done.
    Click(display, IDC_CHANGE_SET);
    outer = drill.WaitForWindow(kSettings);
    Click(display, IDC_CHANGE_SET);
    inner = SecondSettingsDialog(drill, outer);
    ClickCloseBox(inner);
    WaitUntilGone(inner);
    EXPECT_FALSE(drill.HasExited());
    Click(outer, IDOK);
    EXPECT_EQ(drill.WaitForExit(), 0u);
}

// Thousands of steps and dozens of reloads in one run must not make the program
// grow: its memory and its window and drawing objects stay within a small bound.
TEST(Drill, ManyStepsAndReloadsKeepTheProgramsSize)
{
    std::wstring path = QuestionFile(TestName() + L".csv", kAnimals);
    Program drill(L"tarrowin.exe");
    HWND display = StartDrill(drill, path, L"0");

    struct Size {
        SIZE_T memory;
        DWORD drawingObjects;
        DWORD windowObjects;
    };
    auto measure = [&] {
        PROCESS_MEMORY_COUNTERS counters = {};
        counters.cb = sizeof counters;
        GetProcessMemoryInfo(drill.handle(), &counters, sizeof counters);
        return Size{counters.PagefileUsage, GetGuiResources(drill.handle(), GR_GDIOBJECTS),
                    GetGuiResources(drill.handle(), GR_USEROBJECTS)};
    };
    auto reload = [&] {
        Click(display, IDC_CHANGE_SET);
        ConfirmChange(drill, display, L"", L"0");
    };
    auto steps = [&] {
        for (int step = 0; step < 500; ++step)
            PostMessageW(display, WM_TIMER, 100, 0);
        Settle(display, IDC_CHANGE_SET);
    };

    // A first round settles what is made once: the open-file dialog's pieces, caches.
    reload();
    steps();
    Size before = measure();
    for (int round = 0; round < 30; ++round) {
        reload();
        steps();
    }
    Size after = measure();
    printf("memory %u -> %u bytes, GDI objects %lu -> %lu, USER objects %lu -> %lu\n",
           static_cast<unsigned>(before.memory), static_cast<unsigned>(after.memory), before.drawingObjects,
           after.drawingObjects, before.windowObjects, after.windowObjects);

    EXPECT_LT(after.memory, before.memory + 2 * 1024 * 1024);
    EXPECT_LE(after.drawingObjects, before.drawingObjects + 10);
    EXPECT_LE(after.windowObjects, before.windowObjects + 10);
    EXPECT_EQ(TextOf(display), FileName(path) + kTitleEnd);
    CloseAndExpectExitCodeZero(drill, display);
}
