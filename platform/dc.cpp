#include "dc.h"

#include "dreieckraster.h"
#include "qtbridge.h"
#include "window.h"

#include <QFontMetrics>
#include <QPaintDevice>
#include <QPainter>
#include <QPolygon>
#include <algorithm>
#include <cmath>
#include <limits>
#include <optional>
#include <vector>

#if defined(__x86_64__) || defined(__i386__)
#include <immintrin.h>
#endif

const TColor TColor::Black(0, 0, 0);
const TColor TColor::White(255, 255, 255);
const TColor TColor::LtGray(192, 192, 192);
const TColor TColor::Gray(128, 128, 128);
const TColor TColor::LtRed(255, 0, 0);
const TColor TColor::LtGreen(0, 255, 0);
const TColor TColor::LtBlue(0, 0, 255);
const TColor TColor::SysBtnFace(240, 240, 240);
const TColor TColor::SysWindow(255, 255, 255);

TFont::TFont(const char* face, int height, int, int, int, int weight, bool italic, bool underline,
             bool, int, int, int, int)
    : Face(face ? face : ""), Height(height), Weight(weight), Italic(italic), Underline(underline) {
}

// ---- bitmaps
// -------------------------------------------------------------------------------------

TBitmap::TBitmap(const char* fileName) : impl_(new TBitmapImpl) {
    impl_->image.load(QStr(fileName));
    if (!impl_->image.isNull())
        impl_->image = impl_->image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
}

TBitmap::TBitmap(int width, int height, const TColor& fill) : impl_(new TBitmapImpl) {
    if (width <= 0 || height <= 0) return;
    impl_->image = QImage(width, height, QImage::Format_ARGB32_Premultiplied);
    impl_->image.fill(QColor(fill.Red(), fill.Green(), fill.Blue()));
}

TBitmap::~TBitmap() = default;
bool TBitmap::IsOk() const {
    return !impl_->image.isNull();
}
int TBitmap::Width() const {
    return impl_->image.width();
}
int TBitmap::Height() const {
    return impl_->image.height();
}

TColor TBitmap::GetPixel(int x, int y) const {
    if (!impl_->image.valid(x, y)) return TColor(0xFFFFFFFFu);
    QRgb c = impl_->image.pixel(x, y);
    return TColor(qRed(c), qGreen(c), qBlue(c));
}

bool TBitmap::SaveAs(const char* fileName) const {
    return impl_->image.save(QStr(fileName));
}

// ---- the DC's state
// ------------------------------------------------------------------------------

namespace {
QColor Q(const TColor& c) {
    return QColor(c.Red(), c.Green(), c.Blue());
}

struct TDCState {
    TMapping map;
    TPen pen{TColor::Black};
    TBrush brush{TColor::White};
    TFont font{"", 0};
    TColor textColor = TColor::Black, bkColor = TColor::White;
    int bkMode = OPAQUE;
    unsigned textAlign = TA_LEFT | TA_TOP;
    std::optional<QRect> clip; // device pixels
    TPoint pos;
};
} // namespace

struct TDCImpl {
    QPainter* painter = nullptr;
    std::unique_ptr<QPainter> ownPainter;
    QImage* image = nullptr;         // bitmap surfaces: where flood fill and GetPixel work
    QPointer<QWidget> updateOnClose; // client DCs repaint their window when done
    TDCState s;
    std::vector<TDCState> saved;
    std::vector<TPen> pens;
    std::vector<TBrush> brushes;
    std::vector<TFont> fonts;

    void Begin(QPaintDevice* device) {
        ownPainter = std::make_unique<QPainter>(device);
        Use(*ownPainter);
    }
    void Use(QPainter& p) {
        painter = &p;
        eingerichtet = false;
        QPaintDevice* d = p.device();
        s.map.dpiX = d ? d->logicalDpiX() : 96;
        s.map.dpiY = d ? d->logicalDpiY() : 96;
        s.font.Face = p.font().family().toStdString();
    }
    QPoint Dev(int x, int y) const {
        TPoint p = s.map.LPtoDP(TPoint(x, y));
        return QPoint(p.x, p.y);
    }
    QRect DevRect(int l, int t, int r, int b) const {
        QPoint a = Dev(l, t), c = Dev(r, b);
        return QRect(QPoint(std::min(a.x(), c.x()), std::min(a.y(), c.y())),
                     QPoint(std::max(a.x(), c.x()) - 1, std::max(a.y(), c.y()) - 1));
    }
    QPen Pen() const {
        if (s.pen.Style == PS_NULL) return QPen(Qt::NoPen);
        int width = std::max(1, int(std::lround(s.map.LengthX(s.pen.Width))));
        QPen pen(Q(s.pen.Color), width);
        pen.setCosmetic(true);
        // Windows draws styled lines only one pixel wide.
        if (s.pen.Style == PS_DOT && width == 1) pen.setStyle(Qt::DotLine);
        if (s.pen.Style == PS_DASH && width == 1) pen.setStyle(Qt::DashLine);
        return pen;
    }
    QBrush Brush() const {
        return s.brush.Style == BS_NULL ? QBrush(Qt::NoBrush) : QBrush(Q(s.brush.Color));
    }
    QFont Font() const {
        QFont f = painter ? painter->font() : QFont();
        if (!s.font.Face.empty()) f.setFamily(QString::fromStdString(s.font.Face));
        f.setWeight(s.font.Weight >= 600 ? QFont::Bold : QFont::Normal);
        f.setItalic(s.font.Italic);
        f.setUnderline(s.font.Underline);
        if (s.font.Height != 0) {
            int px = std::max(1, int(std::lround(s.map.LengthY(std::abs(s.font.Height)))));
            f.setPixelSize(px);
            // A positive height is the cell height: shrink until the line fits it.
            if (s.font.Height > 0) {
                QFontMetrics fm(f, painter ? painter->device() : nullptr);
                if (fm.height() > px) f.setPixelSize(std::max(1, px * px / fm.height()));
            }
        }
        return f;
    }
    // A triangle in the current pen and `brush` filled straight into a bitmap; false where the
    // painter has to draw it (no bitmap, styled or wide pens, antialiasing).
    bool Dreieck(const TPoint* points, const TBrush& brush);
    // The transform and clip last set on a painter of the DC's own, which nothing else
    // changes: they hold until the painter begins anew (Neu).
    bool eingerichtet = false;
    std::optional<QRect> gesetzterClip;
    void Neu() { eingerichtet = false; }
    // Painter set up for device-coordinate drawing.
    QPainter* P() {
        if (!painter) return nullptr;
        if (!eingerichtet || s.clip != gesetzterClip) {
            painter->resetTransform();
            if (s.clip)
                painter->setClipRect(*s.clip);
            else
                painter->setClipping(false);
            eingerichtet = ownPainter != nullptr;
            gesetzterClip = s.clip;
        }
        painter->setPen(Pen());
        painter->setBrush(Brush());
        return painter;
    }
};

TDC::TDC() : impl_(new TDCImpl) {}
TDC::~TDC() = default;

int TDC::SetMapMode(int mode) {
    int old = impl_->s.map.mode;
    impl_->s.map.SetMode(mode);
    return old;
}
int TDC::GetMapMode() const {
    return impl_->s.map.mode;
}

TPoint TDC::SetWindowOrg(const TPoint& p) {
    return std::exchange(impl_->s.map.windowOrg, p);
}
TPoint TDC::GetWindowOrg() const {
    return impl_->s.map.windowOrg;
}

TSize TDC::SetWindowExt(const TSize& sz) {
    TSize old = impl_->s.map.windowExt;
    impl_->s.map.SetWindowExt(sz);
    return old;
}
TSize TDC::GetWindowExt() const {
    return impl_->s.map.windowExt;
}

TPoint TDC::SetViewportOrg(const TPoint& p) {
    return std::exchange(impl_->s.map.viewportOrg, p);
}
TPoint TDC::GetViewportOrg() const {
    return impl_->s.map.viewportOrg;
}

TSize TDC::SetViewportExt(const TSize& sz) {
    TSize old = impl_->s.map.viewportExt;
    impl_->s.map.SetViewportExt(sz);
    return old;
}
TSize TDC::GetViewportExt() const {
    return impl_->s.map.viewportExt;
}

void TDC::LPtoDP(TPoint* points, int count) const {
    for (int i = 0; i < count; ++i) points[i] = impl_->s.map.LPtoDP(points[i]);
}
void TDC::DPtoLP(TPoint* points, int count) const {
    for (int i = 0; i < count; ++i) points[i] = impl_->s.map.DPtoLP(points[i]);
}
const TMapping& TDC::Mapping() const {
    return impl_->s.map;
}

int TDC::GetDeviceCaps(int index) const {
    QPaintDevice* d = impl_->painter ? impl_->painter->device() : nullptr;
    if (!d) return 0;
    switch (index) {
    case LOGPIXELSX:
        return d->logicalDpiX();
    case LOGPIXELSY:
        return d->logicalDpiY();
    case HORZRES:
        return d->width();
    case VERTRES:
        return d->height();
    case HORZSIZE:
        return int(std::lround(d->width() * 25.4 / d->logicalDpiX()));
    case VERTSIZE:
        return int(std::lround(d->height() * 25.4 / d->logicalDpiY()));
    case BITSPIXEL:
        return d->depth();
    case PLANES:
        return 1;
    default:
        return 0;
    }
}

void TDC::SelectObject(const TPen& pen) {
    impl_->pens.push_back(impl_->s.pen);
    impl_->s.pen = pen;
}
void TDC::SelectObject(const TBrush& brush) {
    impl_->brushes.push_back(impl_->s.brush);
    impl_->s.brush = brush;
}
void TDC::SelectObject(const TFont& font) {
    impl_->fonts.push_back(impl_->s.font);
    impl_->s.font = font;
}
void TDC::SelectStockPen(bool nullPen) {
    SelectObject(TPen(TColor::Black, 1, nullPen ? PS_NULL : PS_SOLID));
}
void TDC::RestorePen() {
    if (impl_->pens.empty()) return;
    impl_->s.pen = impl_->pens.back();
    impl_->pens.pop_back();
}
void TDC::RestoreBrush() {
    if (impl_->brushes.empty()) return;
    impl_->s.brush = impl_->brushes.back();
    impl_->brushes.pop_back();
}
void TDC::RestoreFont() {
    if (impl_->fonts.empty()) return;
    impl_->s.font = impl_->fonts.front();
    impl_->fonts.clear();
}
void TDC::RestoreObjects() {
    while (!impl_->pens.empty()) RestorePen();
    while (!impl_->brushes.empty()) RestoreBrush();
    RestoreFont();
}

TColor TDC::SetTextColor(const TColor& c) {
    return std::exchange(impl_->s.textColor, c);
}
TColor TDC::SetBkColor(const TColor& c) {
    return std::exchange(impl_->s.bkColor, c);
}
int TDC::SetBkMode(int mode) {
    return std::exchange(impl_->s.bkMode, mode);
}
unsigned TDC::SetTextAlign(unsigned flags) {
    return std::exchange(impl_->s.textAlign, flags);
}
unsigned TDC::GetTextAlign() const {
    return impl_->s.textAlign;
}

int TDC::SaveDC() {
    impl_->saved.push_back(impl_->s);
    return int(impl_->saved.size());
}

bool TDC::RestoreDC(int savedDC) {
    auto& saved = impl_->saved;
    int n = int(saved.size());
    int index = savedDC < 0 ? n + savedDC + 1 : savedDC; // -1 = the last one
    if (index < 1 || index > n) return false;
    impl_->s = saved[size_t(index - 1)];
    saved.resize(size_t(index - 1));
    return true;
}

void TDC::IntersectClipRect(const TRect& r) {
    QRect d = impl_->DevRect(r.left, r.top, r.right, r.bottom);
    impl_->s.clip = impl_->s.clip ? impl_->s.clip->intersected(d) : d;
}
void TDC::SelectClipRect(const TRect& r) {
    impl_->s.clip = impl_->DevRect(r.left, r.top, r.right, r.bottom);
}
void TDC::RemoveClip() {
    impl_->s.clip.reset();
}

TPoint TDC::MoveTo(int x, int y) {
    return std::exchange(impl_->s.pos, TPoint(x, y));
}
TPoint TDC::GetCurrentPosition() const {
    return impl_->s.pos;
}

bool TDC::LineTo(int x, int y) {
    QPainter* p = impl_->P();
    if (p) p->drawLine(impl_->Dev(impl_->s.pos.x, impl_->s.pos.y), impl_->Dev(x, y));
    impl_->s.pos = TPoint(x, y);
    return p != nullptr;
}

bool TDC::Rectangle(int l, int t, int r, int b) {
    QPainter* p = impl_->P();
    if (!p) return false;
    QRect d = impl_->DevRect(l, t, r, b);
    // The outline lies inside the rectangle's last pixel, as on Windows.
    p->drawRect(d.adjusted(0, 0, -1 + (d.width() == 1), -1 + (d.height() == 1)));
    return true;
}

bool TDC::Ellipse(int l, int t, int r, int b) {
    QPainter* p = impl_->P();
    if (!p) return false;
    p->drawEllipse(impl_->DevRect(l, t, r, b).adjusted(0, 0, -1, -1));
    return true;
}

#if defined(__x86_64__) || defined(__i386__)
namespace {
__attribute__((target("avx"))) void ObereHaelftenLeeren() {
    _mm256_zeroupper();
}
} // namespace
void VektorRegisterFreigeben() {
    static const bool avx = __builtin_cpu_supports("avx");
    if (avx) ObereHaelftenLeeren();
}
#else
void VektorRegisterFreigeben() {}
#endif

// What every triangle on the surface needs from its state, looked at once.
struct TDreiecke::Impl {
    bool schnell = false; // pixels written directly
    bool leer = false;    // the clip is empty: nothing to draw
    bool ohneRand = true;
    QRgb rand = 0;
    TMapping map;
    std::optional<TDreieckRaster> raster;

    explicit Impl(TDCImpl& d) {
        const QImage* image = d.image;
        if (!image || !d.painter || image->format() != QImage::Format_ARGB32_Premultiplied) return;
        if (d.painter->renderHints() & QPainter::Antialiasing) return;
        const TDCState& s = d.s;
        ohneRand = s.pen.Style == PS_NULL;
        // One pixel wide: what Pen() would round to 1 (without building the pen).
        if (!ohneRand && (s.pen.Style != PS_SOLID || std::fabs(s.map.LengthX(s.pen.Width)) >= 1.5))
            return;
        schnell = true;
        QRect clip = image->rect();
        if (s.clip) clip &= *s.clip;
        leer = clip.isEmpty();
        if (leer) return;
        rand = Farbe(s.pen.Color);
        map = s.map;
        raster.emplace(*d.image, clip);
    }
    static QRgb Farbe(const TColor& c) { return qRgb(c.Red(), c.Green(), c.Blue()); }
    QPoint Dev(const TPoint& p) const {
        const TPoint d = map.LPtoDP(p);
        return QPoint(d.x, d.y);
    }
    // False where the painter has to draw.
    bool Zeichne(const TPoint* points, const TBrush& brush) const {
        if (!schnell) return false;
        if (!leer) Pixel(points, Farbe(brush.Color), brush.Style != BS_NULL);
        return true;
    }
    // Straight into the pixels: the small ones through their masks.
    void Pixel(const TPoint* points, QRgb fuellung, bool fuellen) const {
        const QPoint v[3] = {Dev(points[0]), Dev(points[1]), Dev(points[2])};
        if (!raster->Klein(v, fuellen ? &fuellung : nullptr, ohneRand ? nullptr : &rand))
            Gross(v, fuellung, fuellen);
    }
    // The rows and lines of a triangle in device pixels.
    void Gross(const QPoint v[3], QRgb fuellung, bool fuellen) const {
        if (fuellen) raster->Fuelle(v, fuellung);
        if (!ohneRand) {
            const bool innen[3] = {raster->Innen(v[0]), raster->Innen(v[1]), raster->Innen(v[2])};
            for (int k = 0; k < 3; ++k)
                raster->Linie(v[k], v[(k + 1) % 3], rand, innen[k] && innen[(k + 1) % 3]);
        }
    }
};

bool TDCImpl::Dreieck(const TPoint* points, const TBrush& brush) {
    return TDreiecke::Impl(*this).Zeichne(points, brush);
}

TDreiecke::TDreiecke(TDC& dc) : Dc(dc), impl_(std::make_unique<Impl>(*dc.impl_)) {}
TDreiecke::~TDreiecke() {
    Zeichne();
}

void TDreiecke::Zeichne() {
    const Impl& d = *impl_;
    if (d.schnell && !d.leer) {
        for (int k = 0; k < Anzahl; ++k)
            d.Pixel(Schlange[k].ecken, d.Farbe(Schlange[k].fuellung), true);
    } else {
        for (int k = 0; k < Anzahl; ++k) {
            const Eintrag& e = Schlange[k];
            if (!d.Zeichne(e.ecken, TBrush(e.fuellung))) Dc.Dreieck(e.ecken, e.fuellung);
        }
    }
    Anzahl = 0;
}

bool TDreiecke::Dreieck(const TPoint* points, const TColor& fuellung) {
    Zeichne(); // after the queue
    if (points && impl_->Zeichne(points, TBrush(fuellung))) return true;
    return Dc.Dreieck(points, fuellung);
}

bool TDC::Dreieck(const TPoint* points, const TColor& fuellung) {
    const TBrush brush(fuellung);
    if (points && impl_->Dreieck(points, brush)) return true;
    SelectObject(brush);
    const bool gezeichnet = Polygon(points, 3);
    RestoreBrush();
    return gezeichnet;
}

bool TDC::Polygon(const TPoint* points, int count) {
    if (count == 3 && points && impl_->Dreieck(points, impl_->s.brush)) return true;
    QPainter* p = impl_->P();
    if (!p || count < 2) return false;
    QPolygon poly;
    for (int i = 0; i < count; ++i) poly << impl_->Dev(points[i].x, points[i].y);
    p->drawPolygon(poly, Qt::OddEvenFill);
    return true;
}

bool TDC::Polyline(const TPoint* points, int count) {
    QPainter* p = impl_->P();
    if (!p || count < 2) return false;
    QPolygon poly;
    for (int i = 0; i < count; ++i) poly << impl_->Dev(points[i].x, points[i].y);
    p->drawPolyline(poly);
    return true;
}

bool TDC::FillRect(const TRect& r, const TBrush& brush) {
    QPainter* p = impl_->P();
    if (!p) return false;
    if (brush.Style != BS_NULL)
        p->fillRect(impl_->DevRect(r.left, r.top, r.right, r.bottom), Q(brush.Color));
    return true;
}

bool TDC::SetPixel(int x, int y, const TColor& c) {
    QPainter* p = impl_->P();
    if (!p) return false;
    p->fillRect(QRect(impl_->Dev(x, y), QSize(1, 1)), Q(c));
    return true;
}

TColor TDC::GetPixel(int x, int y) const {
    QImage* img = impl_->image;
    QPoint d = impl_->Dev(x, y);
    if (!img || !img->valid(d)) return TColor(0xFFFFFFFFu);
    if (impl_->painter) impl_->painter->end(), impl_->painter->begin(img), impl_->Neu();
    QRgb c = img->pixel(d);
    return TColor(qRed(c), qGreen(c), qBlue(c));
}

bool TDC::TextOut(int x, int y, const char* text, int len) {
    QPainter* p = impl_->P();
    if (!p || !text) return false;
    QString t = len < 0 ? QStr(text) : QStr(std::string(text, size_t(len)));
    QFont f = impl_->Font();
    p->setFont(f);
    QFontMetrics fm(f, p->device());
    QPoint d = impl_->Dev(x, y);
    int w = fm.horizontalAdvance(t);
    const unsigned a = impl_->s.textAlign;
    int left = (a & TA_CENTER) == TA_CENTER ? d.x() - w / 2 : (a & TA_RIGHT) ? d.x() - w : d.x();
    int base = (a & TA_BASELINE) == TA_BASELINE ? d.y()
               : (a & TA_BOTTOM)                ? d.y() - fm.descent()
                                                : d.y() + fm.ascent();
    if (impl_->s.bkMode == OPAQUE)
        p->fillRect(QRect(left, base - fm.ascent(), w, fm.height()), Q(impl_->s.bkColor));
    p->setPen(Q(impl_->s.textColor));
    p->drawText(QPoint(left, base), t);
    return true;
}

TSize TDC::GetTextExtent(const char* text, int len) const {
    QString t = len < 0 ? QStr(text) : QStr(std::string(text, size_t(len)));
    QFont f = impl_->Font();
    QFontMetrics fm(f, impl_->painter ? impl_->painter->device() : nullptr);
    const TMapping& m = impl_->s.map;
    return TSize(int(std::lround(fm.horizontalAdvance(t) / std::fabs(m.ScaleX()))),
                 int(std::lround(fm.height() / std::fabs(m.ScaleY()))));
}

int TDC::GetTextHeight() const {
    return GetTextExtent("Ag").cy;
}

bool TDC::ExtFloodFill(int x, int y, const TColor& c, unsigned type) {
    QImage* img = impl_->image;
    QPoint start = impl_->Dev(x, y);
    if (!img || !img->valid(start) || impl_->s.brush.Style == BS_NULL) return false;
    // Whatever the painter holds must reach the image first.
    QPainter* p = impl_->painter;
    if (p) p->end();
    const QRgb target = qRgb(c.Red(), c.Green(), c.Blue());
    const QRgb fill =
        qRgb(impl_->s.brush.Color.Red(), impl_->s.brush.Color.Green(), impl_->s.brush.Color.Blue());
    auto inside = [&](int px, int py) {
        QRgb here = img->pixel(px, py) | 0xFF000000u;
        return type == FLOODFILLSURFACE
                   ? here == (target | 0xFF000000u)
                   : here != (target | 0xFF000000u) && here != (fill | 0xFF000000u);
    };
    bool done = false;
    if (inside(start.x(), start.y()) && !(type == FLOODFILLSURFACE && target == fill)) {
        // Scanline fill with an explicit stack: no recursion, however large the area.
        std::vector<QPoint> stack{start};
        while (!stack.empty()) {
            QPoint q = stack.back();
            stack.pop_back();
            int px = q.x(), py = q.y();
            if (!inside(px, py)) continue;
            int l = px, r = px;
            while (l > 0 && inside(l - 1, py)) --l;
            while (r + 1 < img->width() && inside(r + 1, py)) ++r;
            for (int i = l; i <= r; ++i) img->setPixel(i, py, fill);
            for (int ny : {py - 1, py + 1}) {
                if (ny < 0 || ny >= img->height()) continue;
                for (int i = l; i <= r; ++i)
                    if (inside(i, ny) && (i == l || !inside(i - 1, ny))) stack.emplace_back(i, ny);
            }
        }
        done = true;
    }
    if (p) p->begin(img), impl_->Neu();
    return done;
}

bool TDC::StretchBlt(int x, int y, int w, int h, const TDC& src, int sx, int sy, int sw, int sh,
                     unsigned) {
    QPainter* p = impl_->P();
    QImage* img = src.impl_->image;
    if (!p || !img) return false;
    if (src.impl_->painter) src.impl_->painter->end();
    QRect target = impl_->DevRect(x, y, x + w, y + h);
    QRect source = src.impl_->DevRect(sx, sy, sx + sw, sy + sh);
    p->setRenderHint(QPainter::SmoothPixmapTransform, true);
    p->drawImage(target, *img, source);
    if (src.impl_->painter) src.impl_->painter->begin(img), src.impl_->Neu();
    return true;
}

bool TDC::DrawBitmap(const TBitmap& bitmap, const TRect& r) {
    QPainter* p = impl_->P();
    if (!p || !bitmap.IsOk()) return false;
    p->setRenderHint(QPainter::SmoothPixmapTransform, true);
    p->drawImage(impl_->DevRect(r.left, r.top, r.right, r.bottom), bitmap.impl_->image);
    return true;
}

// ---- the kinds of DC
// ------------------------------------------------------------------------------

namespace {
// A DC on the window's overlay: what it draws shows over the window until it is invalidated.
void BeginOverlay(TDCImpl& dc, TWindowImpl& w) {
    QWidget* widget = w.widget;
    if (!widget) return;
    if (w.overlay.size() != widget->size()) {
        w.overlay = QImage(widget->size(), QImage::Format_ARGB32_Premultiplied);
        w.overlay.fill(Qt::transparent);
    }
    dc.image = &w.overlay;
    dc.updateOnClose = widget;
    dc.Begin(&w.overlay);
}

void EndOverlay(TDCImpl& dc) {
    dc.ownPainter.reset();
    if (dc.updateOnClose) dc.updateOnClose->update();
}
} // namespace

TPaintDC::TPaintDC(TWindow& window) {
    TWindowImpl& w = *window.impl_;
    if (w.inPaint && w.paintDevice)
        impl_->Begin(w.paintDevice);
    else
        BeginOverlay(*impl_, w); // outside a paint this is a client DC
}

TPaintDC::~TPaintDC() {
    EndOverlay(*impl_);
}

TClientDC::TClientDC(TWindow& window) {
    BeginOverlay(*impl_, *window.impl_);
}

TClientDC::~TClientDC() {
    EndOverlay(*impl_);
}

TMemoryDC::TMemoryDC(TBitmap& bitmap) {
    if (!bitmap.IsOk()) return;
    impl_->image = &bitmap.impl_->image;
    impl_->Begin(impl_->image);
}

TMemoryDC::~TMemoryDC() {
    impl_->ownPainter.reset();
}

TPainterDC::TPainterDC(QPainter& painter) {
    impl_->Use(painter);
}
TPainterDC::~TPainterDC() = default;
