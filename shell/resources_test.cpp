// The game's menu, version record and manifest as the program carries them.
#include <windows.h>

#include <gtest/gtest.h>

#include <iterator>
#include <string>
#include <vector>

#include "shell/resource.h"
#include "shell/settings.h"
#include "tests/support/manifest_testing.h"

namespace {

struct MenuRow {
    int depth;  // 0 the bar, 1 a popup of the bar, 2 a popup within that
    const wchar_t* text;
    int id;  // -1 for a popup, 0 for a separator
};

constexpr MenuRow kMenu[] = {
    {0, L"ゲーム", -1},
    {1, L"新しいゲーム F2", IDM_NEW_GAME},
    {1, L"ゲーム選択  F3", IDM_GAME_SELECT},
    {1, L"はじめから", IDM_RESTART},
    {1, L"", 0},
    {1, L"効果音", -1},
    {2, L"ON", IDM_SOUND_ON},
    {2, L"OFF", IDM_SOUND_OFF},
    {1, L"", 0},
    {1, L"ゲームを止める", IDM_QUIT},
    {0, L"一手戻る", IDM_UNDO},
    {0, L"取った牌", IDM_HISTORY},
    {0, L"ヒント", IDM_HINT},
    {0, L"答え", IDM_ANSWER},
    {0, L"ヘルプ", -1},
    {1, L"バージョン情報", IDM_ABOUT},
    {1, L"説明ファイルを読む F1", IDM_HELP_FILE},
    {1, L"作者のホームページ", IDM_HOME_PAGE},
    {0, L"★ひと休み★", IDM_SCREENSAVER},
};

// The menu flattened in the order of the table above.
void Flatten(HMENU menu, int depth, std::vector<MenuRow>& rows, std::vector<std::wstring>& texts) {
    const int count = GetMenuItemCount(menu);
    for (int i = 0; i < count; ++i) {
        wchar_t text[64] = {};
        MENUITEMINFOW info = {};
        info.cbSize = sizeof info;
        info.fMask = MIIM_FTYPE | MIIM_ID | MIIM_SUBMENU | MIIM_STRING;
        info.dwTypeData = text;
        info.cch = 64;
        GetMenuItemInfoW(menu, static_cast<UINT>(i), TRUE, &info);
        wchar_t byString[64] = {};
        GetMenuStringW(menu, static_cast<UINT>(i), byString, 64, MF_BYPOSITION);
        EXPECT_STREQ(text, byString);
        texts.emplace_back(text);
        const int id = info.hSubMenu != nullptr ? -1 : (info.fType & MFT_SEPARATOR) ? 0 : static_cast<int>(info.wID);
        rows.push_back({depth, nullptr, id});
        if (info.hSubMenu != nullptr) {
            Flatten(info.hSubMenu, depth + 1, rows, texts);
        }
    }
}

TEST(Resources, MenuBarHasTheTextsAndCommandsInOrder) {
    HMENU menu = LoadMenuW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDM_MAIN_MENU));
    ASSERT_NE(menu, nullptr);
    EXPECT_EQ(GetMenuItemCount(menu), 7);
    std::vector<MenuRow> rows;
    std::vector<std::wstring> texts;
    Flatten(menu, 0, rows, texts);
    DestroyMenu(menu);
    ASSERT_EQ(rows.size(), std::size(kMenu));
    for (std::size_t i = 0; i < rows.size(); ++i) {
        EXPECT_EQ(rows[i].depth, kMenu[i].depth) << "row " << i;
        EXPECT_EQ(texts[i], kMenu[i].text) << "row " << i;
        EXPECT_EQ(rows[i].id, kMenu[i].id) << "row " << i;
    }
}

TEST(Resources, VersionRecordReadsBackInJapanese) {
    const std::wstring program = GetProgramPath();
    DWORD ignored = 0;
    const DWORD size = GetFileVersionInfoSizeW(program.c_str(), &ignored);
    ASSERT_GT(size, 0u);
    std::vector<char> record(size);
    ASSERT_NE(GetFileVersionInfoW(program.c_str(), 0, size, record.data()), 0);

    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT length = 0;
    ASSERT_NE(VerQueryValueW(record.data(), L"\\", reinterpret_cast<void**>(&fixed), &length), 0);
    EXPECT_EQ(fixed->dwFileVersionMS, 0x00020005u);
    EXPECT_EQ(fixed->dwFileVersionLS, 0x00000003u);
    EXPECT_EQ(fixed->dwProductVersionMS, 0x00020005u);
    EXPECT_EQ(fixed->dwProductVersionLS, 0x00000000u);

    WORD* translation = nullptr;
    ASSERT_NE(VerQueryValueW(record.data(), L"\\VarFileInfo\\Translation", reinterpret_cast<void**>(&translation),
                             &length),
              0);
    ASSERT_GE(length, 4u);
    EXPECT_EQ(translation[0], 0x0411) << "Japanese";

    wchar_t block[64];
    std::swprintf(block, 64, L"\\StringFileInfo\\%04x%04x\\", translation[0], translation[1]);
    const struct {
        const wchar_t* key;
        const wchar_t* value;
    } strings[] = {
        {L"FileDescription", L"麻雀牌パズル"}, {L"Comments", L"麻雀牌パズル"}, {L"ProductName", L"Zenmora"},
        {L"InternalName", L"Zenmora"},         {L"OriginalFilename", L"zmr.exe"},
    };
    for (const auto& expected : strings) {
        wchar_t* value = nullptr;
        const std::wstring key = std::wstring(block) + expected.key;
        ASSERT_NE(VerQueryValueW(record.data(), key.c_str(), reinterpret_cast<void**>(&value), &length), 0)
            << testing::PrintToString(key);
        EXPECT_STREQ(value, expected.value) << testing::PrintToString(key);
    }
}

TEST(Resources, ManifestRunsAsInvokerOnEverySystemWithTheClassicControls) {
    EXPECT_EQ(manifest_testing::Problems(), std::vector<std::string>{});
    const std::string manifest = manifest_testing::ProgramManifest();
    EXPECT_NE(manifest.find("uiAccess=\"false\""), std::string::npos);
    EXPECT_EQ(manifest.find("Common-Controls"), std::string::npos);
}

}  // namespace
