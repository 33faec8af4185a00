#include "hoehenfarbe.h"

#include <cmath>

int FarbKomponente(double c) {
    if (!std::isfinite(c)) return 0;
    return static_cast<int>(std::clamp(c, 0.0, 255.0));
}

// Rows are small whole numbers, so double is exact enough and much faster than long double
// here.
TColor HoehenFarbe(int summe, int boden, bool oben) {
    const double m = summe / 3.0;
    double b = boden;
    if (!(b > 0)) b = 1;
    if (oben) return RGB(0, 0, FarbKomponente((m * 250 / b + 60) * 0.8));
    const double u = std::clamp(m * 400 / b, 0.0, 500.0);
    if (u > 250) return RGB(0, 0, FarbKomponente(250 - std::fabs(250 - u)));
    return RGB(FarbKomponente(250 - u), FarbKomponente(250 - u), 250);
}
