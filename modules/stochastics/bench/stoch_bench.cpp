// How long one normal or chi-square probability takes, against the parser's raw rate for as
// many density values (about 300 000), and how much the window adds to the sums (letting
// messages through, the progress text). Run by hand:
//     build/bin/stoch_bench --benchmark_repetitions=3
#include "application.h"
#include "controls.h"
#include "stochcore.h"
#include "tstochastik.h"
#include "vdparser.h"

#include <benchmark/benchmark.h>
#include <cstdlib>
#include <memory>

namespace {

// As many density values as one probability computes: two sums of 150 001 points.
constexpr int kPunkte = 300002;

void ParserDichte(benchmark::State& state, const char* text, const char* vars, long double a,
                  long double b) {
    vdParser p(text, 3, vars, true, true, false, false);
    long double values[3] = {a, b, 0};
    for (auto _ : state) {
        long double sum = 0;
        for (int k = 0; k < kPunkte; ++k) {
            values[2] = 0.5L + k * 1e-4L;
            sum += p.GetResultExt(values);
        }
        benchmark::DoNotOptimize(sum);
    }
}

void BM_ParserNormal(benchmark::State& state) {
    ParserDichte(state, "1/(z*sqrt(2*pi))*e^(-1/2*(((x-y)/z)^2))", "yzx", 0, 1);
}
void BM_ParserChi(benchmark::State& state) {
    ParserDichte(state, "(x^(v/2-1)*exp(-x/2))/(2^(v/2)*GAMMA(v/2))", "vyx", 5, 0);
}

void BM_KernNormal(benchmark::State& state) {
    for (auto _ : state) benchmark::DoNotOptimize(NormalWahrscheinlichkeit(1.2L, 0, 1));
}
void BM_KernChi(benchmark::State& state) {
    const long double g = StochGamma(2.5L);
    for (auto _ : state) benchmark::DoNotOptimize(ChiWahrscheinlichkeit(3, 5, g));
}

TApplication& App() {
    static int argc = 1;
    static char name[] = "stoch_bench";
    static char* argv[] = {name, nullptr};
    static TApplication app(argc, argv);
    return app;
}

// The whole computation of the window: checks, the formula at x, the sums with the progress
// text and the message loop, the result text.
void Fenster(benchmark::State& state, int verteilung, const char* x, int fieldId,
             const char* value) {
    App();
    TStochastik window(nullptr, 101);
    window.Create();
    auto* list = dynamic_cast<TComboBox*>(window.ChildWithId(202));
    list->SetSelIndex(verteilung);
    window.SetzeDarst();
    window.SetDlgItemText(204, x);
    window.SetDlgItemText(fieldId, value);
    for (auto _ : state) benchmark::DoNotOptimize(window.Berechnung());
    window.Destroy();
}

void BM_FensterNormal(benchmark::State& state) {
    Fenster(state, kNormal, "1.2", 504, "1");
}
// The window's fixed work without any sum: checks, the formula at x, the result texts.
void BM_FensterBinomial(benchmark::State& state) {
    Fenster(state, kBinomial, "0", 511, "10");
}
void BM_FensterChi(benchmark::State& state) {
    Fenster(state, kChiQuadrat, "3", 513, "5");
}

BENCHMARK(BM_ParserNormal)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_KernNormal)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FensterNormal)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FensterBinomial)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ParserChi)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_KernChi)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FensterChi)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
