// The fixed colour tables, nearest-colour mapping and a median-cut table builder.
#include "tools/assetgen/palette.h"

#include <algorithm>
#include <array>
#include <map>
#include <tuple>

std::vector<Rgb> FaceTable() {
    std::vector<Rgb> t(256, Rgb{0, 0, 0});
    const Rgb first[17] = {
        {235, 235, 245}, {128, 128, 128}, {192, 192, 192}, {170, 150, 0}, {128, 128, 0},
        {0, 0, 0},       {255, 0, 0},     {255, 255, 255}, {0, 90, 0},    {0, 0, 128},
        {205, 205, 205}, {255, 0, 255},   {0, 128, 128},   {0, 255, 255}, {0, 255, 0},
        {255, 255, 0},   {235, 235, 245},
    };
    std::copy(std::begin(first), std::end(first), t.begin());
    return t;
}

std::vector<Rgb> StandardTable() {
    return {{0, 0, 0},       {128, 0, 0},   {0, 128, 0},   {128, 128, 0},
            {0, 0, 128},     {128, 0, 128}, {0, 128, 128}, {192, 192, 192},
            {128, 128, 128}, {255, 0, 0},   {0, 255, 0},   {255, 255, 0},
            {0, 0, 255},     {255, 0, 255}, {0, 255, 255}, {255, 255, 255}};
}

int ColourDistance(Rgb a, Rgb b) {
    const int dr = a.r - b.r, dg = a.g - b.g, db = a.b - b.b;
    return 3 * dr * dr + 4 * dg * dg + 2 * db * db;
}

int Nearest(const std::vector<Rgb>& table, const std::vector<int>& candidates, Rgb c) {
    int best = candidates.front();
    int bestDistance = ColourDistance(table[best], c);
    for (int i : candidates) {
        const int d = ColourDistance(table[i], c);
        if (d < bestDistance) {
            best = i;
            bestDistance = d;
        }
    }
    return best;
}

namespace {

struct Entry {
    Rgb colour;
    int count;
};

struct Bucket {
    std::vector<Entry> entries;
    int Range(int channel) const {
        int lo = 255, hi = 0;
        for (const Entry& e : entries) {
            const int v = channel == 0 ? e.colour.r : channel == 1 ? e.colour.g : e.colour.b;
            lo = std::min(lo, v);
            hi = std::max(hi, v);
        }
        return hi - lo;
    }
    Rgb Mean() const {
        long long r = 0, g = 0, b = 0, n = 0;
        for (const Entry& e : entries) {
            r += static_cast<long long>(e.colour.r) * e.count;
            g += static_cast<long long>(e.colour.g) * e.count;
            b += static_cast<long long>(e.colour.b) * e.count;
            n += e.count;
        }
        return {static_cast<uint8_t>((r + n / 2) / n), static_cast<uint8_t>((g + n / 2) / n),
                static_cast<uint8_t>((b + n / 2) / n)};
    }
};

}  // namespace

std::vector<Rgb> BuildTable(const std::vector<Rgb>& pixels, const std::vector<Rgb>& fixed, int count) {
    std::vector<Rgb> table = fixed;
    std::map<std::tuple<int, int, int>, int> histogram;
    for (const Rgb& p : pixels) {
        if (std::find(fixed.begin(), fixed.end(), p) != fixed.end()) continue;
        ++histogram[{p.r, p.g, p.b}];
    }
    const int room = count - static_cast<int>(fixed.size());
    if (histogram.empty() || room <= 0) return table;
    std::vector<Bucket> buckets(1);
    for (const auto& [key, n] : histogram) {
        buckets[0].entries.push_back(
            {{static_cast<uint8_t>(std::get<0>(key)), static_cast<uint8_t>(std::get<1>(key)),
              static_cast<uint8_t>(std::get<2>(key))},
             n});
    }
    while (static_cast<int>(buckets.size()) < room) {
        // Split the bucket with the widest spread (weighted by its pixels) at its median.
        int pick = -1;
        long long pickScore = 0;
        int pickChannel = 0;
        for (size_t i = 0; i < buckets.size(); ++i) {
            if (buckets[i].entries.size() < 2) continue;
            long long pixelsIn = 0;
            for (const Entry& e : buckets[i].entries) pixelsIn += e.count;
            for (int ch = 0; ch < 3; ++ch) {
                const long long weight = ch == 1 ? 4 : ch == 0 ? 3 : 2;
                const long long score = buckets[i].Range(ch) * weight * (1 + pixelsIn / 64);
                if (score > pickScore) {
                    pick = static_cast<int>(i);
                    pickScore = score;
                    pickChannel = ch;
                }
            }
        }
        if (pick < 0) break;
        std::vector<Entry>& e = buckets[pick].entries;
        auto channel = [pickChannel](const Entry& x) {
            return pickChannel == 0 ? x.colour.r : pickChannel == 1 ? x.colour.g : x.colour.b;
        };
        std::sort(e.begin(), e.end(), [&](const Entry& a, const Entry& b) {
            return std::make_tuple(channel(a), a.colour.r, a.colour.g, a.colour.b) <
                   std::make_tuple(channel(b), b.colour.r, b.colour.g, b.colour.b);
        });
        long long total = 0;
        for (const Entry& x : e) total += x.count;
        long long run = 0;
        size_t cut = 1;
        for (size_t k = 0; k + 1 < e.size(); ++k) {
            run += e[k].count;
            cut = k + 1;
            if (run * 2 >= total) break;
        }
        Bucket upper;
        upper.entries.assign(e.begin() + static_cast<long>(cut), e.end());
        e.resize(cut);
        buckets.push_back(std::move(upper));
    }
    for (const Bucket& b : buckets) {
        const Rgb m = b.Mean();
        if (std::find(table.begin(), table.end(), m) == table.end()) table.push_back(m);
    }
    return table;
}

std::vector<uint8_t> MapCanvas(const Canvas& canvas, const std::vector<Rgb>& table,
                               const std::vector<int>& candidates) {
    std::vector<uint8_t> out(static_cast<size_t>(canvas.Width()) * canvas.Height());
    std::map<std::tuple<int, int, int>, int> cache;
    for (int y = 0; y < canvas.Height(); ++y) {
        for (int x = 0; x < canvas.Width(); ++x) {
            const Rgb c = canvas.At(x, y);
            auto [it, fresh] = cache.try_emplace({c.r, c.g, c.b}, 0);
            if (fresh) it->second = Nearest(table, candidates, c);
            out[static_cast<size_t>(y) * canvas.Width() + x] = static_cast<uint8_t>(it->second);
        }
    }
    return out;
}

std::vector<Rgb> CanvasPixels(const Canvas& canvas) {
    std::vector<Rgb> out;
    out.reserve(static_cast<size_t>(canvas.Width()) * canvas.Height());
    for (int y = 0; y < canvas.Height(); ++y) {
        for (int x = 0; x < canvas.Width(); ++x) out.push_back(canvas.At(x, y));
    }
    return out;
}
