// The screensaver's command line: skipping the program's path, picking the mode, reading the window handle.
#include "saver/command_line.h"

#include <limits>
#include <type_traits>

namespace {

template <typename Char>
class Reader {
public:
    explicit Reader(std::basic_string_view<Char> line) : line_(line.substr(0, line.find(Char(0)))) {}

    // The character under the cursor as a code point; 0 at the end.
    std::uint32_t Peek() const { return position_ < line_.size() ? static_cast<std::uint32_t>(Unsigned(line_[position_])) : 0; }
    bool AtEnd() const { return position_ >= line_.size(); }
    void Next() { ++position_; }

    static bool IsBlank(std::uint32_t c) { return c == ' ' || c == '\t'; }
    static bool IsDigit(std::uint32_t c) { return c >= '0' && c <= '9'; }

    void SkipBlanks() {
        while (!AtEnd() && IsBlank(Peek())) Next();
    }

    void SkipProgramPath() {
        if (Peek() == '"') {
            Next();
            while (!AtEnd() && Peek() != '"') Next();
            if (!AtEnd()) Next();  // the closing quote
        } else {
            while (!AtEnd() && !IsBlank(Peek())) Next();
        }
    }

    // An unsigned decimal number up to the first non-digit; nothing when
    // there is no digit or the number does not fit in 64 bits.
    std::optional<std::uint64_t> Number() {
        if (!IsDigit(Peek())) return std::nullopt;
        std::uint64_t value = 0;
        bool overflow = false;
        constexpr std::uint64_t kMax = std::numeric_limits<std::uint64_t>::max();
        for (; IsDigit(Peek()); Next()) {
            const std::uint64_t digit = Peek() - '0';
            if (value > (kMax - digit) / 10) overflow = true;
            if (!overflow) value = value * 10 + digit;
        }
        if (overflow) return std::nullopt;
        return value;
    }

private:
    static auto Unsigned(Char c) {
        if constexpr (sizeof(Char) == 1) {
            return static_cast<unsigned char>(c);
        } else {
            return static_cast<std::make_unsigned_t<Char>>(c);
        }
    }

    std::basic_string_view<Char> line_;
    std::size_t position_ = 0;
};

template <typename Char>
SaverCommandLine Parse(std::basic_string_view<Char> line) {
    Reader<Char> reader(line);
    reader.SkipProgramPath();
    reader.SkipBlanks();
    while (reader.Peek() == ' ' || reader.Peek() == '-' || reader.Peek() == '/') reader.Next();

    SaverCommandLine result;
    const std::uint32_t letter = reader.Peek();
    if (reader.AtEnd()) {
        result.mode = SaverMode::Configure;
        return result;
    }
    reader.Next();
    bool readsHandle = false;
    switch (letter | 0x20u) {  // ASCII lower case; no other character lands on these letters
        case 'c':
            result.mode = SaverMode::Configure;
            result.wantsOwner = true;
            if (reader.Peek() == ':') {
                reader.Next();
                readsHandle = true;
            }
            break;
        case 's':
            result.mode = SaverMode::FullScreen;
            break;
        case 'p':
        case 'l':
            result.mode = SaverMode::Preview;
            reader.SkipBlanks();
            readsHandle = true;
            break;
        case 'a':
            result.mode = SaverMode::ChangePassword;
            reader.SkipBlanks();
            readsHandle = true;
            break;
        default:
            result.mode = SaverMode::None;
            break;
    }
    if (readsHandle) {
        if (const auto number = reader.Number()) {
            result.handle = *number;
            result.hasHandle = true;
        }
    }
    return result;
}

}  // namespace

SaverCommandLine ParseSaverCommandLine(std::string_view line) { return Parse(line); }

SaverCommandLine ParseSaverCommandLine(std::wstring_view line) { return Parse(line); }

std::optional<int> ExitCodeWithoutSaverWindow(const SaverCommandLine& commandLine, bool windows95Family,
                                              const WindowExists& windowExists) {
    switch (commandLine.mode) {
        case SaverMode::FullScreen:
            return std::nullopt;
        case SaverMode::Preview:
            if (commandLine.handle == 0 || !windowExists(commandLine.handle)) return -1;
            return std::nullopt;
        case SaverMode::ChangePassword:
            return windows95Family ? 0 : -1;
        case SaverMode::Configure:
        case SaverMode::None:
            break;
    }
    return -1;
}
