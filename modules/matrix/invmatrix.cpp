#include "invmatrix.h"

#include "vdparser.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <utility>

InvMatrix::InvMatrix(MatTransStructDef* InfStructIn)
    : Invertierbar(1), Rang(0), InfStruct(InfStructIn), AnzVertausch(0), Fehler(0) {
    DebugFunkion(0, nullptr, false, "InvMatrix::InvMatrix(MatTransStructDef*)", "", "");
    DetText[0] = '\0';
    std::memset(InvMat, 0, sizeof InvMat);
    std::memset(StufenMat, 0, sizeof StufenMat);
    std::memset(ArbMat, 0, sizeof ArbMat);
    RangBest();
}

InvMatrix::~InvMatrix() {}

int InvMatrix::Ordnung() const {
    // An order outside 1 ... 8 would index past the fixed arrays.
    const int n = InfStruct->Ordnung;
    return n < 0 ? 0 : (n > 8 ? 8 : n);
}

void InvMatrix::Vertausche(int izaehl, int fzaehl) {
    for (int j = 0; j < Ordnung(); ++j) {
        std::swap(ArbMat[j][izaehl], ArbMat[j][fzaehl]);
        std::swap(InvMat[j][izaehl], InvMat[j][fzaehl]);
    }
}

void InvMatrix::Sortiere(int Spalte) {
    const int n = Ordnung();
    // In the pass over the turned matrix only a zero pivot is exchanged: moving a row further
    // down there would carry its entries across the diagonal, and the matrix would not end
    // diagonal (its diagonal would not give the inverse).
    const int last = ZweiterDurchgang ? std::min(Spalte + 1, n - 1) : n - 1;
    for (int b = Spalte; b < last; ++b) {
        if (ArbMat[Spalte][b] != 0) continue;
        for (int e = b + 1; e < n; ++e) {
            if (ArbMat[Spalte][e] != 0) {
                ++AnzVertausch;
                Vertausche(b, e);
                break;
            }
        }
    }
}

namespace {

// x - y, where a result that is only rounding noise of the two (within about a hundred units
// in the last place) is exactly 0. Otherwise such a remainder would count as a non-zero pivot
// (only exact zeros lead to an exchange) and its reciprocal would blow the rows below up.
long double Differenz(long double x, long double y) {
    const long double d = x - y;
    // An overflow stays visible: taken as noise it would silently lose a pivot.
    if (!std::isfinite(d)) return d;
    return fabsl(d) <= 1e-17L * std::max(fabsl(x), fabsl(y)) ? 0.0L : d;
}

} // namespace

void InvMatrix::loescheZahlen(int Spalte) {
    const int n = Ordnung();
    const int a = Spalte;
    for (int i = a + 1; i < n; ++i) {
        if (ArbMat[a][i] == 0) continue;
        const long double l = ArbMat[a][i] / ArbMat[a][a];
        for (int j = 0; j < n; ++j) {
            ArbMat[j][i] = Differenz(ArbMat[j][i], l * ArbMat[j][a]);
            InvMat[j][i] -= l * InvMat[j][a];
        }
        ArbMat[a][i] = 0; // eliminated: what rounding leaves there is not a pivot
    }
}

void InvMatrix::Abwaerts() {
    for (int c = 0; c + 1 < Ordnung(); ++c) {
        Sortiere(c);
        loescheZahlen(c);
    }
}

void InvMatrix::Halbdrehung() {
    const int n = Ordnung();
    for (int c = 0; c < n; ++c)
        for (int r = c + 1; r < n; ++r) { // below the diagonal, with its mirror above it
            std::swap(ArbMat[c][r], ArbMat[n - 1 - c][n - 1 - r]);
            std::swap(InvMat[c][r], InvMat[n - 1 - c][n - 1 - r]);
        }
    for (int k = 0; k <= (n - 1) / 2; ++k) {
        if (k == n - 1 - k) continue;
        std::swap(ArbMat[k][k], ArbMat[n - 1 - k][n - 1 - k]);
        std::swap(InvMat[k][k], InvMat[n - 1 - k][n - 1 - k]);
    }
}

void InvMatrix::RangBest() {
    const int n = Ordnung();
    for (int c = 0; c < n; ++c)
        for (int r = 0; r < n; ++r) {
            ArbMat[c][r] = InfStruct->Mat[c][r];
            InvMat[c][r] = c == r ? 1.0L : 0.0L;
        }
    Abwaerts();
    std::memcpy(StufenMat, ArbMat, sizeof ArbMat);
    Halbdrehung();
    ZweiterDurchgang = true;
    Abwaerts();
    ZweiterDurchgang = false;
    Halbdrehung();

    // Entries that overflowed in the elimination leave no trustworthy rank, determinant or
    // inverse: the determinant reports the range and the matrix counts as not invertible.
    bool eliminationOverflow = false;
    for (int c = 0; c < n; ++c)
        for (int r = 0; r < n; ++r)
            eliminationOverflow |= !std::isfinite(ArbMat[c][r]) || !std::isfinite(InvMat[c][r]);

    Rang = 0;
    for (int r = 0; r < n; ++r)
        for (int c = 0; c < n; ++c)
            if (!(fabsl(ArbMat[c][r]) < 1e-16L)) { // an overflowed entry is no zero either
                ++Rang;
                break;
            }

    // The product keeps its last representable value when a factor would overflow it.
    long double det = 1.0L;
    bool overflow = eliminationOverflow;
    for (int k = 0; k < n; ++k) {
        long double product;
        if (mult_ok(det, ArbMat[k][k], &product))
            det = product;
        else
            overflow = true;
    }
    if (AnzVertausch % 2 != 0) det = -det;
    InfStruct->Det = det;

    if (overflow) {
        Fehler = -1;
        std::strcpy(DetText, "Wert zu groß!");
    } else {
        ldtochar(DetText, corrroundl(det, 15), 15, true);
        if (std::strcmp(DetText, "-0") == 0) std::strcpy(DetText, "0");
    }

    if (!eliminationOverflow && Rang == n && fabsl(det) >= 1e-16L) {
        for (int k = 0; k < n; ++k) {
            const long double f = 1.0L / ArbMat[k][k];
            for (int j = 0; j < n; ++j) InvMat[j][k] *= f;
        }
    } else {
        Invertierbar = 0;
    }
}
