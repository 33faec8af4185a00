#include "paper.h"

#include <cmath>

namespace {

// The platform's papers with their nominal sizes: US papers in inches, ISO and envelope papers
// in millimetres.
const TPaperInfo kPapers[] = {
    {1, false, 8.5f, 11.0f, "Letter"},
    {2, false, 8.5f, 11.0f, "Letter klein"},
    {3, false, 11.0f, 17.0f, "Tabloid"},
    {4, false, 17.0f, 11.0f, "Ledger"},
    {5, false, 8.5f, 14.0f, "Legal"},
    {6, false, 5.5f, 8.5f, "Statement"},
    {7, false, 7.25f, 10.5f, "Executive"},
    {8, true, 297.0f, 420.0f, "A3"},
    {9, true, 210.0f, 297.0f, "A4"},
    {10, true, 210.0f, 297.0f, "A4 klein"},
    {11, true, 148.0f, 210.0f, "A5"},
    {12, true, 250.0f, 354.0f, "B4 (JIS)"},
    {13, true, 182.0f, 257.0f, "B5 (JIS)"},
    {14, false, 8.5f, 13.0f, "Folio"},
    {15, true, 215.0f, 275.0f, "Quarto"},
    {16, false, 10.0f, 14.0f, "10x14"},
    {17, false, 11.0f, 17.0f, "11x17"},
    {18, false, 8.5f, 11.0f, "Note"},
    {19, false, 3.875f, 8.875f, "Umschlag #9"},
    {20, false, 4.125f, 9.5f, "Umschlag #10"},
    {21, false, 4.5f, 10.375f, "Umschlag #11"},
    {22, false, 4.75f, 11.0f, "Umschlag #12"},
    {23, false, 5.0f, 11.5f, "Umschlag #14"},
    {27, true, 110.0f, 220.0f, "Umschlag DL"},
    {28, true, 162.0f, 229.0f, "Umschlag C5"},
    {29, true, 324.0f, 458.0f, "Umschlag C3"},
    {30, true, 229.0f, 324.0f, "Umschlag C4"},
    {31, true, 114.0f, 162.0f, "Umschlag C6"},
    {32, true, 114.0f, 229.0f, "Umschlag C65"},
    {33, true, 250.0f, 353.0f, "Umschlag B4"},
    {34, true, 176.0f, 250.0f, "Umschlag B5"},
    {35, true, 176.0f, 125.0f, "Umschlag B6"},
    {36, true, 110.0f, 230.0f, "Umschlag Italien"},
    {37, false, 3.875f, 7.5f, "Umschlag Monarch"},
    {38, false, 3.625f, 6.5f, "Umschlag 6 3/4"},
    {39, false, 14.875f, 11.0f, "US Endlospapier"},
    {40, false, 8.5f, 12.0f, "Deutsches Endlospapier"},
    {41, false, 8.5f, 13.0f, "Deutsches Endlospapier Legal"},
    {kPaperUser, true, 210.0f, 297.0f, "Benutzerdefiniert"},
    {259, true, 105.0f, 148.0f, "A6"},
    {260, true, 128.0f, 182.0f, "B6 (JIS)"},
    {261, true, 100.0f, 148.0f, "Postkarte"},
    {262, false, 5.0f, 8.0f, "Karteikarte 5x8"},
    {366, true, 100.0f, 150.0f, "Foto 10x15"},
};

} // namespace

const TPaperInfo* FindPaper(int code) {
    for (const TPaperInfo& p : kPapers)
        if (p.code == code) return &p;
    return nullptr;
}

std::string PaperText(float value, bool mm) {
    if (mm) return std::to_string(std::lround(value));
    long eighths = std::lround(value * 8.0f);
    std::string text = std::to_string(eighths / 8);
    long num = eighths % 8, den = 8;
    if (num == 0) return text;
    while (num % 2 == 0) num /= 2, den /= 2;
    return text + " " + std::to_string(num) + "/" + std::to_string(den);
}

double PaperMillimetres(float value, bool mm) {
    return mm ? value : value * 25.4;
}

int PaperCodeForSize(double widthMm, double heightMm) {
    for (const TPaperInfo& p : kPapers) {
        if (p.code == kPaperUser) continue;
        double w = PaperMillimetres(p.width, p.mm), h = PaperMillimetres(p.height, p.mm);
        if ((std::fabs(w - widthMm) <= 1 && std::fabs(h - heightMm) <= 1) ||
            (std::fabs(h - widthMm) <= 1 && std::fabs(w - heightMm) <= 1))
            return p.code;
    }
    return kPaperUser;
}

TPageFit ComputeFit(float pageAspect, float paperWidth, float paperHeight, const char* mode) {
    TPageFit fit;
    if (paperWidth <= 0 || paperHeight <= 0 || pageAspect <= 0) return fit;
    const float paperAspect = paperHeight / paperWidth;
    // "1" and "0" choose; anything else (the default "-1", an empty value) is automatic.
    bool fitWidth = !(pageAspect > paperAspect);
    if (mode && mode[0] == '1') fitWidth = true;
    if (mode && mode[0] == '0') fitWidth = false;
    fit.heightFit = fitWidth ? 1 : 0;
    fit.factor =
        fitWidth ? paperWidth * pageAspect / paperHeight : paperHeight / pageAspect / paperWidth;
    return fit;
}

TRect PreviewRect(const TRect& area, float paperWidth, float paperHeight) {
    if (paperWidth <= 0 || paperHeight <= 0) return area;
    int w, h;
    if (paperWidth >= paperHeight) {
        w = area.Width() * 9 / 10;
        h = int(std::lround(w * (paperHeight / paperWidth)));
    } else {
        h = area.Height() * 9 / 10;
        w = int(std::lround(h * (paperWidth / paperHeight)));
    }
    const int x = area.left + (area.Width() - w) / 2, y = area.top + (area.Height() - h) / 2;
    return TRect(x, y, x + w, y + h);
}

std::vector<TSize> PreviewZoomSteps(TSize fit, double paperWidthMm, double paperHeightMm,
                                    double dpiX, double dpiY) {
    std::vector<TSize> steps{fit};
    if (fit.cx <= 0 || fit.cy <= 0 || paperWidthMm <= 0 || paperHeightMm <= 0 || dpiX <= 0 ||
        dpiY <= 0)
        return steps;
    const double realWidth = paperWidthMm / 25.4 * dpiX, realHeight = paperHeightMm / 25.4 * dpiY;
    for (const double share : {0.5, 0.75, 1.0}) {
        const TSize size(int(std::lround(realWidth * share)), int(std::lround(realHeight * share)));
        if (size.cy >= steps.back().cy * 1.2 && size.cx >= steps.back().cx * 1.2)
            steps.push_back(size);
    }
    return steps;
}

int PreviewZoomPercent(TSize size, double paperHeightMm, double dpiY) {
    const double realHeight = paperHeightMm / 25.4 * dpiY;
    return realHeight > 0 ? int(std::lround(100.0 * size.cy / realHeight)) : 100;
}
