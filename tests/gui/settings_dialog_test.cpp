// The settings dialog, used as a person uses it, in the test host that runs it the
// way the drill start does: again after every OK, until it is closed. After each
// run the host prints the result and the settings.
#include <gtest/gtest.h>

#include <ostream>

#include "resource.h"
#include "ui_driver.h"

namespace {

const std::wstring kCaption = L"Tarrowin設定";

struct Outcome {
    int result;
    int intervalMs;
    int randomChosen;
    std::wstring path;
    std::wstring title;

    friend bool operator==(const Outcome&, const Outcome&) = default;
    friend std::ostream& operator<<(std::ostream& out, const Outcome& o)
    {
        return out << "result " << o.result << ", interval " << o.intervalMs << ", random " << o.randomChosen
                   << ", path \"" << ToUtf8(o.path) << "\", title \"" << ToUtf8(o.title) << "\"";
    }
};

// What the host printed after the dialog ended.
Outcome NextOutcome(Program& host)
{
    std::wstring line = FromUtf8(host.ReadLine());
    std::wstring field[5];
    for (int i = 0, start = 0; i < 5; ++i) {
        size_t end = line.find(L'\t', start);
        field[i] = line.substr(start, end == std::wstring::npos ? end : end - start);
        start = static_cast<int>(end + 1);
    }
    return {_wtoi(field[0].c_str()), _wtoi(field[1].c_str()), _wtoi(field[2].c_str()), field[3], field[4]};
}

// A question file of the test's own, so that tests running side by side do not share one.
std::wstring MakeQuestionFile(const std::wstring& name)
{
    std::wstring folder = TestFolder() + L"files\\";
    CreateDirectoryW(folder.c_str(), nullptr);
    WriteFileBytes(folder + name, "\x8c\xa2,\x82\xa2\x82\xca\r\n");    // 犬,いぬ
    return folder + name;
}

std::wstring TestName()
{
    return FromUtf8(::testing::UnitTest::GetInstance()->current_test_info()->name());
}

void CloseAndExpectExit(Program& host, HWND settings)
{
    ClickCloseBox(settings);
    EXPECT_EQ(NextOutcome(host).result, 1);
    EXPECT_EQ(host.WaitForExit(), 0u);
}

}  // namespace

TEST(SettingsDialog, FirstOpeningShowsTheDefaultsWithTheFocusOnOk)
{
    Program host(L"settings_host.exe");
    HWND settings = host.WaitForWindow(kCaption);

    EXPECT_EQ(TextOf(settings, IDC_CSV_PATH), L"");
    EXPECT_EQ(TextOf(settings, IDC_INTERVAL), L"1250");
    EXPECT_TRUE(IsChecked(settings, IDC_IN_ORDER));
    EXPECT_FALSE(IsChecked(settings, IDC_RANDOM));
    EXPECT_EQ(host.Focused(), GetDlgItem(settings, IDOK));
    EXPECT_EQ(TextOf(settings, IDC_BROWSE), L"参照");
    EXPECT_EQ(TextOf(settings, IDC_RANDOM), L"ランダム");
    EXPECT_EQ(TextOf(settings, IDC_IN_ORDER), L"順番");

    // Closing stores nothing.
    ClickCloseBox(settings);
    EXPECT_EQ(NextOutcome(host), (Outcome{1, 0, 0, L"", L""}));
    EXPECT_EQ(host.WaitForExit(), 0u);
}

TEST(SettingsDialog, OkKeepsTheChoicesAndTheNextOpeningStartsAfreshButForTheFile)
{
    std::wstring path = MakeQuestionFile(TestName() + L"漢字.csv");
    std::wstring title = TestName() + L"漢字.csv";
    Program host(L"settings_host.exe");
    HWND settings = host.WaitForWindow(kCaption);

    BrowseTo(host, settings, IDC_BROWSE, path);
    EXPECT_EQ(TextOf(settings, IDC_CSV_PATH), path);
    TypeInto(settings, IDC_INTERVAL, L"500");
    Click(settings, IDC_RANDOM);
    Click(settings, IDOK);
    EXPECT_EQ(NextOutcome(host), (Outcome{0, 500, 1, path, title}));

    settings = host.WaitForWindow(kCaption);
    EXPECT_EQ(TextOf(settings, IDC_CSV_PATH), path);
    EXPECT_EQ(TextOf(settings, IDC_INTERVAL), L"1250");
    EXPECT_TRUE(IsChecked(settings, IDC_IN_ORDER));
    EXPECT_FALSE(IsChecked(settings, IDC_RANDOM));

    // The close box leaves the interval and the order as they were.
    ClickCloseBox(settings);
    EXPECT_EQ(NextOutcome(host), (Outcome{1, 500, 1, path, title}));
    EXPECT_EQ(host.WaitForExit(), 0u);
}

TEST(SettingsDialog, OkTakesTheIntervalFieldAsASignedNumber)
{
    struct Case {
        const wchar_t* typed;
        const wchar_t* shown;   // the field takes digits only
        int stored;
    };
    const Case cases[] = {
        {L"", L"", 0},
        {L"0", L"0", 0},
        {L"500", L"500", 500},
        {L"12a3", L"123", 123},
        {L"-40", L"40", 40},
        {L"2147483647", L"2147483647", 2147483647},
        {L"2147483648", L"2147483648", 0},    // too large for the number: none
    };
    Program host(L"settings_host.exe");
    for (const Case& c : cases) {
        SCOPED_TRACE(ToUtf8(c.typed));
        HWND settings = host.WaitForWindow(kCaption);
        TypeInto(settings, IDC_INTERVAL, c.typed);
        EXPECT_EQ(TextOf(settings, IDC_INTERVAL), c.shown);
        Click(settings, IDOK);
        EXPECT_EQ(NextOutcome(host).intervalMs, c.stored);
    }
    CloseAndExpectExit(host, host.WaitForWindow(kCaption));
}

TEST(SettingsDialog, OkWithoutAFileAcceptsAnEmptyPathAndATypedPathIsIgnored)
{
    Program host(L"settings_host.exe");
    HWND settings = host.WaitForWindow(kCaption);
    TypeInto(settings, IDC_CSV_PATH, L"C:\\typed.csv");
    Click(settings, IDOK);
    EXPECT_EQ(NextOutcome(host), (Outcome{0, 1250, 0, L"", L""}));

    std::wstring path = MakeQuestionFile(TestName() + L".csv");
    settings = host.WaitForWindow(kCaption);
    EXPECT_EQ(TextOf(settings, IDC_CSV_PATH), L"");
    BrowseTo(host, settings, IDC_BROWSE, path);
    TypeInto(settings, IDC_CSV_PATH, L"C:\\typed.csv");
    Click(settings, IDOK);
    EXPECT_EQ(NextOutcome(host).path, path);

    settings = host.WaitForWindow(kCaption);
    EXPECT_EQ(TextOf(settings, IDC_CSV_PATH), path);
    CloseAndExpectExit(host, settings);
}

TEST(SettingsDialog, EnterPressesOkAndEscDoesNothing)
{
    Program host(L"settings_host.exe");
    HWND settings = host.WaitForWindow(kCaption);

    PressKey(host.Focused(), VK_ESCAPE);
    Settle(settings, IDOK);
    EXPECT_TRUE(IsWindow(settings));

    // Enter in the interval field presses the default button, OK.
    TypeInto(settings, IDC_INTERVAL, L"800");
    PressKey(GetDlgItem(settings, IDC_INTERVAL), VK_RETURN);
    EXPECT_EQ(NextOutcome(host), (Outcome{0, 800, 0, L"", L""}));

    settings = host.WaitForWindow(kCaption);
    PressKey(host.Focused(), VK_RETURN);
    EXPECT_EQ(NextOutcome(host), (Outcome{0, 1250, 0, L"", L""}));
    CloseAndExpectExit(host, host.WaitForWindow(kCaption));
}

TEST(SettingsDialog, TheTwoOrdersExcludeEachOther)
{
    Program host(L"settings_host.exe");
    HWND settings = host.WaitForWindow(kCaption);
    struct Step {
        int clicked;
        bool random;
        bool inOrder;
    };
    const Step steps[] = {
        {IDC_RANDOM, true, false},
        {IDC_RANDOM, true, false},   // clicking the selected one keeps it
        {IDC_IN_ORDER, false, true},
        {IDC_IN_ORDER, false, true},
        {IDC_RANDOM, true, false},
    };
    for (const Step& step : steps) {
        Click(settings, step.clicked);
        Settle(settings, IDOK);
        EXPECT_EQ(IsChecked(settings, IDC_RANDOM), step.random);
        EXPECT_EQ(IsChecked(settings, IDC_IN_ORDER), step.inOrder);
    }
    Click(settings, IDOK);
    EXPECT_EQ(NextOutcome(host).randomChosen, 1);
    CloseAndExpectExit(host, host.WaitForWindow(kCaption));
}

TEST(SettingsDialog, BrowsingAgainStartsFromTheChoiceAndCancelKeepsIt)
{
    std::wstring path = MakeQuestionFile(TestName() + L".csv");
    Program host(L"settings_host.exe");
    HWND settings = host.WaitForWindow(kCaption);
    BrowseTo(host, settings, IDC_BROWSE, path);

    Click(settings, IDC_BROWSE);
    HWND open = WaitForOpenFileDialog(host);
    EXPECT_EQ(FileNameIn(open), TestName() + L".csv");
    CancelFileDialog(open);
    WaitUntilGone(open);
    EXPECT_EQ(TextOf(settings, IDC_CSV_PATH), path);

    Click(settings, IDOK);
    EXPECT_EQ(NextOutcome(host), (Outcome{0, 1250, 0, path, TestName() + L".csv"}));
    CloseAndExpectExit(host, host.WaitForWindow(kCaption));
}

TEST(SettingsDialog, ClosingAfterChoosingAFileKeepsTheFile)
{
    std::wstring path = MakeQuestionFile(TestName() + L".csv");
    Program host(L"settings_host.exe");
    HWND settings = host.WaitForWindow(kCaption);
    BrowseTo(host, settings, IDC_BROWSE, path);
    ClickCloseBox(settings);
    EXPECT_EQ(NextOutcome(host), (Outcome{1, 0, 0, path, TestName() + L".csv"}));
    EXPECT_EQ(host.WaitForExit(), 0u);
}

TEST(SettingsDialog, AChoiceThatDoesNotFitLeavesTheLastOne)
{
    std::wstring first = MakeQuestionFile(TestName() + L"1.csv");
    std::wstring second = MakeQuestionFile(TestName() + L"2.csv");
    Program host(L"settings_host.exe", L"--second-choice-does-not-fit");
    HWND settings = host.WaitForWindow(kCaption);
    BrowseTo(host, settings, IDC_BROWSE, first);
    BrowseTo(host, settings, IDC_BROWSE, second);
    EXPECT_EQ(TextOf(settings, IDC_CSV_PATH), first);
    Click(settings, IDOK);
    EXPECT_EQ(NextOutcome(host), (Outcome{0, 1250, 0, first, TestName() + L"1.csv"}));
    CloseAndExpectExit(host, host.WaitForWindow(kCaption));
}
