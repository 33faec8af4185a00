// Benchmarks of the linear systems, run by hand (never part of the tests):
//
//     cmake --build build --target linsolve_bench
//     build/bin/linsolve_bench --benchmark_repetitions=3
//
// For n = 2 … 7 unknowns, on a regular random system: the elimination of the matrix library
// alone (InvMatrix on the augmented matrix, the baseline), the solution form as the window
// computes it (elimination, copy, back substitution), the decision how many solutions there
// are (two ranks), the solution itself, and the whole headless answer from the text to the
// printed lines (which evaluates every number with the parser).
#include "glsyskommando.h"
#include "glsysloes.h"
#include "invmatrix.h"
#include "matrecord.h"

#include <benchmark/benchmark.h>
#include <memory>
#include <random>
#include <string>

namespace {

std::unique_ptr<MatTransStructDef> Zufall(int n) {
    auto record = std::make_unique<MatTransStructDef>();
    std::mt19937 random{unsigned(n)};
    std::uniform_int_distribution<int> digit(-9, 9);
    record->Ordnung = n;
    for (int c = 0; c <= n; ++c)
        for (int r = 0; r < n; ++r) record->Mat[c][r] = digit(random) + (c == r ? 20 : 0);
    return record;
}

void Elimination(benchmark::State& state) {
    auto record = Zufall(int(state.range(0)));
    for (auto _ : state) benchmark::DoNotOptimize(GlSysStufenform(*record));
}

void Loesungssystem(benchmark::State& state) {
    const int n = int(state.range(0));
    auto record = Zufall(n);
    long double LoesMat[8][8];
    for (auto _ : state) {
        GlSysKopiere(*GlSysStufenform(*record), n, LoesMat);
        GlSysBerechne(LoesMat, n);
        benchmark::DoNotOptimize(LoesMat);
    }
}

void Loesbarkeit(benchmark::State& state) {
    const int n = int(state.range(0));
    auto record = Zufall(n);
    for (auto _ : state) benchmark::DoNotOptimize(GlSysLoesbarkeit(record->Mat, n));
}

void Loesung(benchmark::State& state) {
    const int n = int(state.range(0));
    auto record = Zufall(n);
    long double x[7];
    for (auto _ : state) {
        benchmark::DoNotOptimize(GlSysLoesung(record->Mat, n, x));
        benchmark::DoNotOptimize(x);
    }
}

void Text(benchmark::State& state) {
    const int n = int(state.range(0));
    auto record = Zufall(n);
    std::string text;
    for (int r = 0; r < n; ++r)
        for (int c = 0; c <= n; ++c)
            text += std::to_string(int(record->Mat[c][r])) + (c < n ? "," : r + 1 < n ? ";" : "");
    std::string out, error;
    for (auto _ : state) benchmark::DoNotOptimize(GlSysLoeseText(text, out, error));
}

BENCHMARK(Elimination)->DenseRange(2, 7);
BENCHMARK(Loesungssystem)->DenseRange(2, 7);
BENCHMARK(Loesbarkeit)->DenseRange(2, 7);
BENCHMARK(Loesung)->DenseRange(2, 7);
BENCHMARK(Text)->DenseRange(2, 7);

} // namespace

BENCHMARK_MAIN();
