// The 2D drawing of f, f' and f'' at 800 x 600 against the evaluations it needs: `eval/<f>`
// computes exactly the values the drawing computes (800 columns, orders 0, 1, 2, no drawing),
// `draw/<f>` draws them into a picture as the window does. draw / eval - 1 is what drawing adds.
//
// The 3D drawing of sin(x)*cos(y) on [-3, 3]² at 800 x 600 against the parser's raw rate:
// `parser3d` evaluates the text on a grid of points through GetResultExt, `draw3d/G` is the
// whole drawing at grid density G (colour, outlines, turned by 30°, tilted by 0.5) as the window
// draws it, `draw3d_ohne_linien/G` the same without outlines. All three report evaluations per
// second (items_per_second); parser rate / drawing rate is what the drawing costs per point.
#include "application.h"
#include "dc.h"
#include "fudi3d.h"
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

const char kFunktion3D[] = "sin(x)*cos(y)";

std::unique_ptr<FudiTransStructDef> Aufgabe3D(int grade, bool linien) {
    auto rec = std::make_unique<FudiTransStructDef>();
    rec->x1 = rec->y1 = -3;
    rec->x2 = rec->y2 = 3;
    rec->h1 = -1, rec->h2 = 1;
    rec->xAb = rec->yAb = rec->hAb = 1;
    rec->Grade = grade;
    rec->farbig = 1, rec->Linien = linien, rec->Norm = 0;
    rec->Turn_Round = 30, rec->Move_Vertical = 0.5L;
    rec->Is3D = 1;
    rec->Var.SetzeVar("0", "0", "0", "0", "0", "0");
    return rec;
}

void Parser3D(benchmark::State& state) {
    vdFunction func(kFunktion3D, 6, "xyzuvw", 1, nullptr, true, true);
    long double werte[6] = {0, 0, 0, 0, 0, 0};
    constexpr int n = 160;
    long auswertungen = 0;
    for (auto _ : state) {
        long double summe = 0;
        for (int j = 0; j < n; ++j)
            for (int i = 0; i < n; ++i) {
                werte[0] = -3 + i * 6.0L / n;
                werte[1] = -3 + j * 6.0L / n;
                summe += func.GetResultExt(werte);
                benchmark::DoNotOptimize(func.GetIsError());
            }
        benchmark::DoNotOptimize(summe);
        auswertungen += n * n;
    }
    state.SetItemsProcessed(auswertungen);
}

void Draw3D(benchmark::State& state, bool linien) {
    auto rec = Aufgabe3D(static_cast<int>(state.range(0)), linien);
    vdFunction func(kFunktion3D, 6, "xyzuvw", 1, nullptr, true, true);
    TFudiZeichner gitter(rec.get());
    TFudi3dZeichner zeichner(rec.get(), gitter);
    zeichner.SetFunktion(&func);
    TBitmap bild(kBreite, kHoehe);
    TMemoryDC dc(bild);
    long auswertungen = 0;
    for (auto _ : state) {
        zeichner.MakeZeichne3dFunktion(kFunktion3D, 0, dc.GetHDC(), kBreite - 1, kHoehe - 1, 0,
                                       kBreite, 1, false, false);
        auswertungen += zeichner.Auswertungen();
    }
    state.SetItemsProcessed(auswertungen);
    state.counters["slices"] = zeichner.Scheiben();
    state.counters["points"] = static_cast<double>(zeichner.Auswertungen());
}

BENCHMARK(Parser3D)->Name("parser3d")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Draw3D, linien, true)
    ->Name("draw3d")
    ->Arg(1)
    ->Arg(5)
    ->Arg(10)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Draw3D, ohne_linien, false)
    ->Name("draw3d_ohne_linien")
    ->Arg(1)
    ->Arg(5)
    ->Arg(10)
    ->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    // Pictures are painted through the platform, which wants its application object.
    TApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
