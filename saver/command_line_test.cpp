// The screensaver's command line: every documented form, a corpus of tricky lines, exit codes, and a million random lines.
#include "saver/command_line.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <limits>
#include <ostream>
#include <random>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

namespace {

constexpr std::uint64_t kMaxHandle = std::numeric_limits<std::uint64_t>::max();

const char* ModeName(SaverMode mode) {
    switch (mode) {
        case SaverMode::None: return "none";
        case SaverMode::Configure: return "configure";
        case SaverMode::FullScreen: return "full";
        case SaverMode::Preview: return "preview";
        case SaverMode::ChangePassword: return "password";
    }
    return "?";
}

// Each byte becomes one wide character of the same value, as a line of
// ASCII and Latin-1 text reads in UTF-16.
std::wstring Widened(const std::string& line) {
    std::wstring wide;
    for (const char c : line) wide.push_back(static_cast<wchar_t>(static_cast<unsigned char>(c)));
    return wide;
}

std::string Printable(const std::string& line) {
    std::string text;
    for (const char c : line) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte >= 0x20 && byte < 0x7f) {
            text.push_back(c);
        } else {
            char escape[8];
            std::snprintf(escape, sizeof escape, "\\x%02x", byte);
            text += escape;
        }
    }
    return text;
}

}  // namespace

bool operator==(const SaverCommandLine& a, const SaverCommandLine& b) {
    return a.mode == b.mode && a.handle == b.handle && a.hasHandle == b.hasHandle;
}

std::ostream& operator<<(std::ostream& out, const SaverCommandLine& c) {
    out << ModeName(c.mode);
    if (c.hasHandle) out << ' ' << c.handle;
    if (!c.hasHandle && c.handle != 0) out << " (handle " << c.handle << " without hasHandle)";
    return out;
}

namespace {

SaverCommandLine Expected(SaverMode mode) { return {mode, 0, false}; }
SaverCommandLine Expected(SaverMode mode, std::uint64_t handle) { return {mode, handle, true}; }

// Parses the narrow line and its widened copy; both must agree, so the
// tests of either cover both.
SaverCommandLine Parse(const std::string& line) {
    const SaverCommandLine narrow = ParseSaverCommandLine(std::string_view(line));
    const SaverCommandLine wide = ParseSaverCommandLine(std::wstring_view(Widened(line)));
    EXPECT_EQ(narrow, wide) << "narrow and wide disagree on \"" << Printable(line) << '"';
    return narrow;
}

struct Example {
    std::string_view line;
    SaverCommandLine expected;
};

using namespace std::literals;

const Example kExamples[] = {
    // Full screen: any separator, either case, leading blanks, trailing text.
    {"mahjong.scr /s", Expected(SaverMode::FullScreen)},
    {"mahjong.scr /S", Expected(SaverMode::FullScreen)},
    {"mahjong.scr -S", Expected(SaverMode::FullScreen)},
    {"mahjong.scr -s", Expected(SaverMode::FullScreen)},
    {"mahjong.scr s", Expected(SaverMode::FullScreen)},
    {"mahjong.scr S", Expected(SaverMode::FullScreen)},
    {"mahjong.scr      s", Expected(SaverMode::FullScreen)},
    {"mahjong.scr \t \ts", Expected(SaverMode::FullScreen)},
    {"mahjong.scr --//- /s", Expected(SaverMode::FullScreen)},
    {"mahjong.scr /screensaver 1234", Expected(SaverMode::FullScreen)},
    // Configure: nothing, 'c', 'c' with an owner right after ':'.
    {"mahjong.scr", Expected(SaverMode::Configure)},
    {"mahjong.scr ", Expected(SaverMode::Configure)},
    {"mahjong.scr  - / ", Expected(SaverMode::Configure)},
    {"", Expected(SaverMode::Configure)},
    {"mahjong.scr /c", Expected(SaverMode::Configure)},
    {"mahjong.scr /C", Expected(SaverMode::Configure)},
    {"mahjong.scr /c:5678", Expected(SaverMode::Configure, 5678)},
    {"mahjong.scr -C:5678x", Expected(SaverMode::Configure, 5678)},
    {"mahjong.scr /c:0", Expected(SaverMode::Configure, 0)},
    {"mahjong.scr /c 5678", Expected(SaverMode::Configure)},
    {"mahjong.scr /c: 5678", Expected(SaverMode::Configure)},
    {"mahjong.scr /c:", Expected(SaverMode::Configure)},
    // Preview with 'p' or 'l'; blanks after the letter are skipped.
    {"mahjong.scr /p 1234", Expected(SaverMode::Preview, 1234)},
    {"mahjong.scr /P 1234", Expected(SaverMode::Preview, 1234)},
    {"mahjong.scr /l 1234", Expected(SaverMode::Preview, 1234)},
    {"mahjong.scr /L1234", Expected(SaverMode::Preview, 1234)},
    {"mahjong.scr /p \t 1234 5678", Expected(SaverMode::Preview, 1234)},
    {"mahjong.scr /p 12ab34", Expected(SaverMode::Preview, 12)},
    {"mahjong.scr /p 0", Expected(SaverMode::Preview, 0)},
    {"mahjong.scr /p", Expected(SaverMode::Preview)},
    {"mahjong.scr /p   ", Expected(SaverMode::Preview)},
    {"mahjong.scr /p abc", Expected(SaverMode::Preview)},
    {"mahjong.scr /p -1234", Expected(SaverMode::Preview)},
    {"mahjong.scr /p +1234", Expected(SaverMode::Preview)},
    {"mahjong.scr /pl 1234", Expected(SaverMode::Preview)},
    // Handles at the edge of 64 bits: the largest fits, one more is rejected;
    // leading zeros do not count towards overflow.
    {"mahjong.scr /p 18446744073709551615", Expected(SaverMode::Preview, kMaxHandle)},
    {"mahjong.scr /p 18446744073709551616", Expected(SaverMode::Preview)},
    {"mahjong.scr /p 99999999999999999999", Expected(SaverMode::Preview)},
    {"mahjong.scr /p 184467440737095516150", Expected(SaverMode::Preview)},
    {"mahjong.scr /p 0000000000000000000000001234", Expected(SaverMode::Preview, 1234)},
    {"mahjong.scr /c:18446744073709551616", Expected(SaverMode::Configure)},
    // Change password, its handle read like a preview's.
    {"mahjong.scr /a 1234", Expected(SaverMode::ChangePassword, 1234)},
    {"mahjong.scr -A99", Expected(SaverMode::ChangePassword, 99)},
    {"mahjong.scr /a", Expected(SaverMode::ChangePassword)},
    // Anything else runs nothing.
    {"mahjong.scr /x", Expected(SaverMode::None)},
    {"mahjong.scr /1234", Expected(SaverMode::None)},
    {"mahjong.scr :c", Expected(SaverMode::None)},
    {"mahjong.scr \"/s\"", Expected(SaverMode::None)},
    // Only blanks end the program's path, and only after it are they skipped;
    // after a '-' or '/' a tab is a mode character.
    {"mahjong.scr -\ts", Expected(SaverMode::None)},
    {"mahjong.scr/s", Expected(SaverMode::Configure)},
    {"mahjong.scr\t/s", Expected(SaverMode::FullScreen)},
    // Quoted program paths: up to the closing quote, blanks inside and all.
    {"\"C:\\Program Files\\Mahjong\\mahjong.scr\" /s", Expected(SaverMode::FullScreen)},
    {"\"C:\\Program Files\\Mahjong\\mahjong.scr\"/p 77", Expected(SaverMode::Preview, 77)},
    {"\"C:\\Program Files\\Mahjong\\mahjong.scr\"", Expected(SaverMode::Configure)},
    {"\"C:\\a /s b\\mahjong.scr\" /c:9", Expected(SaverMode::Configure, 9)},
    {"\"C:\\never closed /s", Expected(SaverMode::Configure)},
    {"\"\" /s", Expected(SaverMode::FullScreen)},
    {"\"\"s", Expected(SaverMode::FullScreen)},
    // Unquoted paths end at the first blank, wherever quotes stand.
    {"C:\\Mahjong\\mahjong.scr /s", Expected(SaverMode::FullScreen)},
    {"C:\\Program Files\\mahjong.scr /s", Expected(SaverMode::None)},  // "Files..." is the argument: 'F'
    {"C:\\Pro\"gram Files\"\\mahjong.scr /s", Expected(SaverMode::None)},
    {" /s", Expected(SaverMode::FullScreen)},  // an empty path, then blanks
    // The line ends at a NUL as a C string does.
    {"mahjong.scr /p 12\0" "34"sv, Expected(SaverMode::Preview, 12)},
};

TEST(SaverCommandLine, DocumentedFormsAndTheirEdges) {
    for (const Example& example : kExamples) {
        const std::string line(example.line);
        EXPECT_EQ(Parse(line), example.expected) << "line \"" << Printable(line) << '"';
    }
}

TEST(SaverCommandLine, ExitCodesDecidedWithoutTheWindow) {
    const std::uint64_t existing = 1234;
    std::vector<std::uint64_t> asked;
    const WindowExists windowExists = [&](std::uint64_t handle) {
        asked.push_back(handle);
        return handle == existing;
    };
    for (const bool windows95 : {false, true}) {
        SCOPED_TRACE(windows95 ? "Windows 95 family" : "other systems");
        EXPECT_EQ(ExitCodeWithoutSaverWindow(Parse("x /s"), windows95, windowExists), std::nullopt);
        EXPECT_EQ(ExitCodeWithoutSaverWindow(Parse("x /p 1234"), windows95, windowExists), std::nullopt);
        EXPECT_EQ(ExitCodeWithoutSaverWindow(Parse("x /l 1234"), windows95, windowExists), std::nullopt);
        EXPECT_EQ(ExitCodeWithoutSaverWindow(Parse("x /p 1235"), windows95, windowExists), -1);
        EXPECT_EQ(ExitCodeWithoutSaverWindow(Parse("x /p 0"), windows95, windowExists), -1);
        EXPECT_EQ(ExitCodeWithoutSaverWindow(Parse("x /p"), windows95, windowExists), -1);
        EXPECT_EQ(ExitCodeWithoutSaverWindow(Parse("x /p abc"), windows95, windowExists), -1);
        EXPECT_EQ(ExitCodeWithoutSaverWindow(Parse("x"), windows95, windowExists), -1);
        EXPECT_EQ(ExitCodeWithoutSaverWindow(Parse("x /c"), windows95, windowExists), -1);
        EXPECT_EQ(ExitCodeWithoutSaverWindow(Parse("x /c:1234"), windows95, windowExists), -1);
        EXPECT_EQ(ExitCodeWithoutSaverWindow(Parse("x /q"), windows95, windowExists), -1);
        EXPECT_EQ(ExitCodeWithoutSaverWindow(Parse("x /a 1234"), windows95, windowExists), windows95 ? 0 : -1);
    }
    // Only a preview with a non-zero handle asks whether its window exists.
    EXPECT_EQ(asked, (std::vector<std::uint64_t>{1234, 1234, 1235, 1234, 1234, 1235}));
}

// The corpus: one case a line, "expected<TAB>|command line|". The command
// line runs from the first '|' to the last, so trailing blanks and inner bars
// stay visible; "<tab>" stands for a tab. Expected is the mode, then the
// handle or '-' for none. Lines starting with '#' and empty lines are notes.
TEST(SaverCommandLine, CorpusOfTrickyLines) {
    std::ifstream corpus(ZMR_COMMAND_LINE_CORPUS);
    ASSERT_TRUE(corpus) << "cannot open " << ZMR_COMMAND_LINE_CORPUS;
    int cases = 0;
    int lineNumber = 0;
    for (std::string text; std::getline(corpus, text);) {
        ++lineNumber;
        if (text.empty() || text[0] == '#') continue;
        const std::size_t first = text.find('|');
        const std::size_t last = text.rfind('|');
        ASSERT_TRUE(first != std::string::npos && last > first) << "corpus line " << lineNumber << " has no |line|";
        std::string line = text.substr(first + 1, last - first - 1);
        for (std::size_t at; (at = line.find("<tab>")) != std::string::npos;) line.replace(at, 5, "\t");

        std::istringstream fields(text.substr(0, first));
        std::string modeName;
        std::string handleText;
        fields >> modeName >> handleText;
        SaverCommandLine expected;
        bool known = false;
        for (const SaverMode mode : {SaverMode::None, SaverMode::Configure, SaverMode::FullScreen, SaverMode::Preview,
                                     SaverMode::ChangePassword}) {
            if (modeName == ModeName(mode)) {
                expected.mode = mode;
                known = true;
            }
        }
        ASSERT_TRUE(known && !handleText.empty()) << "corpus line " << lineNumber << ": bad expectation";
        if (handleText != "-") {
            expected.hasHandle = true;
            expected.handle = std::stoull(handleText);
        }
        EXPECT_EQ(Parse(line), expected) << "corpus line " << lineNumber << ": \"" << Printable(line) << '"';
        ++cases;
    }
    EXPECT_GE(cases, 20) << "the corpus lost its cases";
}

}  // namespace
