// Encoders for DIB, ICO, CUR and PNG files, byte for byte reproducible.
#include "tools/assetgen/picture_files.h"

#include <zlib.h>

#include <filesystem>
#include <fstream>
#include <stdexcept>

namespace {

void Put32Big(std::vector<uint8_t>& out, uint32_t v) {
    for (int s = 24; s >= 0; s -= 8) out.push_back(static_cast<uint8_t>(v >> s));
}

int RowBytes(int width, int bitCount) { return ((width * bitCount + 31) / 32) * 4; }

// The info header, table and pixel rows; `heightField` is doubled for icons.
void PutDib(std::vector<uint8_t>& out, const IndexedPicture& p, int heightField, uint32_t extraImageBytes) {
    const int stride = RowBytes(p.width, p.bitCount);
    Put32(out, 40);
    Put32(out, static_cast<uint32_t>(p.width));
    Put32(out, static_cast<uint32_t>(heightField));
    Put16(out, 1);
    Put16(out, static_cast<uint32_t>(p.bitCount));
    Put32(out, 0);  // no compression
    Put32(out, static_cast<uint32_t>(stride * p.height) + extraImageBytes);
    Put32(out, 0);
    Put32(out, 0);
    Put32(out, static_cast<uint32_t>(p.table.size()));
    Put32(out, 0);
    for (const Rgb& c : p.table) {
        out.push_back(c.b);
        out.push_back(c.g);
        out.push_back(c.r);
        out.push_back(0);
    }
    for (int y = p.height - 1; y >= 0; --y) {
        std::vector<uint8_t> row(static_cast<size_t>(stride), 0);
        for (int x = 0; x < p.width; ++x) {
            const uint8_t v = p.At(x, y);
            if (p.bitCount == 8) {
                row[x] = v;
            } else {
                row[x / 2] |= static_cast<uint8_t>(x % 2 == 0 ? v << 4 : v);
            }
        }
        out.insert(out.end(), row.begin(), row.end());
    }
}

std::vector<uint8_t> IconImageBytes(const IconImage& image) {
    const IndexedPicture& p = image.picture;
    const int maskStride = RowBytes(p.width, 1);
    std::vector<uint8_t> out;
    IndexedPicture xorPart = p;
    // Where the screen shows through, the colour bits are black, so nothing is inverted.
    for (int y = 0; y < p.height; ++y) {
        for (int x = 0; x < p.width; ++x) {
            if (image.transparent[static_cast<size_t>(y) * p.width + x]) xorPart.Ref(x, y) = 0;
        }
    }
    PutDib(out, xorPart, p.height * 2, static_cast<uint32_t>(maskStride * p.height));
    for (int y = p.height - 1; y >= 0; --y) {
        std::vector<uint8_t> row(static_cast<size_t>(maskStride), 0);
        for (int x = 0; x < p.width; ++x) {
            if (image.transparent[static_cast<size_t>(y) * p.width + x]) {
                row[x / 8] |= static_cast<uint8_t>(0x80 >> (x % 8));
            }
        }
        out.insert(out.end(), row.begin(), row.end());
    }
    return out;
}

std::vector<uint8_t> IconFile(const std::vector<IconImage>& images, int type, int hotX, int hotY) {
    std::vector<uint8_t> out;
    Put16(out, 0);
    Put16(out, static_cast<uint32_t>(type));
    Put16(out, static_cast<uint32_t>(images.size()));
    std::vector<std::vector<uint8_t>> bodies;
    for (const IconImage& image : images) bodies.push_back(IconImageBytes(image));
    uint32_t offset = 6 + 16 * static_cast<uint32_t>(images.size());
    for (size_t i = 0; i < images.size(); ++i) {
        const IndexedPicture& p = images[i].picture;
        out.push_back(static_cast<uint8_t>(p.width));
        out.push_back(static_cast<uint8_t>(p.height));
        out.push_back(16);  // colours
        out.push_back(0);
        if (type == 2) {
            Put16(out, static_cast<uint32_t>(hotX));
            Put16(out, static_cast<uint32_t>(hotY));
        } else {
            Put16(out, 1);
            Put16(out, static_cast<uint32_t>(p.bitCount));
        }
        Put32(out, static_cast<uint32_t>(bodies[i].size()));
        Put32(out, offset);
        offset += static_cast<uint32_t>(bodies[i].size());
    }
    for (const auto& body : bodies) out.insert(out.end(), body.begin(), body.end());
    return out;
}

void PngChunk(std::vector<uint8_t>& out, const char* type, const std::vector<uint8_t>& data) {
    Put32Big(out, static_cast<uint32_t>(data.size()));
    std::vector<uint8_t> body(type, type + 4);
    body.insert(body.end(), data.begin(), data.end());
    out.insert(out.end(), body.begin(), body.end());
    Put32Big(out, static_cast<uint32_t>(crc32(0L, body.data(), static_cast<uInt>(body.size()))));
}

uint8_t Paeth(int a, int b, int c) {
    const int p = a + b - c;
    const int pa = std::abs(p - a), pb = std::abs(p - b), pc = std::abs(p - c);
    if (pa <= pb && pa <= pc) return static_cast<uint8_t>(a);
    return static_cast<uint8_t>(pb <= pc ? b : c);
}

}  // namespace

IndexedPicture MakePicture(int width, int height, int bitCount, std::vector<Rgb> table, uint8_t fill) {
    IndexedPicture p;
    p.width = width;
    p.height = height;
    p.bitCount = bitCount;
    p.table = std::move(table);
    p.pixels.assign(static_cast<size_t>(width) * height, fill);
    return p;
}

std::vector<uint8_t> EncodeBmp(const IndexedPicture& picture) {
    std::vector<uint8_t> dib;
    PutDib(dib, picture, picture.height, 0);
    std::vector<uint8_t> out;
    out.push_back('B');
    out.push_back('M');
    Put32(out, static_cast<uint32_t>(14 + dib.size()));
    Put32(out, 0);
    Put32(out, static_cast<uint32_t>(14 + 40 + 4 * picture.table.size()));
    out.insert(out.end(), dib.begin(), dib.end());
    return out;
}

std::vector<uint8_t> EncodeIcon(const std::vector<IconImage>& images) { return IconFile(images, 1, 0, 0); }

std::vector<uint8_t> EncodeCursor(const IconImage& image, int hotX, int hotY) {
    return IconFile({image}, 2, hotX, hotY);
}

std::vector<uint8_t> EncodePng(const RgbPicture& picture) {
    const int w = picture.width, h = picture.height;
    const size_t rowBytes = static_cast<size_t>(w) * 3;
    std::vector<uint8_t> raw;
    raw.reserve((rowBytes + 1) * h);
    std::vector<uint8_t> previous(rowBytes, 0), current(rowBytes), trial(rowBytes), best(rowBytes);
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            const Rgb c = picture.At(x, y);
            current[3 * x] = c.r;
            current[3 * x + 1] = c.g;
            current[3 * x + 2] = c.b;
        }
        // Each row takes the filter with the smallest sum of magnitudes.
        long bestSum = -1;
        uint8_t bestFilter = 0;
        for (uint8_t f = 0; f < 5; ++f) {
            long sum = 0;
            for (size_t i = 0; i < rowBytes; ++i) {
                const int a = i >= 3 ? current[i - 3] : 0;
                const int b = previous[i];
                const int c = i >= 3 ? previous[i - 3] : 0;
                int pred = 0;
                if (f == 1) pred = a;
                if (f == 2) pred = b;
                if (f == 3) pred = (a + b) / 2;
                if (f == 4) pred = Paeth(a, b, c);
                trial[i] = static_cast<uint8_t>(current[i] - pred);
                sum += trial[i] < 128 ? trial[i] : 256 - trial[i];
            }
            if (bestSum < 0 || sum < bestSum) {
                bestSum = sum;
                bestFilter = f;
                best = trial;
            }
        }
        raw.push_back(bestFilter);
        raw.insert(raw.end(), best.begin(), best.end());
        previous = current;
    }
    uLongf packedSize = compressBound(static_cast<uLong>(raw.size()));
    std::vector<uint8_t> packed(packedSize);
    if (compress2(packed.data(), &packedSize, raw.data(), static_cast<uLong>(raw.size()), 9) != Z_OK) {
        throw std::runtime_error("zlib could not compress the picture");
    }
    packed.resize(packedSize);

    std::vector<uint8_t> out = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    std::vector<uint8_t> header;
    Put32Big(header, static_cast<uint32_t>(w));
    Put32Big(header, static_cast<uint32_t>(h));
    header.insert(header.end(), {8, 2, 0, 0, 0});  // 8 bits, RGB, deflate, no filter method, no interlace
    PngChunk(out, "IHDR", header);
    PngChunk(out, "IDAT", packed);
    PngChunk(out, "IEND", {});
    return out;
}

void WriteFile(const std::string& path, const std::vector<uint8_t>& bytes) {
    const std::filesystem::path p(path);
    if (p.has_parent_path()) std::filesystem::create_directories(p.parent_path());
    std::ofstream f(p, std::ios::binary | std::ios::trunc);
    if (!f) throw std::runtime_error("cannot write " + path);
    f.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    if (!f) throw std::runtime_error("cannot write " + path);
}
