// Checks that the product's includes run one way, downward through its layers, form no circle, and keep plain C++ off the platform's headers; names each file and line that does not.
// Usage: include_layers <source root>. Exit code 0 when every include is in order.
#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <regex>
#include <set>
#include <string>
#include <tuple>
#include <vector>

namespace fs = std::filesystem;

namespace {

// The product's layers, lowest first: a file may include its own layer and
// the ones below. The rules of play and the shell's services stand side by
// side on the deal generator; the game's windows and entry stand on both, and
// the screensaver beside them; neither of a pair includes the other.
struct Layer {
    const char* name;
    int rank;
};
const std::map<std::string, Layer> kFolderLayers = {
    {"board", {"the board", 0}},           {"deal", {"the deal generator", 1}},
    {"play", {"the rules of play", 2}},    {"shell", {"the shell's services", 2}},
    {"game", {"the game's windows", 3}},   {"saver", {"the screensaver", 3}},
};

// Above the rules of play, the screensaver stands apart from them: it plays
// no game.
const std::set<std::pair<std::string, std::string>> kApart = {{"saver", "play"}};

// Plain C++, built for every platform: these folders whole, and these
// modules of the others. None may reach a header of the platform, directly
// or through the headers it includes.
const std::set<std::string> kPlainFolders = {"board", "deal", "play"};
const std::set<std::string> kPlainModules = {"saver/animation", "saver/command_line", "saver/saver_platform",
                                             "shell/dib_header", "shell/clock_text", "shell/monitor_layout",
                                             "shell/display_scale", "shell/picture_resample"};
const std::set<std::string> kPlatformHeaders = {"windows.h", "windowsx.h", "commctrl.h", "commdlg.h", "imm.h",
                                                "mmsystem.h", "objbase.h", "ole2.h", "oleacc.h", "shellapi.h",
                                                "shlobj.h", "shlwapi.h", "winuser.h", "wingdi.h", "winver.h"};

// Test code may include anything; nothing of the product includes it.
const std::set<std::string> kTestFolders = {"tests", "bench", "tools"};

std::string TopFolder(const std::string& path) { return path.substr(0, path.find('/')); }

bool IsTestCode(const std::string& path) {
    return kTestFolders.count(TopFolder(path)) != 0 || fs::path(path).filename().string().find("test") != std::string::npos;
}

struct Include {
    std::string from;  // the including file, relative to the root
    int line;
    std::string to;    // the included file, as written
    bool system;       // written in angle brackets
};

std::string ModuleOf(const std::string& path) { return fs::path(path).replace_extension().generic_string(); }

std::string Where(const Include& include) { return include.from + ":" + std::to_string(include.line); }

// The layer of a product file; false for a file outside every layer.
bool LayerOf(const std::string& path, Layer* layer) {
    const auto found = kFolderLayers.find(TopFolder(path));
    if (found == kFolderLayers.end()) return false;
    *layer = found->second;
    return true;
}

std::vector<Include> ReadIncludes(const fs::path& root) {
    static const std::regex kInclude(R"re(^\s*#\s*include\s+([<"])([^">]+)[">])re");
    std::vector<Include> includes;
    for (const auto& entry : fs::recursive_directory_iterator(root)) {
        const std::string relative = fs::relative(entry.path(), root).generic_string();
        const std::string top = TopFolder(relative);
        const std::string extension = entry.path().extension().string();
        if (!entry.is_regular_file() || (kFolderLayers.count(top) == 0 && kTestFolders.count(top) == 0) ||
            (extension != ".cpp" && extension != ".h" && extension != ".rc")) {
            continue;
        }
        std::ifstream file(entry.path());
        std::string text;
        for (int line = 1; std::getline(file, text); ++line) {
            std::smatch match;
            if (std::regex_search(text, match, kInclude)) includes.push_back({relative, line, match[2], match[1] == "<"});
        }
    }
    std::sort(includes.begin(), includes.end(),
              [](const Include& a, const Include& b) { return std::tie(a.from, a.line) < std::tie(b.from, b.line); });
    return includes;
}

// An include of the product that runs upward, sideways or into test code.
bool ReportLayerFault(const Include& include) {
    Layer from;
    Layer to;
    if (include.system || IsTestCode(include.from) || !LayerOf(include.from, &from)) return false;
    if (IsTestCode(include.to)) {
        std::printf("%s: includes %s, which is test code\n", Where(include).c_str(), include.to.c_str());
        return true;
    }
    if (!LayerOf(include.to, &to)) return false;
    const bool sideways = to.rank == from.rank && std::string(to.name) != from.name;
    const bool apart = kApart.count({TopFolder(include.from), TopFolder(include.to)}) != 0;
    if (to.rank <= from.rank && !sideways && !apart) return false;
    std::printf("%s: includes %s: %s may not include %s\n", Where(include).c_str(), include.to.c_str(), from.name,
                to.name);
    return true;
}

// Circles among the product's modules (a header and its source file): each
// is reported once, with the include that closes it.
int ReportCircles(const std::vector<Include>& includes) {
    std::map<std::string, std::vector<const Include*>> edges;
    for (const Include& include : includes) {
        Layer layer;
        if (!include.system && !IsTestCode(include.from) && LayerOf(include.to, &layer) &&
            ModuleOf(include.from) != ModuleOf(include.to)) {
            edges[ModuleOf(include.from)].push_back(&include);
        }
    }
    std::map<std::string, int> mark;  // 1 on the current path, 2 done
    std::vector<const Include*> path;
    int circles = 0;
    std::function<void(const std::string&)> visit = [&](const std::string& module) {
        mark[module] = 1;
        for (const Include* include : edges[module]) {
            const std::string next = ModuleOf(include->to);
            path.push_back(include);
            if (mark[next] == 1) {
                ++circles;
                std::printf("%s: includes %s, closing a circle:", Where(*include).c_str(), include->to.c_str());
                auto start = std::find_if(path.begin(), path.end(),
                                          [&](const Include* step) { return ModuleOf(step->from) == next; });
                for (; start != path.end(); ++start) std::printf(" %s ->", Where(**start).c_str());
                std::printf(" %s\n", include->to.c_str());
            } else if (mark[next] == 0) {
                visit(next);
            }
            path.pop_back();
        }
        mark[module] = 2;
    };
    for (const auto& [module, unused] : edges) {
        if (mark[module] == 0) visit(module);
    }
    return circles;
}

bool IsPlain(const std::string& path) {
    return kPlainFolders.count(TopFolder(path)) != 0 || kPlainModules.count(ModuleOf(path)) != 0;
}

// Plain files, their tests among them, that reach a header of the platform:
// each is reported once, with the chain of includes that gets there.
int ReportPlatformReach(const std::vector<Include>& includes) {
    std::map<std::string, std::vector<const Include*>> edges;
    for (const Include& include : includes) edges[include.from].push_back(&include);
    // The first chain found from each file to a platform header; empty when none.
    std::map<std::string, std::vector<const Include*>> reach;
    std::set<std::string> visiting;
    std::function<const std::vector<const Include*>&(const std::string&)> chainFrom =
        [&](const std::string& file) -> const std::vector<const Include*>& {
        auto known = reach.find(file);
        if (known != reach.end() || !visiting.insert(file).second) return reach[file];
        std::vector<const Include*> chain;
        for (const Include* include : edges[file]) {
            if (include->system) {
                if (kPlatformHeaders.count(include->to) != 0) chain = {include};
            } else if (const auto& rest = chainFrom(include->to); !rest.empty()) {
                chain = rest;
                chain.insert(chain.begin(), include);
            }
            if (!chain.empty()) break;
        }
        visiting.erase(file);
        return reach[file] = chain;
    };
    int faults = 0;
    for (const auto& [file, unused] : edges) {
        if (!IsPlain(file)) continue;
        const std::vector<const Include*>& chain = chainFrom(file);
        if (chain.empty()) continue;
        ++faults;
        std::printf("%s: plain C++ reaches <%s>:", Where(*chain.front()).c_str(), chain.back()->to.c_str());
        for (const Include* step : chain) std::printf(" %s ->", Where(*step).c_str());
        std::printf(" <%s>\n", chain.back()->to.c_str());
    }
    return faults;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2 || !fs::is_directory(argv[1])) {
        std::fprintf(stderr, "usage: include_layers <source root>\n");
        return 2;
    }
    const std::vector<Include> includes = ReadIncludes(argv[1]);
    int faults = 0;
    for (const Include& include : includes) faults += ReportLayerFault(include) ? 1 : 0;
    faults += ReportCircles(includes);
    faults += ReportPlatformReach(includes);
    std::printf("%zu includes read, %d out of order\n", includes.size(), faults);
    return faults == 0 && !includes.empty() ? 0 : 1;
}
