// Regenerating the pictures and sounds gives exactly the committed files, and no file is missing or left over.
#include <gtest/gtest.h>

#include <filesystem>
#include <set>

#include "tests/support/asset_reader_testing.h"
#include "tools/assetgen/pictures.h"

namespace fs = std::filesystem;

TEST(Regenerate, GivesTheCommittedBytes) {
    if (!fs::exists(ZMR_MINCHO_FONT) || !fs::exists(ZMR_GOTHIC_FONT)) {
        GTEST_SKIP() << "fonts not installed: " << ZMR_MINCHO_FONT << ", " << ZMR_GOTHIC_FONT;
    }
    const Font mincho(ZMR_MINCHO_FONT);
    const Font gothic(ZMR_GOTHIC_FONT);
    const fs::path out = fs::temp_directory_path() / ("assetgen-test-" + std::to_string(::getpid()));
    fs::remove_all(out);
    std::set<std::string> written;
    for (const OutputFile& file : GenerateAll(Fonts{mincho, gothic})) {
        WriteFile((out / file.path).string(), file.bytes);
        written.insert(file.path);
    }
    for (const std::string& path : written) {
        const auto fresh = asset_reader::ReadBytes((out / path).string());
        const auto committed = asset_reader::ReadBytes(asset_reader::SourcePath(path));
        EXPECT_FALSE(committed.empty()) << path << " is not committed";
        EXPECT_TRUE(fresh == committed) << path << " differs from a fresh run: run tools/assets.sh";
    }
    // Every committed picture and sound is one the generator makes.
    for (const char* folder : {"assets/zmr", "assets/saver", "assets/zmr@2x", "assets/saver@2x", "assets/sounds"}) {
        for (const auto& entry : fs::directory_iterator(asset_reader::SourcePath(folder))) {
            const std::string path = std::string(folder) + "/" + entry.path().filename().string();
            EXPECT_TRUE(written.count(path)) << path << " is not made by the generator";
        }
    }
    fs::remove_all(out);
}
