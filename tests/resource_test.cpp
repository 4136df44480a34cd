// The resources of tarrowin.exe as built: the two dialog templates control by
// control, the icon group and the manifest, read from the program file itself.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <string_view>

#include "resource.h"

namespace {

constexpr WORD kJapanese = MAKELANGID(LANG_JAPANESE, SUBLANG_JAPANESE_JAPAN);
constexpr WORD kButton = 0x80, kEdit = 0x81, kStatic = 0x82;

struct Program {
    HMODULE module = LoadLibraryExW(L"tarrowin.exe", nullptr, LOAD_LIBRARY_AS_DATAFILE);
    ~Program() { FreeLibrary(module); }

    std::string_view Resource(const wchar_t* type, int id, WORD language) const
    {
        HRSRC found = FindResourceExW(module, type, MAKEINTRESOURCEW(id), language);
        if (!found)
            return {};
        return {static_cast<const char*>(LockResource(LoadResource(module, found))),
                SizeofResource(module, found)};
    }
};

// Reads a template in order: numbers, and the name-or-ordinal fields.
struct Reader {
    const char* at;

    template <class T> T Take()
    {
        T value;
        memcpy(&value, at, sizeof value);
        at += sizeof value;
        return value;
    }
    std::wstring Text()
    {
        std::wstring text;
        for (wchar_t unit; (unit = Take<wchar_t>()) != 0;)
            text += unit;
        return text;
    }
    // An ordinal as a number, a name as -1 (and skipped), nothing as 0.
    int NameOrOrdinal()
    {
        if (*reinterpret_cast<const WORD*>(at) == 0xFFFF) {
            Take<WORD>();
            return Take<WORD>();
        }
        return Text().empty() ? 0 : -1;
    }
    void AlignToDword(const char* start) { at += (4 - (at - start) % 4) % 4; }
};

struct Control {
    int id;
    WORD windowClass;
    std::wstring text;
    DWORD style;
    short x, y, width, height;

    friend bool operator==(const Control&, const Control&) = default;
    friend void PrintTo(const Control& c, std::ostream* out)
    {
        *out << "id " << c.id << ", class " << c.windowClass << ", text of " << c.text.size()
             << " units, style 0x" << std::hex << c.style << std::dec << ", " << c.x << "," << c.y << " "
             << c.width << "x" << c.height;
    }
};

struct Template {
    DWORD style;
    short width, height;
    std::wstring caption;
    WORD points, weight;
    BYTE italic, charset;
    std::wstring face;
    std::vector<Control> controls;

    friend bool operator==(const Template&, const Template&) = default;
    friend void PrintTo(const Template& t, std::ostream* out)
    {
        *out << "style 0x" << std::hex << t.style << std::dec << ", " << t.width << "x" << t.height << ", caption of "
             << t.caption.size() << " units, font " << t.points << " pt, weight " << t.weight << ", italic "
             << int(t.italic) << ", charset " << int(t.charset) << ", face of " << t.face.size() << " units, "
             << ::testing::PrintToString(t.controls);
    }
};

Template ReadTemplate(std::string_view bytes)
{
    Reader in{bytes.data()};
    EXPECT_EQ(in.Take<WORD>(), 1);          // extended template
    EXPECT_EQ(in.Take<WORD>(), 0xFFFF);
    EXPECT_EQ(in.Take<DWORD>(), 0u);        // help identifier
    EXPECT_EQ(in.Take<DWORD>(), 0u);        // extended style
    Template t;
    t.style = in.Take<DWORD>();
    WORD count = in.Take<WORD>();
    EXPECT_EQ(in.Take<short>(), 0);
    EXPECT_EQ(in.Take<short>(), 0);
    t.width = in.Take<short>();
    t.height = in.Take<short>();
    EXPECT_EQ(in.NameOrOrdinal(), 0);       // no menu
    EXPECT_EQ(in.NameOrOrdinal(), 0);       // the platform's dialog class
    t.caption = in.Text();
    t.points = in.Take<WORD>();
    t.weight = in.Take<WORD>();
    t.italic = in.Take<BYTE>();
    t.charset = in.Take<BYTE>();
    t.face = in.Text();
    for (int i = 0; i < count; ++i) {
        in.AlignToDword(bytes.data());
        EXPECT_EQ(in.Take<DWORD>(), 0u);    // help identifier
        EXPECT_EQ(in.Take<DWORD>(), 0u);    // extended style
        Control c;
        c.style = in.Take<DWORD>();
        c.x = in.Take<short>();
        c.y = in.Take<short>();
        c.width = in.Take<short>();
        c.height = in.Take<short>();
        c.id = static_cast<int>(in.Take<DWORD>());
        c.windowClass = static_cast<WORD>(in.NameOrOrdinal());
        c.text = in.Text();
        EXPECT_EQ(in.Take<WORD>(), 0);      // no creation data
        t.controls.push_back(c);
    }
    return t;
}

BOOL CALLBACK CountOne(HMODULE, LPCWSTR, LPWSTR, LONG_PTR count)
{
    ++*reinterpret_cast<int*>(count);
    return TRUE;
}

}  // namespace

// Both windows: a modal frame with a caption and a close box, centred, no
// minimise or maximise box, in 8-point Meiryo.
constexpr DWORD kDialogStyle = 0x80C808C0;

TEST(Resources, SettingsDialogTemplate)
{
    Program program;
    const Template expected = {kDialogStyle, 257, 41, L"Tarrowin設定", 8, 400, 0, 128, L"メイリオ", {
        {IDOK, kButton, L"OK", 0x50010001, 204, 22, 46, 12},
        {IDC_CSV_PATH, kEdit, L"", 0x50810080, 73, 7, 129, 12},
        {IDC_BROWSE, kButton, L"参照", 0x50010000, 204, 7, 46, 12},
        {-1, kStatic, L"CSVファイルへのパス", 0x50020000, 7, 9, 65, 12},
        {IDC_RANDOM, kButton, L"ランダム", 0x50000009, 35, 25, 39, 9},
        {IDC_IN_ORDER, kButton, L"順番", 0x50000009, 7, 25, 27, 9},
        {IDC_INTERVAL, kEdit, L"", 0x50812080, 116, 22, 40, 12},
        {-1, kStatic, L"間隔", 0x50020000, 96, 24, 16, 12},
        {-1, kStatic, L"ミリセコンド", 0x50020000, 159, 24, 39, 12},
    }};
    EXPECT_EQ(ReadTemplate(program.Resource(RT_DIALOG, IDD_SETTINGS, kJapanese)), expected);
}

TEST(Resources, DisplayWindowTemplate)
{
    Program program;
    const Template expected = {kDialogStyle, 447, 66, L"Tarrowin", 8, 400, 0, 128, L"メイリオ", {
        {IDC_QUESTION, kStatic, L"\u3000", 0x50020001, 7, 7, 433, 28},
        {IDC_ANSWER, kStatic, L"\u3000", 0x50020001, 77, 36, 363, 23},
        {IDC_PAUSE, kButton, L"一時停止", 0x50010000, 7, 37, 50, 11},
        {IDC_CHANGE_SET, kButton, L"問題変更", 0x50010000, 7, 48, 50, 11},
    }};
    EXPECT_EQ(ReadTemplate(program.Resource(RT_DIALOG, IDD_DISPLAY, kJapanese)), expected);
}

TEST(Resources, OneIconGroupOfFiveImagesLargestFirstAsPng)
{
    Program program;
    int groups = 0;
    EnumResourceNamesW(program.module, RT_GROUP_ICON, CountOne, reinterpret_cast<LONG_PTR>(&groups));
    EXPECT_EQ(groups, 1);

    Reader in{program.Resource(RT_GROUP_ICON, IDI_APP, kJapanese).data()};
    ASSERT_NE(in.at, nullptr);
    EXPECT_EQ(in.Take<WORD>(), 0);
    EXPECT_EQ(in.Take<WORD>(), 1);
    ASSERT_EQ(in.Take<WORD>(), 5);
    const int sizes[] = {256, 48, 32, 24, 16};
    for (int size : sizes) {
        SCOPED_TRACE(size);
        EXPECT_EQ(in.Take<BYTE>(), size % 256);     // 256 is written as 0
        EXPECT_EQ(in.Take<BYTE>(), size % 256);
        in.Take<WORD>();                             // colour count, reserved
        EXPECT_EQ(in.Take<WORD>(), 1);               // planes
        EXPECT_EQ(in.Take<WORD>(), 32);              // bits per pixel
        DWORD bytes = in.Take<DWORD>();
        WORD id = in.Take<WORD>();
        std::string_view image = program.Resource(RT_ICON, id, kJapanese);
        ASSERT_EQ(image.size(), bytes);
        if (size == 256) {
            EXPECT_EQ(image.substr(0, 8), std::string_view("\x89PNG\r\n\x1a\n", 8));
        } else {
            BITMAPINFOHEADER header;
            memcpy(&header, image.data(), sizeof header);
            EXPECT_EQ(header.biSize, sizeof header);
            EXPECT_EQ(header.biWidth, size);
            EXPECT_EQ(header.biHeight, 2 * size);    // the colours, then the mask
            EXPECT_EQ(header.biBitCount, 32);
        }
    }
}

TEST(Resources, ManifestAsksForNoElevationAndVisualStyles)
{
    Program program;
    std::string_view manifest =
        program.Resource(RT_MANIFEST, 1, MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US));
    const char* needed[] = {
        R"(level="asInvoker")",
        R"(uiAccess="false")",
        R"(name="Microsoft.Windows.Common-Controls" version="6.0.0.0")",
        R"(processorArchitecture="x86" publicKeyToken="6595b64144ccf1df" language="*")",
    };
    for (const char* text : needed)
        EXPECT_NE(manifest.find(text), std::string_view::npos) << text;
}
