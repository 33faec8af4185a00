#include "dreieckraster.h"

#include <cmath>
#include <cstdlib>
#include <iterator>
#include <vector>

#ifdef __SSE2__
#include <emmintrin.h>
#endif

namespace {

// The pixels xa to xb of a row (none where xb < xa). Short rows, as most are here, by a few
// stores that may overlap, with no loop to guess the end of.
inline void ZeileFuellen(QRgb* zeile, int xa, int xb, QRgb farbe) {
    const int n = xb - xa + 1;
    if (n <= 0) return;
    QRgb* q = zeile + xa;
#ifdef __SSE2__
    if (n >= 4) {
        const __m128i vier = _mm_set1_epi32(int(farbe));
        QRgb* const ende = zeile + xb - 3;
        for (; q < ende; q += 4) _mm_storeu_si128(reinterpret_cast<__m128i*>(q), vier);
        _mm_storeu_si128(reinterpret_cast<__m128i*>(ende), vier);
        return;
    }
    q[0] = farbe;
    q[n >> 1] = farbe;
    q[n - 1] = farbe;
#else
    for (int i = 0; i < n; ++i) q[i] = farbe;
#endif
}

} // namespace

void TDreieckRaster::Fuelle(const QPoint v[3], QRgb farbe) const {
    // Sorted by row: the long edge p0-p2 on one side, p0-p1 and then p1-p2 on the other.
    QPoint p[3] = {v[0], v[1], v[2]};
    if (p[1].y() < p[0].y()) std::swap(p[0], p[1]);
    if (p[2].y() < p[1].y()) std::swap(p[1], p[2]);
    if (p[1].y() < p[0].y()) std::swap(p[0], p[1]);
    if (p[0].y() == p[2].y()) return;
    // Rows whose centres y + 0.5 lie in [p0.y, p2.y).
    const int von = std::max(p[0].y(), T), bis = std::min(p[2].y() - 1, B);
    const auto k = [](const QPoint& a, const QPoint& b) {
        return a.y() == b.y() ? 0.0 : double(b.x() - a.x()) / double(b.y() - a.y());
    };
    // Row ends are kept just outside the clip's columns and then rounded down: truncation
    // rounds down there, as z + 65536 is positive.
    const double links = L - 2.0, rechts = R + 2.0;
    const auto abrunden = [links, rechts](double z) {
        return int(std::clamp(z, links, rechts) + 65536.0) - 65536;
    };
    // With all corners within the clip's columns, every row end lies between them (give or
    // take far less than half a pixel): neither keeping them nor cutting the rows to the clip
    // changes a row, and both are left out.
    const bool spaltenInnen = std::min({p[0].x(), p[1].x(), p[2].x()}) >= L &&
                              std::max({p[0].x(), p[1].x(), p[2].x()}) <= R;
    const double k02 = k(p[0], p[2]);
    double lang = p[0].x() + (von + 0.5 - p[0].y()) * k02;
    for (int teil = 0; teil < 2; ++teil) {
        const QPoint a = p[teil], e = p[teil + 1];
        const int ya = teil == 0 ? von : std::max(von, p[1].y());
        const int yb = teil == 0 ? std::min(bis, p[1].y() - 1) : bis;
        if (ya > yb) continue;
        const double kk = k(a, e);
        double kurz = a.x() + (ya + 0.5 - a.y()) * kk;
        uchar* zeile = Bits + ya * Bpl;
        if (spaltenInnen) {
            for (int y = ya; y <= yb; ++y, zeile += Bpl, lang += k02, kurz += kk)
                ZeileFuellen(reinterpret_cast<QRgb*>(zeile),
                             int(std::min(lang, kurz) - 0.5 + 65536.0) - 65535,
                             int(std::max(lang, kurz) - 0.5 + 65536.0) - 65536, farbe);
            continue;
        }
        for (int y = ya; y <= yb; ++y, zeile += Bpl, lang += k02, kurz += kk) {
            // Pixel centres x + 0.5 in (links, rechts], as the painter takes them.
            const int xa = std::max(L, abrunden(std::min(lang, kurz) - 0.5) + 1);
            const int xb = std::min(R, abrunden(std::max(lang, kurz) - 0.5));
            ZeileFuellen(reinterpret_cast<QRgb*>(zeile), xa, xb, farbe);
        }
    }
}

void TDreieckRaster::Linie(QPoint a, QPoint b, QRgb farbe, bool innen) const {
    const long long dx = std::llabs(static_cast<long long>(b.x()) - a.x()),
                    dy = std::llabs(static_cast<long long>(b.y()) - a.y());
    if (!innen && std::max(dx, dy) > 4 * (R - L + B - T + 2)) return LangeLinie(a, b, farbe);
    const int sx = a.x() < b.x() ? 1 : -1, sy = a.y() < b.y() ? 1 : -1;
    long long fehler = dx - dy;
    int x = a.x(), y = a.y();
    if (innen) {
        // Every step stays inside: walk the pixel address along. The steps above go along the
        // longer extent every time and along the shorter one where the error says so; done so
        // here, counted and with the shorter step masked in, not branched to.
        QRgb* q = reinterpret_cast<QRgb*>(Bits + y * Bpl) + x;
        const qsizetype zeile = sy * (Bpl / qsizetype(sizeof(QRgb)));
        if (dx >= dy) {
            for (long long n = dx; n > 0; --n) {
                *q = farbe;
                const long long quer = -static_cast<long long>(2 * fehler < dx); // all ones or 0
                fehler += (dx & quer) - dy;
                q += sx + (zeile & quer);
            }
        } else {
            for (long long n = dy; n > 0; --n) {
                *q = farbe;
                const long long quer = -static_cast<long long>(2 * fehler > -dy);
                fehler += dx - (dy & quer);
                q += zeile + (sx & quer);
            }
        }
        *q = farbe;
        return;
    }
    for (;;) {
        if (x >= L && x <= R && y >= T && y <= B)
            reinterpret_cast<QRgb*>(Bits + y * Bpl)[x] = farbe;
        if (x == b.x() && y == b.y()) break;
        const long long f2 = 2 * fehler;
        if (f2 > -dy) fehler -= dy, x += sx;
        if (f2 < dx) fehler += dx, y += sy;
    }
}

void TDreieckRaster::LangeLinie(QPoint a, QPoint b, QRgb farbe) const {
    const long long dx = static_cast<long long>(b.x()) - a.x(),
                    dy = static_cast<long long>(b.y()) - a.y();
    const bool waagrecht = std::llabs(dx) >= std::llabs(dy);
    if ((waagrecht ? dx : dy) < 0) std::swap(a, b);
    const int a1 = waagrecht ? a.x() : a.y(), b1 = waagrecht ? b.x() : b.y();
    const int a2 = waagrecht ? a.y() : a.x(), b2 = waagrecht ? b.y() : b.x();
    const int von = std::max(a1, waagrecht ? L : T), bis = std::min(b1, waagrecht ? R : B);
    const double steigung = double(b2 - a2) / double(b1 - a1);
    for (int t = von; t <= bis; ++t) {
        const double u = a2 + (t - a1) * steigung;
        if (!(u > -1e9 && u < 1e9)) continue;
        const int w = int(std::lround(u));
        const int x = waagrecht ? t : w, y = waagrecht ? w : t;
        if (x >= L && x <= R && y >= T && y <= B)
            reinterpret_cast<QRgb*>(Bits + y * Bpl)[x] = farbe;
    }
}

// The 3D drawing's triangles are mostly a pixel or two wide and a few high: for those, setting
// up rows and three lines costs many times writing the handful of pixels. Every small triangle
// is drawn once by Fuelle and Linie into a scratch box, and the pixels they set are kept by the
// corners' places in the box. Both depend on nothing else: the row ends are exact quotients of
// small whole numbers rounded down (the rounding to whole pixels absorbs the few units in the
// last place that adding them up costs wherever the box lies), and the lines are whole-number
// steps.
const TDreieckRaster::Masken* TDreieckRaster::KleineMasken() {
    static const std::vector<Masken> alle = [] {
        std::vector<Masken> m(size_t(1) << 15);
        QRgb box[4 * (kKleinH + 1)];
        const TDreieckRaster raster(reinterpret_cast<uchar*>(box), 4 * sizeof(QRgb),
                                    QRect(0, 0, 4, kKleinH + 1));
        auto maske = [&](auto zeichne) {
            std::fill(std::begin(box), std::end(box), 0u);
            zeichne();
            uint32_t bits = 0;
            for (int i = 0; i < 4 * (kKleinH + 1); ++i) bits |= uint32_t(box[i] != 0) << i;
            return bits;
        };
        for (unsigned k = 0; k < m.size(); ++k) {
            QPoint v[3];
            for (int e = 0; e < 3; ++e)
                v[e] = QPoint(int(k >> (9 + 2 * e)) & 3, int(k >> (3 * e)) & 7);
            // Only boxes the corners reach on the left and at the top are ever looked up.
            if (std::min({v[0].x(), v[1].x(), v[2].x()}) != 0 ||
                std::min({v[0].y(), v[1].y(), v[2].y()}) != 0)
                continue;
            m[k].fuellung = maske([&] { raster.Fuelle(v, 1); });
            m[k].rand = maske([&] {
                for (int e = 0; e < 3; ++e) raster.Linie(v[e], v[(e + 1) % 3], 1, true);
            });
        }
        return m;
    }();
    return alle.data();
}
