// The characteristic polynomial of orders 4 to 8, expanded on texts and on term lists with each
// minor computed once, and the eigenvalue search; run by hand, see README.md.
#include "charpoly.h"
#include "eigsuche.h"

#include <benchmark/benchmark.h>

#include <cstring>
#include <memory>
#include <random>

namespace {

std::unique_ptr<MatTransStructDef> Zufall(int n) {
    auto rec = std::make_unique<MatTransStructDef>();
    std::memset(rec.get(), 0, sizeof(MatTransStructDef));
    rec->Ordnung = n;
    std::mt19937 gen(n);
    std::uniform_real_distribution<double> d(-10, 10);
    for (int c = 0; c < n; ++c)
        for (int r = 0; r < n; ++r) rec->Mat[c][r] = static_cast<long double>(d(gen)) / 3;
    return rec;
}

void BM_CharPolyTexte(benchmark::State& state) {
    auto rec = Zufall(int(state.range(0)));
    CharPoly cp(nullptr, rec.get());
    for (auto _ : state) benchmark::DoNotOptimize(cp.TextEntwicklung());
}

void BM_CharPolyTermlisten(benchmark::State& state) {
    auto rec = Zufall(int(state.range(0)));
    CharPoly cp(nullptr, rec.get());
    for (auto _ : state) benchmark::DoNotOptimize(cp.SchnellEntwicklung());
}

void BM_Eigenwertsuche(benchmark::State& state) {
    auto rec = Zufall(int(state.range(0)));
    CharPoly cp(nullptr, rec.get());
    cp.charPolyundEig();
    for (auto _ : state) {
        TEigenSuche s(rec.get());
        s.SucheOhneDialog();
        benchmark::DoNotOptimize(s.NstListe.size());
    }
}

} // namespace

BENCHMARK(BM_CharPolyTexte)->DenseRange(4, 8)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CharPolyTermlisten)->DenseRange(4, 8)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Eigenwertsuche)->DenseRange(2, 8, 3)->Unit(benchmark::kMillisecond);
BENCHMARK_MAIN();
