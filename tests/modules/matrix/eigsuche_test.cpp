// The eigenvalue search: derivatives, the three methods, double roots, and how many known
// eigenvalues of random matrices each method finds.
#include "charpoly.h"
#include "eigsuche.h"
#include "invmatrix.h"
#include "matrixtest.h"
#include "vdparser.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <random>
#include <set>

namespace {

// The search as the dialog runs it, on the polynomial CharPoly determines.
struct Suche {
    explicit Suche(std::unique_ptr<MatTransStructDef> r) : rec(std::move(r)), s(rec.get()) {
        CharPoly cp(nullptr, rec.get());
        cp.charPolyundEig();
        s.SucheOhneDialog();
    }
    // The roots listed under a method's header (0 for the diagonal case's list).
    std::vector<long double> Wurzeln(int methode) const {
        std::vector<long double> out;
        int current = 0;
        for (const std::string& e : s.NstListe) {
            if (e.find("Verfahren") != std::string::npos) {
                current = e[0] - '0';
                continue;
            }
            if (current == methode) out.push_back(std::stold(e.substr(0, e.find(','))));
        }
        return out;
    }
    std::unique_ptr<MatTransStructDef> rec;
    TEigenSuche s;
};

bool Hat(const std::vector<long double>& roots, long double x, long double tol = 1e-6L) {
    for (long double r : roots)
        if (fabsl(r - x) <= tol) return true;
    return false;
}

} // namespace

TEST(EigenSuche, DerivativesAndTheirCoefficients) {
    auto rec = Record(3, {1, 0, 0, 0, 2, 0, 0, 0, 3});
    CharPoly cp(nullptr, rec.get());
    cp.charPolyundEig();
    TEigenSuche s(rec.get());
    s.Vorbereiten();
    EXPECT_STREQ(s.AblText[0], "(-3*x^(2)+12*x-11)");
    EXPECT_STREQ(s.AblText[1], "(-6*x+12)");
    EXPECT_STREQ(s.AblText[2], "(-6)");
    EXPECT_STREQ(s.AblText[3], "(0)");
    EXPECT_EQ(s.Koeff[0][3], -1);
    EXPECT_EQ(s.Koeff[0][0], 6);
    EXPECT_EQ(s.Koeff[1][0], -11);
    EXPECT_EQ(s.Koeff[3][0], -6);
    EXPECT_EQ(rec->EigOK, 1);
    EXPECT_EQ(rec->InvAbstand, 100);
}

TEST(EigenSuche, DiagonalMatricesListTheirNonZeroDiagonal) {
    Suche d(Record(3, {4, 0, 0, 0, 0, 0, 0, 0, -2.5L}));
    EXPECT_EQ(d.s.NstListe, (std::vector<std::string>{"1.Verfahren:,", "4,0´", "-2.5,0´"}));
    EXPECT_TRUE(d.s.AblNstListe.empty());
}

TEST(EigenSuche, TwoByTwoFindsBothRootsWithoutTheMarch) {
    Suche d(Record(2, {2, 1, 1, 2}));
    EXPECT_TRUE(Hat(d.Wurzeln(1), 1));
    EXPECT_TRUE(Hat(d.Wurzeln(1), 3));
    EXPECT_TRUE(d.Wurzeln(2).empty()); // the march needs p''' and stops for n < 3
    const long double err = GetCORRldERR();
    EXPECT_EQ(d.s.suchenaechst(0), err);
    EXPECT_EQ(d.s.suchevorher(5), err);
    // Each entry once per mark.
    std::set<std::string> seen(d.s.NstListe.begin(), d.s.NstListe.end());
    EXPECT_EQ(seen.size(), d.s.NstListe.size());
}

TEST(EigenSuche, DoubleRootComesFromTheRootsOfTheDerivative) {
    // (x-2)^2 (x-5) with a Jordan block: no sign change at 2.
    Suche d(Record(3, {2, 1, 0, 0, 2, 0, 0, 0, 5}));
    const std::vector<long double> m3 = d.Wurzeln(3);
    EXPECT_TRUE(Hat(m3, 2));
    EXPECT_TRUE(Hat(m3, 5));
    bool doppel = false;
    for (const std::string& e : d.s.AblNstListe) doppel |= e == "2,0`";
    EXPECT_TRUE(doppel);
}

TEST(EigenSuche, RootAtZeroOnlyAsTheFirstOfAStartPoint) {
    // Eigenvalues 0 (once) and two others: method 1 deflates past the 0 when it is not first.
    Suche d(Record(4, {1, 2, 3, 4, 5, 6, 7, 8, 9, 1, 2, 3, 4, 5, 6, 7}));
    EXPECT_TRUE(Hat(d.Wurzeln(3), 0));
    EXPECT_FALSE(Hat(d.Wurzeln(1), 0, 1e-9L));
}

TEST(EigenSuche, DeflationOfAnEightByEight) {
    // diag(1..8) hidden by a unimodular similarity: every step of the deflation lowers the
    // degree and all eight roots come out of the first method.
    auto rec = Record(8, {});
    long double p[8][8] = {}, pinv[8][8] = {};
    for (int i = 0; i < 8; ++i) {
        p[i][i] = 1;
        if (i + 1 < 8) p[i + 1][i] = 1; // [column][row]: P = I + superdiagonal
    }
    auto prec = Record(8, {});
    std::memcpy(prec->Mat, p, sizeof p);
    InvMatrix inv(prec.get());
    std::memcpy(pinv, inv.InvMat, sizeof pinv);
    for (int c = 0; c < 8; ++c)
        for (int r = 0; r < 8; ++r) {
            long double s = 0;
            for (int k = 0; k < 8; ++k) s += p[k][r] * (k + 1) * pinv[c][k];
            rec->Mat[c][r] = s;
        }
    Suche d(std::move(rec));
    for (int k = 1; k <= 8; ++k) EXPECT_TRUE(Hat(d.Wurzeln(1), k)) << k;
}

TEST(EigenSuche, ScanEndsForATinyStepWidth) {
    // A step width far below the spacing of numbers at the bounds must not hang the scan.
    auto rec = Record(2, {1e6L, 1, 1, 1e6L + 3});
    CharPoly cp(nullptr, rec.get());
    cp.charPolyundEig();
    TEigenSuche s(rec.get());
    s.Vorbereiten();
    s.Abbruch = 0;
    s.BerechneGrenzen();
    rec->InvAbstand = 1e30L;
    s.Verfahren3();
    SUCCEED();
}

TEST(EigenSuche, StepWidthProposal) {
    auto rec = Record(2, {});
    rec->Breite = 3;
    rec->AnzAuswert = 7;
    EXPECT_EQ(TEigenSuche::VorschlagAbstand(*rec), 0.0428571L); // as its field shows it, 6 digits
    rec->AnzAuswert = 0;
    EXPECT_EQ(TEigenSuche::VorschlagAbstand(*rec),
              1); // no evaluations counted: no width to propose
    rec->Breite = 1e-9L;
    rec->AnzAuswert = 100;
    EXPECT_EQ(TEigenSuche::VorschlagAbstand(*rec), 1); // below 1e-10
}

// How many eigenvalues of P*D*P^-1 each method finds, for 200 random matrices of orders 2 to
// 8 with distinct integer eigenvalues and unimodular P (so the entries are exact integers).
TEST(EigenSuche, AccuracyReport) {
    std::mt19937 gen(2026);
    std::uniform_int_distribution<int> small(-2, 2);
    int total[9] = {}, found[9][4] = {}, any[9] = {};
    for (int m = 0; m < 200; ++m) {
        const int n = 2 + m % 7;
        std::vector<int> eig;
        for (int v = -9; v <= 9; ++v) eig.push_back(v);
        std::shuffle(eig.begin(), eig.end(), gen);
        eig.resize(n);
        // P = L*U with unit triangular factors.
        long double l[8][8] = {}, u[8][8] = {}, p[8][8] = {};
        for (int i = 0; i < n; ++i) {
            l[i][i] = u[i][i] = 1;
            for (int j = 0; j < i; ++j) {
                l[j][i] = small(gen); // [column][row], below the diagonal
                u[i][j] = small(gen); // above the diagonal
            }
        }
        for (int c = 0; c < n; ++c)
            for (int r = 0; r < n; ++r)
                for (int k = 0; k < n; ++k) p[c][r] += l[k][r] * u[c][k];
        auto prec = Record(n, {});
        std::memcpy(prec->Mat, p, sizeof p);
        InvMatrix inv(prec.get());
        auto rec = Record(n, {});
        for (int c = 0; c < n; ++c)
            for (int r = 0; r < n; ++r) {
                long double s = 0;
                for (int k = 0; k < n; ++k) s += p[k][r] * eig[k] * corrroundl(inv.InvMat[c][k]);
                rec->Mat[c][r] = s;
            }
        Suche d(std::move(rec));
        std::vector<long double> all;
        for (int meth = 0; meth <= 3; ++meth) {
            const auto roots = d.Wurzeln(meth);
            all.insert(all.end(), roots.begin(), roots.end());
            for (int v : eig) found[n][meth] += Hat(roots, v);
        }
        for (int v : eig) any[n] += Hat(all, v);
        total[n] += n;
    }
    int sumTotal = 0, sumAny = 0;
    std::printf("order  eigenvalues  method 1  method 2  method 3  any\n");
    for (int n = 2; n <= 8; ++n) {
        std::printf("%5d  %11d  %8d  %8d  %8d  %3d\n", n, total[n], found[n][1] + found[n][0],
                    found[n][2], found[n][3], any[n]);
        sumTotal += total[n];
        sumAny += any[n];
    }
    std::printf("all    %11d  found by any method: %d\n", sumTotal, sumAny);
    EXPECT_GE(sumAny, sumTotal * 9 / 10);
}
