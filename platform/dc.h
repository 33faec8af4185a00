// TDC: drawing with the Windows device-context model over the layer's painter. Coordinates are
// logical units of the current mapping mode (MM_TEXT pixels, MM_LOMETRIC tenths of a
// millimetre with y growing upwards, MM_ANISOTROPIC by window and viewport extents). A TDC
// draws on a window (TPaintDC in EvPaint/Paint, TClientDC outside), on a bitmap (TMemoryDC) or
// on a page of a printer or PDF file (made by the print code through the layer's Qt bridge).
#pragma once

#include "mapping.h"
#include "wintypes.h"

#include <memory>
#include <string>

class TWindow;
struct TDCImpl;

enum : int { PS_SOLID = 0, PS_DASH = 1, PS_DOT = 2, PS_NULL = 5 };
enum : int { BS_SOLID = 0, BS_NULL = 1, BS_HOLLOW = 1 };
enum : int { TRANSPARENT = 1, OPAQUE = 2 };
enum : unsigned {
    TA_LEFT = 0,
    TA_TOP = 0,
    TA_RIGHT = 2,
    TA_CENTER = 6,
    TA_BOTTOM = 8,
    TA_BASELINE = 24,
};
enum : int { FW_NORMAL = 400, FW_BOLD = 700 };
enum : unsigned { FLOODFILLBORDER = 0, FLOODFILLSURFACE = 1 };
enum : int {
    HORZSIZE = 4,
    VERTSIZE = 6,
    HORZRES = 8,
    VERTRES = 10,
    BITSPIXEL = 12,
    PLANES = 14,
    LOGPIXELSX = 88,
    LOGPIXELSY = 90
};
enum : unsigned { SRCCOPY = 0x00CC0020 };

class TPen {
public:
    TPen(const TColor& color, int width = 1, int style = PS_SOLID)
        : Color(color), Width(width), Style(style) {}
    TColor Color;
    int Width; // logical units; 0 and 1 draw one pixel
    int Style;
};

class TBrush {
public:
    TBrush(const TColor& color) : Color(color) {}
    static TBrush Null() {
        TBrush b(TColor::White);
        b.Style = BS_NULL;
        return b;
    }
    TColor Color;
    int Style = BS_SOLID;
};

class TFont {
public:
    // `height` in logical units: negative = character height, positive = cell height (as on
    // Windows); 0 = the default size.
    TFont(const char* face, int height, int width = 0, int escapement = 0, int orientation = 0,
          int weight = FW_NORMAL, bool italic = false, bool underline = false,
          bool strikeout = false, int charSet = 0, int outPrecision = 0, int clipPrecision = 0,
          int quality = 0);
    std::string Face;
    int Height, Weight;
    bool Italic, Underline;
};

// A picture in memory: loaded from a BMP/PNG file or made empty in a size.
struct TBitmapImpl;
class TBitmap {
public:
    explicit TBitmap(const char* fileName);
    TBitmap(int width, int height, const TColor& fill = TColor::White);
    ~TBitmap();
    TBitmap(const TBitmap&) = delete;
    TBitmap& operator=(const TBitmap&) = delete;
    bool IsOk() const;
    int Width() const;
    int Height() const;
    TColor GetPixel(int x, int y) const;
    bool SaveAs(const char* fileName) const; // by the name's extension (.png, .bmp)
    std::unique_ptr<TBitmapImpl> impl_;
};

class TDC {
public:
    virtual ~TDC();
    TDC(const TDC&) = delete;
    TDC& operator=(const TDC&) = delete;

    // Mapping.
    int SetMapMode(int mode);
    int GetMapMode() const;
    TPoint SetWindowOrg(const TPoint& p);
    TPoint GetWindowOrg() const;
    TSize SetWindowExt(const TSize& s);
    TSize GetWindowExt() const;
    TPoint SetViewportOrg(const TPoint& p);
    TPoint GetViewportOrg() const;
    TSize SetViewportExt(const TSize& s);
    TSize GetViewportExt() const;
    void LPtoDP(TPoint* points, int count = 1) const;
    void DPtoLP(TPoint* points, int count = 1) const;
    const TMapping& Mapping() const;
    int GetDeviceCaps(int index) const;

    // Tools. The DC keeps copies; Restore… puts back the previous one.
    void SelectObject(const TPen& pen);
    void SelectObject(const TBrush& brush);
    void SelectObject(const TFont& font);
    void SelectStockPen(bool nullPen);
    void RestorePen();
    void RestoreBrush();
    void RestoreFont();
    void RestoreObjects();
    TColor SetTextColor(const TColor& c);
    TColor SetBkColor(const TColor& c);
    int SetBkMode(int mode);
    unsigned SetTextAlign(unsigned flags);
    unsigned GetTextAlign() const;

    // State.
    int SaveDC();
    bool RestoreDC(int savedDC = -1);
    void IntersectClipRect(const TRect& logicalRect);
    void SelectClipRect(const TRect& logicalRect);
    void RemoveClip();

    // Drawing.
    TPoint MoveTo(int x, int y);
    TPoint MoveTo(const TPoint& p) { return MoveTo(p.x, p.y); }
    bool LineTo(int x, int y);
    bool LineTo(const TPoint& p) { return LineTo(p.x, p.y); }
    TPoint GetCurrentPosition() const;
    bool Rectangle(int l, int t, int r, int b);
    bool Rectangle(const TRect& r) { return Rectangle(r.left, r.top, r.right, r.bottom); }
    bool Ellipse(int l, int t, int r, int b);
    bool Ellipse(const TRect& r) { return Ellipse(r.left, r.top, r.right, r.bottom); }
    bool Polygon(const TPoint* points, int count);
    // A triangle filled in `fuellung` with the current pen: the picture of selecting a solid
    // brush of that colour, Polygon and restoring the brush, without the brush list's work.
    bool Dreieck(const TPoint* points, const TColor& fuellung);
    bool Polyline(const TPoint* points, int count);
    bool FillRect(const TRect& r, const TBrush& brush);
    bool SetPixel(int x, int y, const TColor& c);
    TColor GetPixel(int x, int y) const; // only on bitmap surfaces
    bool TextOut(int x, int y, const char* text, int len = -1);
    TSize GetTextExtent(const char* text, int len = -1) const; // logical units
    // Text metrics of the selected font in logical units: height, ascent, average width.
    int GetTextHeight() const;
    // Bitmap surfaces only: fills from (x, y) the area of colour `c` (FLOODFILLSURFACE) or
    // bounded by colour `c` (FLOODFILLBORDER) with the selected brush.
    bool ExtFloodFill(int x, int y, const TColor& c, unsigned type);
    bool StretchBlt(int x, int y, int w, int h, const TDC& src, int sx, int sy, int sw, int sh,
                    unsigned rop = SRCCOPY);
    bool BitBlt(int x, int y, int w, int h, const TDC& src, int sx, int sy,
                unsigned rop = SRCCOPY) {
        return StretchBlt(x, y, w, h, src, sx, sy, w, h, rop);
    }
    bool DrawBitmap(const TBitmap& bitmap, const TRect& logicalTarget);
    HDC GetHDC() const { return reinterpret_cast<HDC>(const_cast<TDC*>(this)); }
    static TDC* FromHDC(HDC h) { return reinterpret_cast<TDC*>(h); }

    std::unique_ptr<TDCImpl> impl_;

protected:
    TDC();
};

// Some of the painter's vector code (filling a picture, for one) returns with the upper halves
// of the AVX registers still in use. Until they are cleared, the processor makes every SSE
// instruction after it wait on them, and the long double maths of a function value runs up to
// half again as slow. Clears them (where the processor has AVX): call it before many function
// values that follow drawing.
void VektorRegisterFreigeben();

// Triangles one after another on one surface (a slice of the 3D drawing), each as
// TDC::Dreieck draws it; the surface, pen and clip are looked at once. Nothing else may draw on
// the DC or change its pen, clip or mapping while it lives.
class TDreiecke {
public:
    explicit TDreiecke(TDC& dc);
    ~TDreiecke(); // draws what is still queued
    TDreiecke(const TDreiecke&) = delete;
    TDreiecke& operator=(const TDreiecke&) = delete;
    bool Dreieck(const TPoint* points, const TColor& fuellung);
    // The same, queued: the queue is drawn in its order by Zeichne(), when it is full, before
    // a Dreieck and at the latest when the object goes. Many small triangles cost much less so.
    void DreieckDazu(const TPoint (&ecken)[3], const TColor& fuellung) {
        if (Anzahl == kPlaetze) Zeichne();
        Schlange[Anzahl++] = {{ecken[0], ecken[1], ecken[2]}, fuellung};
    }
    void Zeichne();

    struct Impl;

private:
    struct Eintrag {
        TPoint ecken[3];
        TColor fuellung;
    };
    static constexpr int kPlaetze = 128;
    TDC& Dc;
    std::unique_ptr<Impl> impl_;
    int Anzahl = 0;
    Eintrag Schlange[kPlaetze];
};

// The DC of a window's paint: inside EvPaint/Paint it draws on the window; outside it acts as
// a TClientDC.
class TPaintDC : public TDC {
public:
    explicit TPaintDC(TWindow& window);
    ~TPaintDC() override;
};

// Drawing on a window outside its paint (animation frames, rubber bands): what is drawn stays
// on the window until the next Invalidate() or size change.
class TClientDC : public TDC {
public:
    explicit TClientDC(TWindow& window);
    ~TClientDC() override;
};

// Drawing on a bitmap.
class TMemoryDC : public TDC {
public:
    explicit TMemoryDC(TBitmap& bitmap);
    ~TMemoryDC() override;
};
