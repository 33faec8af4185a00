// The 2D drawing of f, f' and f'' at 800 x 600 against the evaluations it needs: `eval/<f>`
// computes exactly the values the drawing computes (800 columns, orders 0, 1, 2, no drawing),
// `draw/<f>` draws them into a picture as the window does. draw / eval - 1 is what drawing adds.
#include "application.h"
#include "dc.h"
#include "fudirecord.h"
#include "fudizeichner.h"
#include "vdfunction.h"

#include <benchmark/benchmark.h>
#include <memory>

namespace {

constexpr int kBreite = 800, kHoehe = 600;
const char* const kFunktionen[] = {"sin(x)", "x^3-4*x", "exp(-x^2)*cos(3x)"};

std::unique_ptr<FudiTransStructDef> Aufgabe() {
    auto rec = std::make_unique<FudiTransStructDef>();
    rec->x1 = rec->h1 = -10;
    rec->x2 = rec->h2 = 10;
    rec->xAb = rec->hAb = 1;
    rec->Var.SetzeVar("0", "0", "0", "0", "0", "0");
    return rec;
}

void Eval(benchmark::State& state) {
    const char* f = kFunktionen[state.range(0)];
    auto rec = Aufgabe();
    vdFunction func(f, 6, "xyzuvw", 1, nullptr, true, true);
    long double werte[6] = {0, 0, 0, 0, 0, 0};
    const int R = kBreite - 1;
    const long double dx = (rec->x2 - rec->x1) / R;
    for (auto _ : state) {
        long double summe = 0;
        for (int k = 0; k < 3; ++k)
            for (int i = 0; i <= R; ++i) {
                werte[0] = rec->x1 + i * dx;
                summe += func.GetPDerivationExt(k, werte, 0, false, 0);
                benchmark::DoNotOptimize(func.GetIsError());
            }
        benchmark::DoNotOptimize(summe);
    }
    state.SetLabel(f);
}

void Draw(benchmark::State& state) {
    const char* f = kFunktionen[state.range(0)];
    auto rec = Aufgabe();
    vdFunction func(f, 6, "xyzuvw", 1, nullptr, true, true);
    TFudiZeichner zeichner(rec.get());
    zeichner.SetFunktion(&func);
    TBitmap bild(kBreite, kHoehe);
    TMemoryDC dc(bild);
    const int R = kBreite - 1, B = kHoehe - 1;
    for (auto _ : state)
        for (int k = 0; k < 3; ++k)
            zeichner.ZeichneFunktion(f, k, dc.GetHDC(), R, B, 0, R, 1, false, false);
    state.SetLabel(f);
}

BENCHMARK(Eval)->Name("eval")->DenseRange(0, 2)->Unit(benchmark::kMicrosecond);
BENCHMARK(Draw)->Name("draw")->DenseRange(0, 2)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv) {
    // Pictures are painted through the platform, which wants its application object.
    TApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
