// Draws the suite's bitmap pictures and writes them as 24-bit BMP files into the folder given as
// the only argument: the fifteen frames of the jumping figure that plays while a long search
// runs (JMPB1.VDB … JMPB15.VDB) and the three legend samples of the plot window for f, f' and
// f'' (LEGEND1310.BMP, LEGEND1320.BMP, LEGEND1330.BMP).
//
// The frames have one flat background colour that touches every edge, so that the animation
// control can flood-fill it from pixel (1, 1) with the dialog colour. Edges are smoothed against
// that colour, so the figure blends in after the fill.
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

namespace {

struct Rgb {
    int r, g, b;
};

// The classic dialog colour: also what the smoothed edges blend into.
constexpr Rgb kBackground{212, 208, 200};

struct Shape {
    enum Kind { Circle, Capsule, Ellipse } kind;
    double x1, y1, x2, y2,
        r; // circle: centre, r; capsule: ends, r; ellipse: centre, rx = x2, ry = y2
    Rgb colour;

    bool Covers(double x, double y) const {
        switch (kind) {
        case Circle:
            return (x - x1) * (x - x1) + (y - y1) * (y - y1) <= r * r;
        case Ellipse: {
            const double dx = (x - x1) / x2, dy = (y - y1) / y2;
            return dx * dx + dy * dy <= 1;
        }
        case Capsule: {
            const double vx = x2 - x1, vy = y2 - y1;
            const double len2 = vx * vx + vy * vy;
            double t = len2 > 0 ? ((x - x1) * vx + (y - y1) * vy) / len2 : 0;
            t = t < 0 ? 0 : t > 1 ? 1 : t;
            const double px = x1 + t * vx - x, py = y1 + t * vy - y;
            return px * px + py * py <= r * r;
        }
        }
        return false;
    }
};

class Canvas {
public:
    Canvas(int w, int h) : width(w), height(h), pixels(static_cast<size_t>(w * h), kBackground) {}

    // Paints the shapes in order (later ones on top), 4 × 4 samples per pixel.
    void Paint(const std::vector<Shape>& shapes) {
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x) {
                int r = 0, g = 0, b = 0, hits = 0;
                for (int sy = 0; sy < 4; ++sy)
                    for (int sx = 0; sx < 4; ++sx) {
                        const double px = x + (sx + 0.5) / 4, py = y + (sy + 0.5) / 4;
                        for (auto s = shapes.rbegin(); s != shapes.rend(); ++s)
                            if (s->Covers(px, py)) {
                                r += s->colour.r, g += s->colour.g, b += s->colour.b;
                                ++hits;
                                break;
                            }
                    }
                if (hits == 0) continue;
                const Rgb& old = pixels[static_cast<size_t>(y * width + x)];
                const int rest = 16 - hits;
                Rgb mixed{(r + old.r * rest + 8) / 16, (g + old.g * rest + 8) / 16,
                          (b + old.b * rest + 8) / 16};
                // A faint edge must not take the background's exact colour: the fill would
                // then eat into the figure.
                if (mixed.r == kBackground.r && mixed.g == kBackground.g &&
                    mixed.b == kBackground.b)
                    mixed.b -= 1;
                pixels[static_cast<size_t>(y * width + x)] = mixed;
            }
    }

    // Background pixels that the figure closes in (between an arm and the body) would keep the
    // old colour after the fill from (1, 1): they take a shade next to it instead.
    void MarkEnclosedBackground() {
        std::vector<bool> reached(pixels.size(), false);
        std::vector<int> stack{width + 1};
        while (!stack.empty()) {
            const int i = stack.back();
            stack.pop_back();
            const Rgb& p = pixels[static_cast<size_t>(i)];
            if (reached[static_cast<size_t>(i)] || p.r != kBackground.r || p.g != kBackground.g ||
                p.b != kBackground.b)
                continue;
            reached[static_cast<size_t>(i)] = true;
            const int x = i % width, y = i / width;
            if (x > 0) stack.push_back(i - 1);
            if (x + 1 < width) stack.push_back(i + 1);
            if (y > 0) stack.push_back(i - width);
            if (y + 1 < height) stack.push_back(i + width);
        }
        for (size_t i = 0; i < pixels.size(); ++i) {
            Rgb& p = pixels[i];
            if (!reached[i] && p.r == kBackground.r && p.g == kBackground.g && p.b == kBackground.b)
                p.b -= 8;
        }
    }

    bool SaveBmp(const std::string& path) const {
        const int stride = (width * 3 + 3) & ~3;
        const uint32_t imageSize = static_cast<uint32_t>(stride * height);
        std::vector<uint8_t> out;
        auto u16 = [&](uint32_t v) {
            out.push_back(static_cast<uint8_t>(v));
            out.push_back(static_cast<uint8_t>(v >> 8));
        };
        auto u32 = [&](uint32_t v) {
            u16(v & 0xFFFF);
            u16(v >> 16);
        };
        out.push_back('B');
        out.push_back('M');
        u32(54 + imageSize);
        u32(0);
        u32(54);
        u32(40);
        u32(static_cast<uint32_t>(width));
        u32(static_cast<uint32_t>(height)); // rows bottom-up
        u16(1);
        u16(24);
        u32(0);
        u32(imageSize);
        u32(2835); // 72 dpi
        u32(2835);
        u32(0);
        u32(0);
        for (int y = height - 1; y >= 0; --y) {
            for (int x = 0; x < width; ++x) {
                const Rgb& p = pixels[static_cast<size_t>(y * width + x)];
                out.push_back(static_cast<uint8_t>(p.b));
                out.push_back(static_cast<uint8_t>(p.g));
                out.push_back(static_cast<uint8_t>(p.r));
            }
            for (int pad = width * 3; pad < stride; ++pad) out.push_back(0);
        }
        std::ofstream file(path, std::ios::binary | std::ios::trunc);
        file.write(reinterpret_cast<const char*>(out.data()),
                   static_cast<std::streamsize>(out.size()));
        file.close();
        return static_cast<bool>(file);
    }

private:
    int width, height;
    std::vector<Rgb> pixels;
};

// One pose of the jumping figure: knee bend (0 straight … 1 deep), lift above the ground
// (0 … 1), and the angle of the arms from hanging down (radians, forward is positive).
struct Pose {
    double crouch, lift, arms;
};

// Stand, crouch, take off, rise, peak, fall, land, stand: the last frame is the resting one
// and leads back into the first.
const Pose kPoses[15] = {{0.0, 0.0, 0.25}, {0.45, 0.0, -0.5}, {0.85, 0.0, -0.9}, {0.35, 0.12, 1.2},
                         {0.0, 0.42, 2.6}, {0.0, 0.7, 2.8},   {0.2, 0.9, 2.5},   {0.45, 1.0, 2.1},
                         {0.3, 0.9, 1.8},  {0.1, 0.7, 1.4},   {0.0, 0.42, 1.0},  {0.15, 0.12, 0.7},
                         {0.8, 0.0, 0.2},  {0.4, 0.0, 0.1},   {0.0, 0.0, 0.25}};

constexpr Rgb kShirt{214, 72, 48}, kShirtDark{170, 52, 36}, kTrousers{46, 78, 158},
    kTrousersDark{34, 58, 120}, kSkin{242, 198, 156}, kHair{96, 62, 30}, kShoe{44, 40, 40},
    kShadow{168, 164, 156};

// The knee between hip and foot for legs of two segments of length l, bent forward.
void Knee(double hx, double hy, double fx, double fy, double l, double& kx, double& ky) {
    const double dx = fx - hx, dy = fy - hy;
    const double d = std::sqrt(dx * dx + dy * dy);
    const double half = d / 2;
    const double bend = half < l ? std::sqrt(l * l - half * half) : 0;
    kx = hx + dx / 2 + bend * (dy / d); // perpendicular, towards +x for a leg pointing down
    ky = hy + dy / 2 - bend * (dx / d);
}

std::vector<Shape> Figure(const Pose& pose) {
    const double ground = 58, leg = 9.5, maxLift = 12;
    const double hipY = ground - 1 - 2 * leg + 0.4 + 7 * pose.crouch - maxLift * pose.lift;
    const double lean = 3 * pose.crouch;
    const double hipX = 31 - lean * 0.5;
    const double shoulderX = hipX + lean, shoulderY = hipY - 13 + 2 * pose.crouch;
    const double headX = shoulderX + lean * 0.4, headY = shoulderY - 7.5;

    std::vector<Shape> s;
    // Shadow on the ground, smaller the higher the figure is.
    const double shadow = 11 - 6 * pose.lift;
    s.push_back({Shape::Ellipse, 32, ground + 2.5, shadow, 2.2, 0, kShadow});

    auto legShapes = [&](double offset, Rgb colour) {
        const double hx = hipX + offset, hy = hipY;
        double fx = hipX + offset * 1.5, fy = ground - 1;
        if (pose.lift > 0) { // in the air the feet hang below the hips, pulled up by the bend
            fy = hy + 2 * leg * (1 - 0.35 * pose.crouch) - 1;
            fx = hx - 2 * pose.crouch;
        }
        double kx = 0, ky = 0;
        Knee(hx, hy, fx, fy, leg, kx, ky);
        s.push_back({Shape::Capsule, hx, hy, kx, ky, 2.3, colour});
        s.push_back({Shape::Capsule, kx, ky, fx, fy, 2.1, colour});
        s.push_back({Shape::Capsule, fx - 0.5, fy + 0.5, fx + 3, fy + 0.5, 1.6, kShoe});
    };
    auto armShapes = [&](double angle, Rgb colour) {
        const double ex = shoulderX + 6.5 * std::sin(angle), ey = shoulderY + 6.5 * std::cos(angle);
        const double bend = angle > 1.5 ? -0.35 : 0.35;
        const double hx = ex + 6 * std::sin(angle + bend), hy = ey + 6 * std::cos(angle + bend);
        s.push_back({Shape::Capsule, shoulderX, shoulderY + 1, ex, ey, 1.9, colour});
        s.push_back({Shape::Capsule, ex, ey, hx, hy, 1.7, colour});
        s.push_back({Shape::Circle, hx, hy, 0, 0, 1.9, kSkin});
    };

    armShapes(pose.arms - 0.3, kShirtDark); // the far arm, behind the body
    legShapes(-1.5, kTrousersDark);
    s.push_back({Shape::Capsule, hipX, hipY, shoulderX, shoulderY + 1, 4.2, kShirt});
    s.push_back({Shape::Capsule, hipX - 0.5, hipY - 1, hipX + 0.5, hipY, 3.6, kTrousers});
    legShapes(1.5, kTrousers);
    s.push_back({Shape::Circle, headX, headY, 0, 0, 5.6, kSkin});
    s.push_back({Shape::Ellipse, headX - 0.8, headY - 3.2, 5.2, 3.0, 0, kHair});
    s.push_back({Shape::Circle, headX + 2.6, headY - 0.3, 0, 0, 0.9, kShoe}); // eye
    armShapes(pose.arms, kShirt);
    return s;
}

// A short piece of a graph in the pen colour of f, f' or f'' of the plot window.
std::vector<Shape> LegendSample(Rgb colour) {
    std::vector<Shape> s;
    double px = 4, py = 8;
    for (int i = 1; i <= 32; ++i) {
        const double x = 4 + i, y = 8 - 3.5 * std::sin((x - 4) / 32 * 2 * 3.14159265358979);
        s.push_back({Shape::Capsule, px, py, x, y, 1.2, colour});
        px = x;
        py = y;
    }
    return s;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: makebitmaps FOLDER\n");
        return 2;
    }
    const std::string dir = std::string(argv[1]) + "/";
    bool ok = true;
    for (int i = 0; i < 15; ++i) {
        Canvas frame(64, 64);
        frame.Paint(Figure(kPoses[i]));
        frame.MarkEnclosedBackground();
        ok = frame.SaveBmp(dir + "JMPB" + std::to_string(i + 1) + ".VDB") && ok;
    }
    const struct {
        int id;
        Rgb colour;
    } legends[] = {{1310, {0, 0, 0}}, {1320, {0, 0, 128}}, {1330, {0, 128, 0}}};
    for (const auto& legend : legends) {
        Canvas sample(40, 16);
        sample.Paint(LegendSample(legend.colour));
        ok = sample.SaveBmp(dir + "LEGEND" + std::to_string(legend.id) + ".BMP") && ok;
    }
    if (!ok) std::fprintf(stderr, "makebitmaps: cannot write into %s\n", argv[1]);
    return ok ? 0 : 1;
}
