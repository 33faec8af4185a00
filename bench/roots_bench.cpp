// The roots dialog on three school functions: `raw/<f>` evaluates f on a grid as fast as the
// parser can, `run/<f>/<density>/<accuracy>` presses "&Start" on the dialog offscreen (the
// integral and the whole discussion of [-10, 10]). Both report evaluations per second (a
// derivative counts the evaluations of its difference quotient); raw / run per second is the
// factor the dialog's bookkeeping (lists, texts, message loop) adds to its evaluations, and
// `open/<f>` is the fixed work of a run (dialog, pictures, function object) to take off first.
#include "application.h"
#include "headless.h"
#include "nullstaufgabe.h"
#include "tnullstellen.h"
#include "vdfunction.h"

#include <benchmark/benchmark.h>

namespace {

const char* const kFunktionen[] = {"x^3-4*x", "sin(x)*x", "(x^2+1)/(x^2-4)"};

void Raw(benchmark::State& state) {
    const char* f = kFunktionen[state.range(0)];
    vdFunction func(f, 6, "xyzuvw", 1, nullptr, false, false);
    long double werte[6] = {0, 0, 0, 0, 0, 0};
    constexpr int kPunkte = 20000;
    for (auto _ : state) {
        long double summe = 0;
        for (int i = 0; i < kPunkte; ++i) {
            werte[0] = -10 + i * 0.001L;
            summe += func.GetPDerivationExt(0, werte, 0, false, 0);
            benchmark::DoNotOptimize(func.GetIsError());
        }
        benchmark::DoNotOptimize(summe);
    }
    state.counters["evals/s"] = benchmark::Counter(double(kPunkte) * double(state.iterations()),
                                                   benchmark::Counter::kIsRate);
    state.SetLabel(f);
}

void Run(benchmark::State& state) {
    const char* f = kFunktionen[state.range(0)];
    double auswertungen = 0;
    for (auto _ : state) {
        TNullstAufgabe aufgabe;
        FudiTransStructDef& r = aufgabe.Record();
        aufgabe.SetzeFunktion(f);
        r.DiskDichte = double(state.range(1));
        r.IntGenauigkeit = double(state.range(2));
        r.Integral = r.Diskussion = 1;
        TNullstellen dialog(nullptr, &r);
        dialog.Create();
        dialog.SendCommand(TNullstellen::kStart);
        auswertungen += double(dialog.GetAuswertungen());
        dialog.Destroy();
    }
    state.counters["evals/s"] = benchmark::Counter(auswertungen, benchmark::Counter::kIsRate);
    state.SetLabel(f);
}

// The dialog's fixed work of one run: record, function object, controls and pictures.
void Open(benchmark::State& state) {
    const char* f = kFunktionen[state.range(0)];
    for (auto _ : state) {
        TNullstAufgabe aufgabe;
        aufgabe.SetzeFunktion(f);
        TNullstellen dialog(nullptr, &aufgabe.Record());
        dialog.Create();
        dialog.Destroy();
    }
    state.SetLabel(f);
}

BENCHMARK(Open)->DenseRange(0, 2)->Unit(benchmark::kMillisecond);
BENCHMARK(Raw)->DenseRange(0, 2)->Unit(benchmark::kMillisecond);
BENCHMARK(Run)->ArgsProduct({{0, 1, 2}, {100, 1000}, {100, 10000}})->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    TApplication app(argc, argv);
    SetHeadless(true);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
