// Rank, determinant, echelon form and inverse.
#include "invmatrix.h"

#include "matrixtest.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <memory>
#include <random>

namespace {

// Largest deviation of Mat * InvMat from the identity.
long double InverseError(const MatTransStructDef& rec, const InvMatrix& inv) {
    const int n = rec.Ordnung;
    long double worst = 0;
    for (int r = 0; r < n; ++r)
        for (int c = 0; c < n; ++c) {
            long double s = 0;
            for (int k = 0; k < n; ++k) s += rec.Mat[k][r] * inv.InvMat[c][k];
            worst = std::max(worst, fabsl(s - (r == c ? 1.0L : 0.0L)));
        }
    return worst;
}

// The determinant by the sum over all permutations.
long double Leibniz(const MatTransStructDef& rec) {
    const int n = rec.Ordnung;
    int perm[8];
    for (int i = 0; i < n; ++i) perm[i] = i;
    long double sum = 0;
    do {
        int inversions = 0;
        for (int i = 0; i < n; ++i)
            for (int j = i + 1; j < n; ++j) inversions += perm[i] > perm[j];
        long double p = inversions % 2 ? -1 : 1;
        for (int r = 0; r < n; ++r) p *= rec.Mat[perm[r]][r];
        sum += p;
    } while (std::next_permutation(perm, perm + n));
    return sum;
}

// The rank by fraction-free elimination, exact for small integer entries.
int ExactRank(const MatTransStructDef& rec) {
    const int n = rec.Ordnung;
    long double a[8][8];
    for (int r = 0; r < n; ++r)
        for (int c = 0; c < n; ++c) a[r][c] = rec.Mat[c][r];
    int rank = 0;
    long double prev = 1;
    for (int c = 0; c < n && rank < n; ++c) {
        int p = rank;
        while (p < n && a[p][c] == 0) ++p;
        if (p == n) continue;
        std::swap(a[p], a[rank]);
        for (int r = rank + 1; r < n; ++r) {
            for (int k = c + 1; k < n; ++k)
                a[r][k] = (a[rank][c] * a[r][k] - a[r][c] * a[rank][k]) / prev;
            a[r][c] = 0;
        }
        prev = a[rank][c];
        ++rank;
    }
    return rank;
}

} // namespace

TEST(InvMatrix, OrderOneNeedsNoElimination) {
    auto rec = Record(1, {4});
    InvMatrix inv(rec.get());
    EXPECT_EQ(inv.Rang, 1);
    EXPECT_STREQ(inv.DetText, "4");
    EXPECT_EQ(rec->Det, 4);
    EXPECT_EQ(inv.Invertierbar, 1);
    EXPECT_EQ(inv.InvMat[0][0], 0.25L);

    auto tiny = Record(1, {1e-17L});
    InvMatrix none(tiny.get());
    EXPECT_EQ(none.Rang, 0);
    EXPECT_EQ(none.Invertierbar, 0);
}

TEST(InvMatrix, ZeroAndSingularMatrices) {
    auto zero = Record(3, {0, 0, 0, 0, 0, 0, 0, 0, 0});
    InvMatrix z(zero.get());
    EXPECT_EQ(z.Rang, 0);
    EXPECT_STREQ(z.DetText, "0");
    EXPECT_EQ(z.Invertierbar, 0);

    // A repeated row and a row twice another leave rank 2 of 4; the differences are exact.
    auto rec = Record(4, {1, 2, 3, 4, 2, 5, 1, 7, 1, 2, 3, 4, 4, 10, 2, 14});
    InvMatrix inv(rec.get());
    EXPECT_EQ(inv.Rang, 2);
    EXPECT_EQ(inv.Invertierbar, 0);
    EXPECT_STREQ(inv.DetText, "0");
}

TEST(InvMatrix, ExchangeGivesTheSignAndTheInverse) {
    auto rec = Record(2, {0, 1, 1, 0});
    InvMatrix inv(rec.get());
    EXPECT_EQ(inv.AnzVertausch, 1);
    EXPECT_EQ(rec->Det, -1);
    EXPECT_STREQ(inv.DetText, "-1");
    ASSERT_EQ(inv.Invertierbar, 1);
    for (int c = 0; c < 2; ++c)
        for (int r = 0; r < 2; ++r) EXPECT_EQ(inv.InvMat[c][r], rec->Mat[c][r]);
}

TEST(InvMatrix, NegativeZeroDeterminantIsShownAsZero) {
    // One exchange and a zero on the diagonal: the product is -0.
    auto rec = Record(3, {0, 0, 1, 1, 0, 0, 0, 0, 0});
    InvMatrix inv(rec.get());
    EXPECT_EQ(rec->Det, 0);
    EXPECT_STREQ(inv.DetText, "0");
}

TEST(InvMatrix, SmallDeterminantIsNotInvertibleButKeepsTheRank) {
    auto rec = Record(2, {1e-9L, 0, 0, 1e-9L});
    InvMatrix inv(rec.get());
    EXPECT_EQ(inv.Rang, 2);
    EXPECT_EQ(inv.Invertierbar, 0);
    EXPECT_STREQ(inv.DetText, "0"); // 1e-18 rounded to 15 places
}

TEST(InvMatrix, TinyRemaindersDoNotCountButTinyPivotsAreUsed) {
    // The remainder 1e-18 after elimination does not count for the rank.
    auto rec = Record(2, {1, 1, 1, 1 + 1e-18L});
    InvMatrix inv(rec.get());
    EXPECT_EQ(inv.Rang, 1);
    // Only an exact zero leads to an exchange: the pivot 1e-20 is taken as it is, and since it
    // stays below 1e-16 the row does not count although the determinant is -1.
    auto tiny = Record(2, {1e-20L, 1, 1, 0});
    InvMatrix t(tiny.get());
    EXPECT_EQ(t.AnzVertausch, 0);
    EXPECT_EQ(t.Rang, 1);
    EXPECT_EQ(t.Invertierbar, 0);
    EXPECT_NEAR(static_cast<double>(tiny->Det), -1.0, 1e-15);
}

TEST(InvMatrix, OverflowOfTheProductIsReportedAndTheRestComputed) {
    auto rec = Record(2, {1e3000L, 0, 0, -1e3000L});
    InvMatrix inv(rec.get());
    EXPECT_EQ(inv.Fehler, -1);
    EXPECT_STREQ(inv.DetText, "Wert zu groß!");
    EXPECT_EQ(rec->Det, 1e3000L); // the last good product, with the sign
    EXPECT_EQ(inv.Rang, 2);
    EXPECT_EQ(inv.Invertierbar, 1);
    EXPECT_NEAR(static_cast<double>(inv.InvMat[1][1] * 1e3000L), -1.0, 1e-15);
}

// 1 - 1e4300 * 1e4000 overflows in the elimination: the pivot must not be lost as "noise",
// which showed the determinant 0 for a regular matrix.
TEST(InvMatrix, OverflowInTheEliminationIsReportedNotDropped) {
    auto rec = Record(2, {1e-300L, 1e4000L, 1e4000L, 1});
    InvMatrix inv(rec.get());
    EXPECT_EQ(inv.Fehler, -1);
    EXPECT_STREQ(inv.DetText, "Wert zu groß!");
    EXPECT_TRUE(std::isinf(inv.StufenMat[1][1]));
    EXPECT_EQ(inv.Invertierbar, 0);
}

TEST(InvMatrix, EchelonFormIsTheDownwardPass) {
    auto rec = Record(3, {2, 1, 1, 4, 3, 3, 8, 7, 9});
    InvMatrix inv(rec.get());
    const long double expected[3][3] = {{2, 1, 1}, {0, 1, 1}, {0, 0, 2}}; // [row][column]
    for (int r = 0; r < 3; ++r)
        for (int c = 0; c < 3; ++c) EXPECT_EQ(inv.StufenMat[c][r], expected[r][c]);
    EXPECT_STREQ(inv.DetText, "4");
}

TEST(InvMatrix, RandomMatricesOfEveryOrder) {
    std::mt19937 gen(7);
    std::uniform_int_distribution<int> entry(-9, 9);
    std::bernoulli_distribution zero(0.25);
    for (int n = 1; n <= 8; ++n)
        for (int round = 0; round < 40; ++round) {
            auto rec = Record(n, {});
            for (int c = 0; c < n; ++c)
                for (int r = 0; r < n; ++r) rec->Mat[c][r] = zero(gen) ? 0 : entry(gen);
            // Every third matrix is singular: a row becomes a sum of two others.
            if (n >= 3 && round % 3 == 0)
                for (int c = 0; c < n; ++c)
                    rec->Mat[c][n - 1] = rec->Mat[c][0] + 2 * rec->Mat[c][1];
            MatTransStructDef before;
            std::memcpy(&before, rec.get(), sizeof before);
            InvMatrix inv(rec.get());
            const long double det = Leibniz(*rec);
            EXPECT_NEAR(static_cast<double>(rec->Det), static_cast<double>(det),
                        1e-9 * std::max(1.0, std::fabs(static_cast<double>(det))));
            // Only Det changes in the record.
            before.Det = rec->Det;
            EXPECT_EQ(std::memcmp(&before, rec.get(), sizeof before), 0);
            EXPECT_EQ(inv.Rang, ExactRank(*rec)) << "n=" << n << " round=" << round;
            if (fabsl(det) >= 0.5L) {
                ASSERT_EQ(inv.Invertierbar, 1) << "n=" << n;
                EXPECT_EQ(inv.Rang, n);
                EXPECT_LT(InverseError(*rec, inv), 1e-12L) << "n=" << n;
            } else {
                EXPECT_EQ(inv.Invertierbar, 0) << "n=" << n;
            }
            // The echelon form has nothing below the diagonal.
            for (int c = 0; c < n; ++c)
                for (int r = c + 1; r < n; ++r) EXPECT_LT(fabsl(inv.StufenMat[c][r]), 1e-12L);
        }
}
