// Shapes sampled into coverage masks, and the colour canvas they are painted on.
#include "tools/assetgen/raster.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace {
constexpr int kSamples = 8;
}

Mask Rasterise(int width, int height, const Shape& shape) {
    Mask m(width, height);
    const int xa = std::max(0, static_cast<int>(std::floor(std::max(shape.x0, -1.0))));
    const int ya = std::max(0, static_cast<int>(std::floor(std::max(shape.y0, -1.0))));
    const int xb = std::min(width - 1, static_cast<int>(std::ceil(std::min(shape.x1, width + 1.0))));
    const int yb = std::min(height - 1, static_cast<int>(std::ceil(std::min(shape.y1, height + 1.0))));
    for (int y = ya; y <= yb; ++y) {
        for (int x = xa; x <= xb; ++x) {
            int hits = 0;
            for (int sy = 0; sy < kSamples; ++sy) {
                for (int sx = 0; sx < kSamples; ++sx) {
                    if (shape(x + (sx + 0.5) / kSamples, y + (sy + 0.5) / kSamples)) ++hits;
                }
            }
            m.Ref(x, y) = static_cast<float>(hits) / (kSamples * kSamples);
        }
    }
    return m;
}

Shape Disc(double cx, double cy, double r) {
    return {[=](double x, double y) { return (x - cx) * (x - cx) + (y - cy) * (y - cy) <= r * r; },
            cx - r, cy - r, cx + r, cy + r};
}

Shape Ellipse(double cx, double cy, double rx, double ry, double angle) {
    const double c = std::cos(angle), s = std::sin(angle);
    const double r = std::max(rx, ry);
    return {[=](double x, double y) {
                const double dx = x - cx, dy = y - cy;
                const double u = dx * c + dy * s, v = -dx * s + dy * c;
                return (u * u) / (rx * rx) + (v * v) / (ry * ry) <= 1.0;
            },
            cx - r, cy - r, cx + r, cy + r};
}

Shape Box(double x0, double y0, double x1, double y1) {
    return {[=](double x, double y) { return x >= x0 && x < x1 && y >= y0 && y < y1; }, x0, y0, x1, y1};
}

Shape RoundBox(double x0, double y0, double x1, double y1, double radius) {
    return {[=](double x, double y) {
                if (x < x0 || x >= x1 || y < y0 || y >= y1) return false;
                const double cx = std::clamp(x, x0 + radius, x1 - radius);
                const double cy = std::clamp(y, y0 + radius, y1 - radius);
                return (x - cx) * (x - cx) + (y - cy) * (y - cy) <= radius * radius;
            },
            x0, y0, x1, y1};
}

Shape Polygon(std::vector<std::pair<double, double>> points) {
    double x0 = 1e9, y0 = 1e9, x1 = -1e9, y1 = -1e9;
    for (const auto& [px, py] : points) {
        x0 = std::min(x0, px);
        y0 = std::min(y0, py);
        x1 = std::max(x1, px);
        y1 = std::max(y1, py);
    }
    auto inside = [p = std::move(points)](double x, double y) {
        bool inside = false;
        for (size_t i = 0, j = p.size() - 1; i < p.size(); j = i++) {
            const auto [xi, yi] = p[i];
            const auto [xj, yj] = p[j];
            if ((yi > y) != (yj > y) && x < (xj - xi) * (y - yi) / (yj - yi) + xi) inside = !inside;
        }
        return inside;
    };
    return {inside, x0, y0, x1, y1};
}

Shape Segment(double x0, double y0, double x1, double y1, double halfWidth) {
    auto inside = [=](double x, double y) {
        const double dx = x1 - x0, dy = y1 - y0;
        const double len2 = dx * dx + dy * dy;
        double t = len2 > 0 ? ((x - x0) * dx + (y - y0) * dy) / len2 : 0.0;
        t = std::clamp(t, 0.0, 1.0);
        const double px = x0 + t * dx - x, py = y0 + t * dy - y;
        return px * px + py * py <= halfWidth * halfWidth;
    };
    return {inside, std::min(x0, x1) - halfWidth, std::min(y0, y1) - halfWidth, std::max(x0, x1) + halfWidth,
            std::max(y0, y1) + halfWidth};
}

Shape ArcBand(double cx, double cy, double r0, double r1, double a0, double a1) {
    auto inside = [=](double x, double y) {
        const double dx = x - cx, dy = y - cy;
        const double d2 = dx * dx + dy * dy;
        if (d2 < r0 * r0 || d2 > r1 * r1) return false;
        double a = std::atan2(dy, dx);
        while (a < a0) a += 2 * std::numbers::pi;
        while (a >= a0 + 2 * std::numbers::pi) a -= 2 * std::numbers::pi;
        return a <= a1;
    };
    return {inside, cx - r1, cy - r1, cx + r1, cy + r1};
}

Shape Star(double cx, double cy, double outer, double inner, int points) {
    std::vector<std::pair<double, double>> p;
    for (int i = 0; i < 2 * points; ++i) {
        const double r = i % 2 == 0 ? outer : inner;
        const double a = -std::numbers::pi / 2 + i * std::numbers::pi / points;
        p.emplace_back(cx + r * std::cos(a), cy + r * std::sin(a));
    }
    return Polygon(std::move(p));
}

Shape Union(Shape a, Shape b) {
    return {[=](double x, double y) { return a(x, y) || b(x, y); }, std::min(a.x0, b.x0), std::min(a.y0, b.y0),
            std::max(a.x1, b.x1), std::max(a.y1, b.y1)};
}

Shape Minus(Shape a, Shape b) {
    return {[=](double x, double y) { return a(x, y) && !b(x, y); }, a.x0, a.y0, a.x1, a.y1};
}

Shape Intersect(Shape a, Shape b) {
    return {[=](double x, double y) { return a(x, y) && b(x, y); }, std::max(a.x0, b.x0), std::max(a.y0, b.y0),
            std::min(a.x1, b.x1), std::min(a.y1, b.y1)};
}

Shape Rotate(Shape s, double cx, double cy, double angle) {
    const double c = std::cos(angle), sn = std::sin(angle);
    // The box of the turned shape: the circle about the centre through the box's far corner.
    const double r = std::sqrt(std::max({(s.x0 - cx) * (s.x0 - cx), (s.x1 - cx) * (s.x1 - cx)}) +
                               std::max({(s.y0 - cy) * (s.y0 - cy), (s.y1 - cy) * (s.y1 - cy)}));
    return {[=](double x, double y) {
                const double dx = x - cx, dy = y - cy;
                return s(cx + dx * c + dy * sn, cy - dx * sn + dy * c);
            },
            cx - r, cy - r, cx + r, cy + r};
}

Shape Scaled(Shape s, double factor) {
    return {[=](double x, double y) { return s(x / factor, y / factor); }, s.x0 * factor, s.y0 * factor,
            s.x1 * factor, s.y1 * factor};
}

Mask MaxMask(const Mask& a, const Mask& b) {
    Mask m(a.width, a.height);
    for (size_t i = 0; i < m.a.size(); ++i) m.a[i] = std::max(a.a[i], b.a[i]);
    return m;
}

Mask Shifted(const Mask& m, int dx, int dy) {
    Mask out(m.width, m.height);
    for (int y = 0; y < m.height; ++y) {
        for (int x = 0; x < m.width; ++x) out.Ref(x, y) = m.At(x - dx, y - dy);
    }
    return out;
}

Mask Dilated(const Mask& m, double radius) {
    Mask out(m.width, m.height);
    const int r = static_cast<int>(std::ceil(radius));
    for (int y = 0; y < m.height; ++y) {
        for (int x = 0; x < m.width; ++x) {
            float best = 0.0f;
            for (int oy = -r; oy <= r; ++oy) {
                for (int ox = -r; ox <= r; ++ox) {
                    const double d = std::sqrt(double(ox * ox + oy * oy));
                    if (d > radius + 0.5) continue;
                    // Offsets at the rim count partly, so the outline stays smooth.
                    const float weight = static_cast<float>(std::clamp(radius + 0.5 - d, 0.0, 1.0));
                    best = std::max(best, m.At(x + ox, y + oy) * weight);
                }
            }
            out.Ref(x, y) = best;
        }
    }
    return out;
}

Mask Without(const Mask& m, const Mask& cut) {
    Mask out(m.width, m.height);
    for (size_t i = 0; i < m.a.size(); ++i) out.a[i] = std::max(0.0f, m.a[i] - cut.a[i]);
    return out;
}

Canvas::Canvas(int width, int height, Rgb background)
    : width_(width),
      height_(height),
      r_(static_cast<size_t>(width) * height, background.r),
      g_(static_cast<size_t>(width) * height, background.g),
      b_(static_cast<size_t>(width) * height, background.b),
      ink_(static_cast<size_t>(width) * height, 0.0f),
      tags_(static_cast<size_t>(width) * height, 0u),
      tagCoverage_(32) {}

void Canvas::Paint(const Mask& mask, Rgb colour, int tag, int ox, int oy, float alpha) {
    if (tag >= 0 && tag < 32 && tagCoverage_[tag].empty()) {
        tagCoverage_[tag].assign(r_.size(), 0.0f);
    }
    for (int my = 0; my < mask.height; ++my) {
        const int y = my + oy;
        if (y < 0 || y >= height_) continue;
        for (int mx = 0; mx < mask.width; ++mx) {
            const int x = mx + ox;
            if (x < 0 || x >= width_) continue;
            const float c = mask.a[static_cast<size_t>(my) * mask.width + mx] * alpha;
            if (c <= 0.0f) continue;
            const size_t i = Index(x, y);
            r_[i] = r_[i] * (1 - c) + colour.r * c;
            g_[i] = g_[i] * (1 - c) + colour.g * c;
            b_[i] = b_[i] * (1 - c) + colour.b * c;
            ink_[i] = ink_[i] * (1 - c) + c;
            if (tag >= 0 && tag < 32) {
                tags_[i] |= 1u << tag;
                tagCoverage_[tag][i] = std::max(tagCoverage_[tag][i], c);
            }
        }
    }
}

void Canvas::PaintShaded(const Mask& mask, const std::function<Rgb(int x, int y)>& colour, int ox, int oy) {
    for (int my = 0; my < mask.height; ++my) {
        const int y = my + oy;
        if (y < 0 || y >= height_) continue;
        for (int mx = 0; mx < mask.width; ++mx) {
            const int x = mx + ox;
            if (x < 0 || x >= width_) continue;
            const float c = mask.a[static_cast<size_t>(my) * mask.width + mx];
            if (c <= 0.0f) continue;
            const Rgb k = colour(x, y);
            const size_t i = Index(x, y);
            r_[i] = r_[i] * (1 - c) + k.r * c;
            g_[i] = g_[i] * (1 - c) + k.g * c;
            b_[i] = b_[i] * (1 - c) + k.b * c;
            ink_[i] = ink_[i] * (1 - c) + c;
        }
    }
}

void Canvas::Set(int x, int y, Rgb colour) {
    if (x < 0 || y < 0 || x >= width_ || y >= height_) return;
    const size_t i = Index(x, y);
    r_[i] = colour.r;
    g_[i] = colour.g;
    b_[i] = colour.b;
    ink_[i] = 1.0f;
}

Rgb Canvas::At(int x, int y) const {
    const size_t i = Index(x, y);
    auto q = [](float v) { return static_cast<uint8_t>(std::clamp(std::lround(v), 0L, 255L)); };
    return {q(r_[i]), q(g_[i]), q(b_[i])};
}

float Canvas::TagCoverage(int x, int y, int tag) const {
    if (tag < 0 || tag >= 32 || tagCoverage_[tag].empty()) return 0.0f;
    return tagCoverage_[tag][Index(x, y)];
}
