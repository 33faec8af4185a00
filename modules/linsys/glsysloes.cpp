#include "glsysloes.h"

#include "invmatrix.h"
#include "matrecord.h"
#include "vdparser.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <memory>
#include <utility>

namespace {

using TMatrix = long double[8][8];

// Clears column i above the pivot of row i.
void loescheZahlen(long double L[8][8], int i, int n) {
    const long double pivot = L[i][i];
    for (int k = i - 1; k >= 0; --k) {
        if (L[i][k] == 0) continue;
        const long double factor = L[i][k] / pivot;
        for (int j = 0; j <= n; ++j) L[j][k] -= factor * L[j][i];
    }
}

// Scales every column and then every row of the `columns` × `rows` block of `a` to largest
// magnitude 1 (zero columns and rows stay zero). The column factors go to `scale` when given.
void Skaliere(TMatrix& a, int columns, int rows, long double* scale = nullptr) {
    for (int c = 0; c < columns; ++c) {
        long double largest = 0;
        for (int r = 0; r < rows; ++r) largest = std::max(largest, std::fabs(a[c][r]));
        if (scale) scale[c] = largest;
        if (largest > 0)
            for (int r = 0; r < rows; ++r) a[c][r] /= largest;
    }
    for (int r = 0; r < rows; ++r) {
        long double largest = 0;
        for (int c = 0; c < columns; ++c) largest = std::max(largest, std::fabs(a[c][r]));
        if (largest > 0)
            for (int c = 0; c < columns; ++c) a[c][r] /= largest;
    }
}

// One step of elimination with complete pivoting on the block from (k, k) on: the largest entry
// of columns k … pivotColumns−1 becomes the pivot at (k, k) and is cleared below. Exchanged
// columns are recorded in `order`. False when the largest entry counts as zero.
bool Eliminiere(TMatrix& a, int k, int pivotColumns, int columns, int rows, int* order) {
    int pc = k, pr = k;
    for (int c = k; c < pivotColumns; ++c)
        for (int r = k; r < rows; ++r)
            if (std::fabs(a[c][r]) > std::fabs(a[pc][pr])) pc = c, pr = r;
    if (!(std::fabs(a[pc][pr]) > kGlSysToleranz)) return false;
    for (int c = 0; c < columns; ++c) std::swap(a[c][k], a[c][pr]);
    for (int r = 0; r < rows; ++r) std::swap(a[k][r], a[pc][r]);
    if (order) std::swap(order[k], order[pc]);
    for (int r = k + 1; r < rows; ++r) {
        const long double factor = a[k][r] / a[k][k];
        for (int c = k; c < columns; ++c) a[c][r] -= factor * a[c][k];
    }
    return true;
}

bool Endlich(const long double m[8][8], int columns, int rows) {
    for (int c = 0; c < columns; ++c)
        for (int r = 0; r < rows; ++r)
            if (!std::isfinite(m[c][r])) return false;
    return true;
}

} // namespace

std::unique_ptr<InvMatrix> GlSysStufenform(MatTransStructDef& record) {
    const int n = std::clamp(int(record.Ordnung), 1, 7);
    for (int c = 0; c <= n; ++c) record.Mat[c][n] = 0;
    record.Ordnung = n + 1;
    auto inv = std::make_unique<InvMatrix>(&record);
    record.Ordnung = n;
    return inv;
}

void GlSysKopiere(const InvMatrix& inv, int n, long double LoesMat[8][8]) {
    for (int c = 0; c <= n; ++c)
        for (int r = 0; r <= n; ++r) LoesMat[c][r] = inv.StufenMat[c][r];
}

bool GlSysEndlich(const long double LoesMat[8][8], int n) {
    return Endlich(LoesMat, n + 1, n);
}

bool GlSysDarstellbar(const long double LoesMat[8][8], int n, TGlSysArt art) {
    if (!GlSysEndlich(LoesMat, n)) return false;
    if (art != TGlSysArt::Eindeutig) return true;
    for (int i = 0; i < n; ++i)
        if (LoesMat[i][i] != 1) return false;
    return true;
}

void GlSysBerechne(long double LoesMat[8][8], int n) {
    for (int i = n - 1; i >= 0; --i) {
        const long double pivot = LoesMat[i][i];
        if (pivot == 0) continue;
        loescheZahlen(LoesMat, i, n);
        for (int j = i + 1; j <= n; ++j) LoesMat[j][i] /= pivot;
        LoesMat[i][i] = 1;
    }
}

int GlSysRang(const long double m[8][8], int columns, int rows) {
    TMatrix a;
    std::memcpy(a, m, sizeof a);
    Skaliere(a, columns, rows);
    int rank = 0;
    while (rank < std::min(columns, rows) && Eliminiere(a, rank, columns, columns, rows, nullptr))
        ++rank;
    return rank;
}

TGlSysArt GlSysLoesbarkeit(const long double Mat[8][8], int n) {
    const int coefficients = GlSysRang(Mat, n, n);
    if (GlSysRang(Mat, n + 1, n) > coefficients) return TGlSysArt::Keine;
    return coefficients == n ? TGlSysArt::Eindeutig : TGlSysArt::Unendlich;
}

bool GlSysLoesung(const long double Mat[8][8], int n, long double x[7]) {
    if (n < 1 || n > 7) return false;
    TMatrix a;
    std::memcpy(a, Mat, sizeof a);
    // Only the coefficients are scaled by columns; the right-hand side moves with the rows.
    long double scale[8];
    Skaliere(a, n, n, scale);
    if (std::find(scale, scale + n, 0.0L) != scale + n) return false; // a zero column
    for (int r = 0; r < n; ++r) {
        long double largest = 0;
        for (int c = 0; c < n; ++c) largest = std::max(largest, std::fabs(Mat[c][r] / scale[c]));
        if (largest > 0) a[n][r] = Mat[n][r] / largest;
    }
    int order[7];
    for (int c = 0; c < n; ++c) order[c] = c;
    for (int k = 0; k < n; ++k)
        if (!Eliminiere(a, k, n, n + 1, n, order)) return false;
    long double y[7];
    for (int k = n - 1; k >= 0; --k) {
        long double sum = a[n][k];
        for (int c = k + 1; c < n; ++c) sum -= a[c][k] * y[c];
        y[k] = sum / a[k][k];
    }
    for (int k = 0; k < n; ++k) x[order[k]] = y[k] / scale[order[k]];
    return std::all_of(x, x + n, [](long double v) { return std::isfinite(v); });
}

const char* GlSysSatz(TGlSysArt art) {
    switch (art) {
    case TGlSysArt::Eindeutig:
        return "Das System hat genau eine Lösung.";
    case TGlSysArt::Keine:
        return "Das System hat keine Lösung.";
    case TGlSysArt::Unendlich:
        break;
    }
    return "Das System hat unendlich viele Lösungen.";
}

std::string GlSysZahl(long double x, int digits) {
    char text[64] = "";
    ldtochar(text, x, digits, true);
    return std::strcmp(text, "-0") == 0 ? std::string("0") : std::string(text);
}

std::string GlSysMarke(int c, int n) {
    return "*x" + std::to_string(c + 1) + (c == n - 1 ? "=" : "+");
}

long double GlSysLoesWert(const long double LoesMat[8][8], int c, int r) {
    return c < r ? 0.0L : LoesMat[c][r];
}

std::string GlSysZeile(const long double m[8][8], int n, int r, int digits, bool loesungsform) {
    std::string row;
    for (int c = 0; c <= n; ++c) {
        if (c > 0) row += ' ';
        row += GlSysZahl(loesungsform ? GlSysLoesWert(m, c, r) : m[c][r], digits);
        if (c < n) row += GlSysMarke(c, n);
    }
    return row;
}
