// assetgen: draws the game's and the screensaver's pictures and makes the game's sounds, into assets/ and docs/.
#include <cstdio>
#include <exception>
#include <string>

#include "tools/assetgen/pictures.h"

int main(int argc, char** argv) {
    if (argc < 2 || argc > 4) {
        std::fprintf(stderr, "usage: assetgen ROOT [MINCHO_FONT [GOTHIC_FONT]]\n"
                             "writes ROOT/assets/... and ROOT/docs/board.png\n");
        return 2;
    }
    const std::string root = argv[1];
    const std::string minchoPath = argc > 2 ? argv[2] : ZMR_MINCHO_FONT;
    const std::string gothicPath = argc > 3 ? argv[3] : ZMR_GOTHIC_FONT;
    try {
        const Font mincho(minchoPath);
        const Font gothic(gothicPath);
        const Fonts fonts{mincho, gothic};
        int count = 0;
        for (const OutputFile& file : GenerateAll(fonts)) {
            WriteFile(root + "/" + file.path, file.bytes);
            ++count;
        }
        std::printf("assetgen: wrote %d files under %s\n", count, root.c_str());
    } catch (const std::exception& e) {
        std::fprintf(stderr, "assetgen: %s\n", e.what());
        return 1;
    }
    return 0;
}
