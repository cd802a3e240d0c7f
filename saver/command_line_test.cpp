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

#include "tests/support/environment_testing.h"

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
    {"mahjong.scr\0 /s"sv, Expected(SaverMode::Configure)},
};

TEST(SaverCommandLine, DocumentedFormsAndTheirEdges) {
    for (const Example& example : kExamples) {
        const std::string line(example.line);
        EXPECT_EQ(Parse(line), example.expected) << "line \"" << Printable(line) << '"';
    }
}

// Only 'c' gives its dialog an owner; an empty line asks for a dialog without one.
TEST(SaverCommandLine, OnlyTheConfigureLetterAsksForAnOwner) {
    for (const std::string line : {"mahjong.scr /c", "mahjong.scr -C:5678", "mahjong.scr c 1"}) {
        EXPECT_TRUE(Parse(line).wantsOwner) << line;
    }
    for (const std::string line : {"mahjong.scr", "mahjong.scr  - / ", "mahjong.scr /s", "mahjong.scr /p 1"}) {
        EXPECT_FALSE(Parse(line).wantsOwner) << line;
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

class RandomLines {
public:
    explicit RandomLines(unsigned seed) : random_(seed) {}

    unsigned Below(unsigned n) { return std::uniform_int_distribution<unsigned>(0, n - 1)(random_); }

    char Pick(std::string_view from) { return from[Below(static_cast<unsigned>(from.size()))]; }

    std::string Digits(unsigned count) {
        std::string digits;
        for (unsigned n = 0; n < count; ++n) digits.push_back(static_cast<char>('0' + Below(10)));
        return digits;
    }

    // Text weighted towards what the parser looks at: quotes, blanks,
    // separators, colons, mode letters, digit runs up to 25 long (so 20-digit
    // handles and overflow), NULs, bytes above 0x7f; now and then very long.
    std::string Line() {
        const unsigned length = Below(2000) == 0 ? Below(20000) : Below(24);
        std::string line;
        while (line.size() < length) {
            switch (Below(8)) {
                case 0: line += Digits(1 + Below(25)); break;
                case 1: line.push_back(Pick("\"\" \t-/:")); break;
                case 2: line.push_back(Pick("cCsSpPlLaA")); break;
                case 3: line.push_back(static_cast<char>(Below(256))); break;
                case 4: line += Pick("-/ ") + std::string(1, Pick("cspla")) + ' ' + Digits(1 + Below(22)); break;
                default: line.push_back(Pick("mahjong.scr \\C:/s\"")); break;
            }
        }
        return line;
    }

    // A character that ends a handle and starts nothing: not a digit, blank,
    // colon or NUL.
    char Terminator() {
        for (;;) {
            const char c = static_cast<char>(1 + Below(255));
            if ((c < '0' || c > '9') && c != ' ' && c != '\t' && c != ':') return c;
        }
    }

private:
    std::mt19937_64 random_;
};

std::string CaseToggled(std::string line) {
    for (char& c : line) {
        if ((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z')) c = static_cast<char>(c ^ 0x20);
    }
    return line;
}

// The mode letters in both cases; any other character names no mode.
struct ModeLetter {
    char letter;
    SaverMode mode;
};
constexpr ModeLetter kModeLetters[] = {
    {'c', SaverMode::Configure}, {'C', SaverMode::Configure}, {'s', SaverMode::FullScreen},
    {'S', SaverMode::FullScreen}, {'p', SaverMode::Preview}, {'P', SaverMode::Preview},
    {'l', SaverMode::Preview}, {'L', SaverMode::Preview}, {'a', SaverMode::ChangePassword},
    {'A', SaverMode::ChangePassword},
};

SaverMode ModeOfLetter(char letter) {
    for (const ModeLetter& row : kModeLetters) {
        if (row.letter == letter) return row.mode;
    }
    return SaverMode::None;
}

// The mode of "mahjong.scr " + args, read off the arguments as the rule
// says: blanks, then separators, then the letter, or the end of the line.
SaverMode ModeOfArguments(const std::string& args) {
    const std::string text = args.substr(0, args.find('\0'));
    std::size_t at = text.find_first_not_of(" \t");
    if (at != std::string::npos) at = text.find_first_not_of(" -/", at);
    return at == std::string::npos ? SaverMode::Configure : ModeOfLetter(text[at]);
}

TEST(SaverCommandLine, RandomLinesKeepTheInvariants) {
    const auto seed = static_cast<unsigned>(EnvironmentNumber("ZMR_RANDOM_SEED", std::random_device{}()));
    // ZMR_RANDOM_SEED replays a run; ZMR_RANDOM_LINES sets how many lines.
    const auto lines = EnvironmentNumber("ZMR_RANDOM_LINES", 1000000);
    std::printf("command line: seed %u, %llu lines (ZMR_RANDOM_SEED replays)\n", seed, lines);
    RandomLines random(seed);
    int failures = 0;
    for (unsigned long long n = 0; n < lines && failures < 10; ++n) {
        const std::string line = random.Line();
        const std::string args = random.Line();
        const SaverCommandLine result = Parse(line);
        std::vector<std::string> broken;

        if (result.hasHandle && result.mode != SaverMode::Preview && result.mode != SaverMode::ChangePassword &&
            result.mode != SaverMode::Configure) {
            broken.push_back("a handle for a mode that takes none");
        }
        if (result.handle != 0 && !result.hasHandle) broken.push_back("a handle value without hasHandle");

        if (Parse(CaseToggled(line)) != result) broken.push_back("case changed the result");
        if (Parse(line + '\0' + args) != result) broken.push_back("text after a NUL changed the result");
        // Once the mode letter is read, text after a terminator cannot
        // change anything. Only a configure without a handle may have read
        // no letter at all.
        if (!(result.mode == SaverMode::Configure && !result.hasHandle) &&
            Parse(line + random.Terminator() + args) != result) {
            broken.push_back("text after a terminator changed the result");
        }

        // The program's path does not matter, whichever way it is written.
        const SaverCommandLine ofArgs = Parse("mahjong.scr " + args);
        if (ofArgs.mode != ModeOfArguments(args)) broken.push_back("a mode other than its letter's");
        std::string quotedPath = "\"";
        std::string plainPath;
        for (const char c : line) {
            if (c != '"' && c != '\0') quotedPath.push_back(c);
            if (c != '"' && c != '\0' && c != ' ' && c != '\t') plainPath.push_back(c);
        }
        if (Parse(quotedPath + '"' + args) != ofArgs) broken.push_back("a quoted path changed the result");
        if (Parse(plainPath + ' ' + args) != ofArgs) broken.push_back("an unquoted path changed the result");

        // More separators before the letter change nothing, unless the
        // letter's place holds a tab, which only the blanks after the path
        // skip.
        const std::size_t letterAt = args.find_first_not_of(" -/");
        if (letterAt == std::string::npos || args[letterAt] != '\t') {
            std::string separators;
            for (unsigned k = random.Below(5); k > 0; --k) separators.push_back(random.Pick(" -/"));
            if (Parse("mahjong.scr " + separators + args) != ofArgs) broken.push_back("separators changed the result");
        }

        for (const std::string& what : broken) {
            ADD_FAILURE() << what << " for \"" << Printable(line) << "\" (args \"" << Printable(args) << "\"), seed "
                          << seed << ", line " << n;
            ++failures;
        }
    }
}

// Lines built from their parts, so the expected result is known from the
// parts themselves: path, blanks, separators, letter, blanks, number, tail.
TEST(SaverCommandLine, RandomLinesBuiltFromTheirPartsGiveTheirParts) {
    const auto seed = static_cast<unsigned>(EnvironmentNumber("ZMR_RANDOM_SEED", std::random_device{}()));
    std::printf("built lines: seed %u (ZMR_RANDOM_SEED replays)\n", seed);
    RandomLines random(seed);
    std::mt19937_64 values(seed);
    int failures = 0;
    for (int n = 0; n < 200000 && failures < 10; ++n) {
        std::string line;
        if (random.Below(2) == 0) {
            line += '"';
            for (unsigned k = random.Below(30); k > 0; --k) line.push_back(random.Pick("C:\\Program Files /s-p 12\t"));
            line += '"';
        } else {
            line += random.Pick("Cm");
            for (unsigned k = random.Below(30); k > 0; --k) line.push_back(random.Pick("C:\\Progam\"/s-p12"));
            line += random.Pick(" \t");
        }
        for (unsigned k = random.Below(3); k > 0; --k) line.push_back(random.Pick(" \t"));
        for (unsigned k = random.Below(4); k > 0; --k) line.push_back(random.Pick(" -/"));

        SaverCommandLine expected;
        const char letter = random.Pick("cCsSpPlLaAxQ?0\"|#");
        const bool ending = random.Below(10) == 0;
        bool readsHandle = false;
        if (ending) {
            expected.mode = SaverMode::Configure;
        } else {
            line += letter;
            expected.mode = ModeOfLetter(letter);
            if (expected.mode == SaverMode::Configure) {
                readsHandle = random.Below(3) != 0;
                if (readsHandle) line += ':';
            } else {
                readsHandle = expected.mode == SaverMode::Preview || expected.mode == SaverMode::ChangePassword;
                for (unsigned k = random.Below(3); k > 0; --k) line.push_back(random.Pick(" \t"));
            }
        }

        // The number: a random 64-bit value (any size), with leading zeros
        // now and then; or one that overflows; or none.
        const unsigned kind = random.Below(4);
        if (!ending && kind == 0) {
            const std::uint64_t value = values() >> random.Below(64);
            line += std::string(random.Below(3) == 0 ? random.Below(25) : 0, '0') + std::to_string(value);
            if (readsHandle) {
                expected.handle = value;
                expected.hasHandle = true;
            }
        } else if (!ending && kind == 1) {
            // 20 digits from 2 up, or 21 and more from 1 up: past 2^64 - 1.
            const unsigned length = 20 + random.Below(10);
            line += static_cast<char>((length == 20 ? '2' + random.Below(8) : '1' + random.Below(9)));
            line += random.Digits(length - 1);
        } else if (!ending && kind == 2) {
            line += random.Digits(random.Below(3)) + "18446744073709551615";  // 2^64 - 1 with zeros or digits in front
        }
        if (!ending && kind == 2 && readsHandle) {
            const std::size_t start = line.find_last_not_of("0123456789") + 1;
            const std::string digits = line.substr(start);
            const bool fits = digits.find_first_not_of('0') == digits.size() - 20;
            expected.hasHandle = fits;
            expected.handle = fits ? kMaxHandle : 0;
        }
        if (!ending && random.Below(2) == 0) line += random.Terminator() + random.Line();

        const SaverCommandLine result = Parse(line);
        if (result != expected) {
            ADD_FAILURE() << "\"" << Printable(line) << "\" gave " << result << ", built as " << expected << ", seed "
                          << seed << ", line " << n;
            ++failures;
        }
    }
}

}  // namespace
