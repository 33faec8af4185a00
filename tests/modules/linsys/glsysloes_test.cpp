// The arithmetic of the linear systems: the solution form that the elimination and the back
// substitution leave, the number of solutions from the ranks (independent of the size of the
// entries), the solution itself and the texts of the rows.
#include "glsysloes.h"
#include "invmatrix.h"
#include "matrecord.h"

#include <cmath>
#include <gtest/gtest.h>
#include <initializer_list>
#include <memory>
#include <random>

namespace {

// A system of n equations given row by row: n coefficients and the right-hand side each.
std::unique_ptr<MatTransStructDef> System(int n, std::initializer_list<long double> rows) {
    auto record = std::make_unique<MatTransStructDef>();
    record->Ordnung = n;
    int k = 0;
    for (long double v : rows) {
        record->Mat[k % (n + 1)][k / (n + 1)] = v;
        ++k;
    }
    EXPECT_EQ(k, n * (n + 1));
    return record;
}

struct TForm {
    long double m[8][8] = {};
    bool endlich = false;
};

TForm Loesungsform(MatTransStructDef& record) {
    TForm form;
    GlSysKopiere(*GlSysStufenform(record), record.Ordnung, form.m);
    GlSysBerechne(form.m, record.Ordnung);
    form.endlich = GlSysEndlich(form.m, record.Ordnung);
    return form;
}

TEST(GlSysLoesungsform, RegularSystemsEndAsTheIdentityBesideTheSolution) {
    // 2x + y - z = 8, -3x - y + 2z = -11, -2x + y + 2z = -3: x = 2, y = 3, z = -1.
    auto record = System(3, {2, 1, -1, 8, -3, -1, 2, -11, -2, 1, 2, -3});
    const TForm form = Loesungsform(*record);
    ASSERT_TRUE(form.endlich);
    const long double x[3] = {2, 3, -1};
    for (int r = 0; r < 3; ++r) {
        for (int c = 0; c < 3; ++c)
            EXPECT_NEAR(double(GlSysLoesWert(form.m, c, r)), c == r ? 1.0 : 0.0, 1e-17);
        EXPECT_NEAR(double(form.m[3][r]), double(x[r]), 1e-16);
    }
    // The record is as it was: the order, and its values beside the all-zero row 3.
    EXPECT_EQ(record->Ordnung, 3);
    EXPECT_EQ(record->Mat[3][0], 8);
    for (int c = 0; c <= 3; ++c) EXPECT_EQ(record->Mat[c][3], 0);
}

TEST(GlSysLoesungsform, AZeroFirstPivotIsSolvedAfterARowExchange) {
    // 0*x1 + x2 = 1, x1 + x2 = 2.
    auto record = System(2, {0, 1, 1, 1, 1, 2});
    const TForm form = Loesungsform(*record);
    ASSERT_TRUE(form.endlich);
    EXPECT_EQ(form.m[0][0], 1);
    EXPECT_EQ(form.m[1][0], 0);
    EXPECT_EQ(form.m[2][0], 1);
    EXPECT_EQ(form.m[1][1], 1);
    EXPECT_EQ(form.m[2][1], 1);
}

TEST(GlSysLoesungsform, RowsWithoutPivotStayAndTheZeroRowNeverBecomesAPivotRow) {
    // Something left over in row n of the record is no equation: it is cleared first.
    auto record = System(3, {1, 2, 3, 6, 2, 4, 6, 12, 0, 0, 1, 1});
    record->Mat[0][3] = 5;
    record->Mat[3][3] = 7;
    const TForm form = Loesungsform(*record);
    ASSERT_TRUE(form.endlich);
    // Row 1 is twice row 0: it has no pivot and stays zero; row 0 keeps its x2 coefficient.
    for (int c = 0; c <= 3; ++c) EXPECT_EQ(form.m[c][1], 0) << c;
    EXPECT_EQ(form.m[0][0], 1);
    EXPECT_EQ(form.m[1][0], 2);
    EXPECT_EQ(form.m[2][0], 0);
    EXPECT_EQ(form.m[3][0], 3);
    EXPECT_EQ(form.m[2][2], 1);
    EXPECT_EQ(form.m[3][2], 1);
    for (int c = 0; c <= 3; ++c) EXPECT_EQ(form.m[c][3], 0);
}

TEST(GlSysLoesungsform, BackSubstitutionAlone) {
    long double m[8][8] = {};
    // Rows (2 4 | 6), (0 0 | 0) and (0 0 | 5) for n = 2 read as an echelon form: the pivot of
    // row 0 divides, row 1 has none.
    m[0][0] = 2, m[1][0] = 4, m[2][0] = 6;
    GlSysBerechne(m, 2);
    EXPECT_EQ(m[0][0], 1);
    EXPECT_EQ(m[1][0], 2);
    EXPECT_EQ(m[2][0], 3);
    // An upper triangle: (1 2 3 | 14), (0 2 2 | 10), (0 0 4 | 12): x = (1, 2, 3).
    long double t[8][8] = {};
    const long double rows[3][4] = {{1, 2, 3, 14}, {0, 2, 2, 10}, {0, 0, 4, 12}};
    for (int r = 0; r < 3; ++r)
        for (int c = 0; c < 4; ++c) t[c][r] = rows[r][c];
    GlSysBerechne(t, 3);
    for (int r = 0; r < 3; ++r) {
        for (int c = 0; c < 3; ++c) EXPECT_EQ(t[c][r], c == r ? 1 : 0) << r << c;
        EXPECT_EQ(t[3][r], r + 1);
    }
}

TEST(GlSysLoesungsform, NumbersBeyondTheRangeAreReported) {
    // The back substitution divides -1e4000 by 1e-4000: x1 = -1e8000.
    auto record = System(2, {1e-4000L, 1e4000L, 1, 0, 1, 1});
    EXPECT_FALSE(Loesungsform(*record).endlich);
    // Here the elimination multiplies 1e4000 by 1e4300: the pivot of row 2 is lost although
    // every number is in range, so the form is not shown either.
    auto lost = System(2, {1e-300L, 1e4000L, 1, 1e4000L, 1, 1});
    const TForm lostForm = Loesungsform(*lost);
    EXPECT_EQ(GlSysLoesbarkeit(lost->Mat, 2), TGlSysArt::Eindeutig);
    EXPECT_FALSE(GlSysDarstellbar(lostForm.m, 2, TGlSysArt::Eindeutig));
    // Huge and tiny entries alone are no problem.
    auto big = System(2, {1e4000L, 0, 1e4000L, 0, 1e-300L, 2e-300L});
    const TForm form = Loesungsform(*big);
    EXPECT_TRUE(form.endlich);
    EXPECT_TRUE(GlSysDarstellbar(form.m, 2, TGlSysArt::Eindeutig));
    EXPECT_EQ(form.m[2][0], 1);
    EXPECT_EQ(form.m[2][1], 2);
}

TEST(GlSysLoesbarkeit, OneNoneOrInfinitelyMany) {
    EXPECT_EQ(GlSysLoesbarkeit(System(2, {2, 1, 5, 1, -1, 1})->Mat, 2), TGlSysArt::Eindeutig);
    EXPECT_EQ(GlSysLoesbarkeit(System(2, {1, 2, 3, 2, 4, 6})->Mat, 2), TGlSysArt::Unendlich);
    EXPECT_EQ(GlSysLoesbarkeit(System(2, {1, 2, 3, 2, 4, 7})->Mat, 2), TGlSysArt::Keine);
    // A zero column: x2 does not occur.
    EXPECT_EQ(GlSysLoesbarkeit(System(2, {0, 1, 1, 0, 2, 2})->Mat, 2), TGlSysArt::Unendlich);
    EXPECT_EQ(GlSysLoesbarkeit(System(2, {0, 1, 1, 0, 2, 3})->Mat, 2), TGlSysArt::Keine);
    // All zero, with and without a right-hand side.
    EXPECT_EQ(GlSysLoesbarkeit(System(2, {0, 0, 0, 0, 0, 0})->Mat, 2), TGlSysArt::Unendlich);
    EXPECT_EQ(GlSysLoesbarkeit(System(2, {0, 0, 1, 0, 0, 0})->Mat, 2), TGlSysArt::Keine);
    EXPECT_EQ(GlSysSatz(TGlSysArt::Eindeutig), std::string("Das System hat genau eine Lösung."));
    EXPECT_EQ(GlSysSatz(TGlSysArt::Keine), std::string("Das System hat keine Lösung."));
    EXPECT_EQ(GlSysSatz(TGlSysArt::Unendlich),
              std::string("Das System hat unendlich viele Lösungen."));
}

TEST(GlSysLoesbarkeit, TheDecisionDoesNotDependOnTheSizeOfTheEntries) {
    // Each system once as it is, and with every entry, one row or one column scaled by factors
    // from 1e-4000 to 1e4000: the answer stays.
    struct TFall {
        int n;
        std::initializer_list<long double> rows;
        TGlSysArt art;
    };
    const TFall faelle[] = {
        {3, {1, 2, 3, 6, 4, 5, 6, 15, 7, 8, 10, 25}, TGlSysArt::Eindeutig},
        {3, {1, 2, 3, 6, 4, 5, 6, 15, 7, 8, 9, 24}, TGlSysArt::Unendlich},
        {3, {1, 2, 3, 6, 4, 5, 6, 15, 7, 8, 9, 25}, TGlSysArt::Keine},
        {2, {1e-9L, 0, 1, 0, 1e-9L, 1}, TGlSysArt::Eindeutig},
    };
    for (const TFall& fall : faelle) {
        for (long double factor : {1e-4000L, 1e-300L, 1e-20L, 1.0L, 1e20L, 1e300L, 1e4000L}) {
            auto all = System(fall.n, fall.rows);
            auto row = System(fall.n, fall.rows);
            auto column = System(fall.n, fall.rows);
            for (int c = 0; c <= fall.n; ++c)
                for (int r = 0; r < fall.n; ++r) all->Mat[c][r] *= factor;
            for (int c = 0; c <= fall.n; ++c) row->Mat[c][1] *= factor;
            for (int r = 0; r < fall.n; ++r) column->Mat[0][r] *= factor;
            EXPECT_EQ(GlSysLoesbarkeit(all->Mat, fall.n), fall.art) << double(factor);
            EXPECT_EQ(GlSysLoesbarkeit(row->Mat, fall.n), fall.art) << double(factor);
            EXPECT_EQ(GlSysLoesbarkeit(column->Mat, fall.n), fall.art) << double(factor);
        }
    }
}

TEST(GlSysLoesbarkeit, DecimalsThatCancelOnlyInDecimalCountAsDependent) {
    // 0.1, 0.3, 0.7 have no exact binary form; the rows are dependent all the same.
    EXPECT_EQ(GlSysLoesbarkeit(System(2, {0.1L, 0.3L, 0.7L, 0.3L, 0.9L, 2.1L})->Mat, 2),
              TGlSysArt::Unendlich);
    EXPECT_EQ(GlSysLoesbarkeit(System(2, {0.1L, 0.3L, 0.7L, 0.3L, 0.9L, 2.2L})->Mat, 2),
              TGlSysArt::Keine);
    // Rank of a block on its own.
    auto r = System(3, {0.1L, 0.2L, 0.3L, 1, 0.2L, 0.4L, 0.6L, 2, 1, 1, 1, 1});
    EXPECT_EQ(GlSysRang(r->Mat, 3, 3), 2);
    EXPECT_EQ(GlSysRang(r->Mat, 4, 3), 2);
    EXPECT_EQ(GlSysRang(r->Mat, 1, 3), 1);
}

TEST(GlSysLoesung, RandomSystemsGiveBackTheirSolution) {
    std::mt19937 random{42};
    std::uniform_int_distribution<int> digit(-9, 9);
    for (int n = 2; n <= 7; ++n) {
        for (int trial = 0; trial < 50; ++trial) {
            auto record = std::make_unique<MatTransStructDef>();
            long double x[7], found[7];
            for (int c = 0; c < n; ++c) x[c] = digit(random);
            for (int r = 0; r < n; ++r) {
                long double b = 0;
                for (int c = 0; c < n; ++c) {
                    record->Mat[c][r] = digit(random);
                    b += record->Mat[c][r] * x[c];
                }
                record->Mat[n][r] = b;
            }
            if (GlSysLoesbarkeit(record->Mat, n) != TGlSysArt::Eindeutig) {
                EXPECT_FALSE(GlSysLoesung(record->Mat, n, found));
                continue;
            }
            ASSERT_TRUE(GlSysLoesung(record->Mat, n, found));
            for (int c = 0; c < n; ++c) EXPECT_NEAR(double(found[c]), double(x[c]), 1e-12);
        }
    }
}

TEST(GlSysLoesung, TinyPivotsAndWidelyDifferentColumns) {
    // 1e-20*x1 + x2 = 1, x1 + x2 = 2: without a pivot search x1 comes out wrong by far.
    long double x[7];
    ASSERT_TRUE(GlSysLoesung(System(2, {1e-20L, 1, 1, 1, 1, 2})->Mat, 2, x));
    EXPECT_NEAR(double(x[0]), 1.0, 1e-15);
    EXPECT_NEAR(double(x[1]), 1.0, 1e-15);
    // x1 + 1e-20*x2 = 2, x1 + 2e-20*x2 = 3: x2 = 1e20.
    ASSERT_TRUE(GlSysLoesung(System(2, {1, 1e-20L, 2, 1, 2e-20L, 3})->Mat, 2, x));
    EXPECT_NEAR(double(x[0]), 1.0, 1e-10);
    EXPECT_NEAR(double(x[1] / 1e20L), 1.0, 1e-15);
    // A solution beyond the range, and a singular system.
    EXPECT_FALSE(GlSysLoesung(System(2, {1e-4000L, 0, 1e4000L, 0, 1, 1})->Mat, 2, x));
    EXPECT_FALSE(GlSysLoesung(System(2, {1, 2, 3, 2, 4, 6})->Mat, 2, x));
}

TEST(GlSysTexte, NumbersLabelsAndRows) {
    EXPECT_EQ(GlSysZahl(-0.0L, 5), "0");
    EXPECT_EQ(GlSysZahl(1.0L / 3, 5), "0.33333");
    EXPECT_EQ(GlSysZahl(1.0L / 3, 8), "0.33333333");
    EXPECT_EQ(GlSysZahl(-2.5L, 8), "-2.5");
    EXPECT_EQ(GlSysZahl(1e-20L, 8), "0");
    EXPECT_EQ(GlSysMarke(0, 3), "*x1+");
    EXPECT_EQ(GlSysMarke(2, 3), "*x3=");
    long double m[8][8] = {};
    m[0][0] = 1, m[1][0] = -0.0L, m[2][0] = 7;
    m[0][1] = 1e-19L, m[1][1] = 2, m[2][1] = 0.5L;
    EXPECT_EQ(GlSysZeile(m, 2, 0, 8, false), "1*x1+ 0*x2= 7");
    // What rounding left below the diagonal of the solution form is shown as 0.
    EXPECT_EQ(GlSysLoesWert(m, 0, 1), 0);
    EXPECT_EQ(GlSysLoesWert(m, 1, 1), 2);
    EXPECT_EQ(GlSysZeile(m, 2, 1, 8, true), "0*x1+ 2*x2= 0.5");
}

} // namespace
