// Compile once, evaluate many: the parser against hand-written long double functions that
// compute exactly what it computes. The parser reads every text as "0+" followed by the text,
// evaluates every "^" with powl, and within one bracket applies "*" and "/" left to right before
// "+" and "-" left to right; each floor function below spells out that order.
#include "vdparser.h"

#include <benchmark/benchmark.h>
#ifdef HAVE_MUPARSER
#include <muParser.h>
#endif

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

namespace {

using Floor = long double (*)(const long double* v);

// The parser reads each exponent from its value list at run time; the floor must too, or the
// compiler turns Pow(x, 2) into x*x.
inline long double Pow(long double x, long double exponent) {
    __asm__ volatile("" : "+m"(exponent));
    return powl(x, exponent);
}

// The functions are kept out of line so that, like the parser, each evaluation is one call.
#define FLOOR_FUNCTION(name) __attribute__((noinline)) long double name(const long double* v)

FLOOR_FUNCTION(Cubic) {
    const long double x = v[0];
    return (0.0L + Pow(x, 3.0L)) - 4.0L * x;
}

FLOOR_FUNCTION(DampedSine) {
    const long double x = v[0];
    return (0.0L + sinl(x) * expl(0.0L - Pow(x, 2.0L) / 10.0L)) + sqrtl(fabsl(x));
}

FLOOR_FUNCTION(Quotient) {
    const long double x = v[0];
    const long double q = (Pow(x, 2.0L) + 1.0L) / (Pow(x, 2.0L) - 1.0L);
    const long double m = logl(fabsl(x) + 1.0L) * cosl(3.0L * x);
    return (0.0L + q) + m;
}

FLOOR_FUNCTION(Degree8) {
    const long double x = v[0];
    const long double a = 3.0L * Pow(x, 8.0L), b = 2.0L * Pow(x, 7.0L);
    const long double c = 5.0L * Pow(x, 5.0L), d = 4.0L * Pow(x, 4.0L);
    const long double e = 2.0L * Pow(x, 2.0L), f = 7.0L * x;
    return (((((((((0.0L + a) - b) + Pow(x, 6.0L)) - c) + d) - Pow(x, 3.0L)) + e) - f) + 1.0L);
}

FLOOR_FUNCTION(TwoVariables) {
    const long double x = v[0], y = v[1];
    return ((0.0L + x * y) + sinl(x + y)) - Pow(cosl(x - y), 2.0L);
}

// The second floor: the same terms as written, but integer powers as multiplications (no Horner
// rewrite, no folding of constants) -- what a fast engine computes.
FLOOR_FUNCTION(CubicMult) {
    const long double x = v[0];
    return (0.0L + x * x * x) - 4.0L * x;
}

FLOOR_FUNCTION(DampedSineMult) {
    const long double x = v[0];
    return (0.0L + sinl(x) * expl(0.0L - x * x / 10.0L)) + sqrtl(fabsl(x));
}

FLOOR_FUNCTION(QuotientMult) {
    const long double x = v[0];
    const long double q = (x * x + 1.0L) / (x * x - 1.0L);
    const long double m = logl(fabsl(x) + 1.0L) * cosl(3.0L * x);
    return (0.0L + q) + m;
}

FLOOR_FUNCTION(Degree8Mult) {
    const long double x = v[0];
    const long double x2 = x * x, x3 = x2 * x, x4 = x3 * x, x5 = x4 * x, x6 = x5 * x, x7 = x6 * x,
                      x8 = x7 * x;
    return ((((((((0.0L + 3.0L * x8) - 2.0L * x7) + x6) - 5.0L * x5) + 4.0L * x4) - x3) +
             2.0L * x2) -
            7.0L * x) +
           1.0L;
}

FLOOR_FUNCTION(TwoVariablesMult) {
    const long double x = v[0], y = v[1];
    const long double c = cosl(x - y);
    return ((0.0L + x * y) + sinl(x + y)) - c * c;
}

struct Case {
    const char* name;
    const char* text;
    int varCount;
    const char* varDesc;
    Floor floor;
    Floor multiplied;
    const char* muText; // the text in muParser's notation
};

const Case kCases[] = {
    {"cubic", "x^3-4*x", 1, "x", Cubic, CubicMult, "x^3-4*x"},
    {"damped_sine", "sin(x)*exp(-x^2/10)+sqrt(abs(x))", 1, "x", DampedSine, DampedSineMult,
     "sin(x)*exp(-x^2/10)+sqrt(abs(x))"},
    {"quotient", "(x^2+1)/(x^2-1)+ln(abs(x)+1)*cos(3*x)", 1, "x", Quotient, QuotientMult,
     "(x^2+1)/(x^2-1)+ln(abs(x)+1)*cos(3*x)"},
    {"degree8", "3*x^8-2*x^7+x^6-5*x^5+4*x^4-x^3+2*x^2-7*x+1", 1, "x", Degree8, Degree8Mult,
     "3*x^8-2*x^7+x^6-5*x^5+4*x^4-x^3+2*x^2-7*x+1"},
    {"two_vars", "x*y+sin(x+y)-cos(x-y)^2", 2, "xy", TwoVariables, TwoVariablesMult,
     "x*y+sin(x+y)-cos(x-y)^2"},
};

// 1024 points: x over [-10, 10] (midpoints, so never exactly 0 or +-1); with two variables a
// 32 x 32 grid of x and y, both over [-10, 10].
constexpr int kPoints = 1024;

std::vector<long double> Grid(int varCount) {
    std::vector<long double> g(kPoints * 2);
    for (int i = 0; i < kPoints; ++i) {
        if (varCount == 1) {
            g[2 * i] = -10.0L + 20.0L * (i + 0.5L) / kPoints;
        } else {
            g[2 * i] = -10.0L + 20.0L * (i % 32 + 0.5L) / 32;
            g[2 * i + 1] = -10.0L + 20.0L * (i / 32 + 0.5L) / 32;
        }
    }
    return g;
}

void BM_Floor(benchmark::State& state, Floor floor, int varCount) {
    const std::vector<long double> grid = Grid(varCount);
    int i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(floor(&grid[2 * i]));
        i = (i + 1) % kPoints;
    }
}

#ifdef HAVE_MUPARSER
// muParser in double precision, compiled once, on the same points.
void BM_MuParser(benchmark::State& state, const Case& c) {
    const std::vector<long double> grid = Grid(c.varCount);
    double x = 0, y = 0;
    mu::Parser parser;
    parser.DefineVar("x", &x);
    parser.DefineVar("y", &y);
    parser.SetExpr(c.muText);
    double worst = 0;
    for (int i = 0; i < kPoints; ++i) {
        x = double(grid[2 * i]);
        y = double(grid[2 * i + 1]);
        const double f = double(c.floor(&grid[2 * i]));
        worst = std::max(worst, std::fabs(parser.Eval() - f) / std::max(1.0, std::fabs(f)));
    }
    state.counters["relative_difference"] = worst;
    int i = 0;
    for (auto _ : state) {
        x = double(grid[2 * i]);
        y = double(grid[2 * i + 1]);
        benchmark::DoNotOptimize(parser.Eval());
        i = (i + 1) % kPoints;
    }
}
#endif

// order 0 is one value through GetResultExt, the modules' path; order 1 the first derivative.
void BM_Parser(benchmark::State& state, const Case& c, int order) {
    vdParser parser(c.text, c.varCount, c.varDesc, true, true, true, true);
    if (parser.GetGlobalError() >= 1) {
        state.SkipWithError("the text does not compile");
        return;
    }
    std::vector<long double> grid = Grid(c.varCount);
    if (order == 0) {
        // The comparison is only meaningful while both compute the same numbers.
        int mismatches = 0, multiplied = 0;
        auto same = [](long double a, long double b) {
            return a == b || (std::isnan(a) && std::isnan(b));
        };
        for (int i = 0; i < kPoints; ++i) {
            const long double p = parser.GetResultExt(&grid[2 * i]);
            if (!same(p, c.floor(&grid[2 * i]))) ++mismatches;
            if (!same(p, c.multiplied(&grid[2 * i]))) ++multiplied;
        }
        state.counters["mismatches"] = mismatches;
        state.counters["mismatches_mult"] = multiplied;
    }
    int i = 0;
    for (auto _ : state) {
        if (order == 0)
            benchmark::DoNotOptimize(parser.GetResultExt(&grid[2 * i]));
        else
            benchmark::DoNotOptimize(parser.GetPDerivationExt(1, &grid[2 * i], 0, false, 0));
        i = (i + 1) % kPoints;
    }
}

// A school-style text of exactly `length` characters in x.
std::string TextOfLength(size_t length) {
    static const char* const terms[] = {"3*x^2",      "sin(2*x)/(x+4)", "sqrt(abs(x)+1)",
                                        "exp(-x/10)", "(x-1)*(x+2)",    "ln(x^2+1)",
                                        "cos(x)^3",   "2x(x-5)"};
    std::string text = "1";
    for (size_t k = 0;; ++k) {
        const std::string next = std::string(k % 2 ? "-" : "+") + terms[k % 8];
        if (text.size() + next.size() > length) break;
        text += next;
    }
    if (text.size() < length) text += "+" + std::string(length - text.size() - 1, '1');
    return text;
}

void BM_Compile(benchmark::State& state) {
    const std::string text = TextOfLength(static_cast<size_t>(state.range(0)));
    for (auto _ : state) {
        vdParser parser(text.c_str(), 1, "x", true, true, true, true);
        if (parser.GetGlobalError() >= 1) {
            state.SkipWithError("the generated text does not compile");
            break;
        }
        benchmark::DoNotOptimize(parser.GetResult(1.5L));
    }
    state.counters["chars"] = static_cast<double>(text.size());
}

// Texts of every kind that a rewriting compiler once took quadratic time (or worse) on, of
// exactly length characters. Each must compile in time proportional to its length.
std::string Repeated(const std::string& head, const std::string& piece, const std::string& tail,
                     size_t length) {
    std::string text = head;
    while (text.size() + piece.size() + tail.size() <= length) text += piece;
    text += tail;
    if (text.size() < length) text.insert(head.size(), length - text.size(), ' ');
    return text;
}

std::string Nested(const std::string& open, const std::string& inner, size_t length) {
    const size_t depth = (length - inner.size()) / (open.size() + 1);
    std::string text;
    for (size_t i = 0; i < depth; ++i) text += open;
    text += inner + std::string(depth, ')');
    return text + std::string(length - text.size(), ' ');
}

struct LongKind {
    const char* name;
    std::string (*text)(size_t length);
};

const LongKind kLongKinds[] = {
    {"school", TextOfLength},
    {"sum", [](size_t n) { return Repeated("1", "+x", "", n); }},
    {"signs", [](size_t n) { return std::string(n - 1, '-') + "1"; }},
    {"blanks", [](size_t n) { return "1" + std::string(n - 3, ' ') + "+1"; }},
    {"product", [](size_t n) { return Repeated("2", "*1", "", n); }},
    {"tower", [](size_t n) { return Repeated("x", "^x", "", n); }},
    {"negative_tower", [](size_t n) { return Repeated("2", "^-x", "", n); }},
    {"factorials", [](size_t n) { return "1" + std::string(n - 1, '!'); }},
    {"brackets", [](size_t n) { return Nested("(", "x", n); }},
    {"calls", [](size_t n) { return Nested("abs(", "x", n); }},
    {"percent", [](size_t n) { return Repeated("1", "*1%", "", n); }},
    {"comments", [](size_t n) { return Repeated("1", "+x\"c\"", "", n); }},
};

// Compiles (construct, set up) a long text of one kind; the text is evaluated once at x = 1, so
// that a compiler that defers work to the first evaluation cannot hide it.
void BM_CompileLong(benchmark::State& state, const LongKind& kind) {
    const std::string text = kind.text(static_cast<size_t>(state.range(0)));
    for (auto _ : state) {
        vdParser parser(text.c_str(), 1, "x", true, true, true, true);
        if (parser.GetGlobalError() >= 1) {
            state.SkipWithError("the text does not compile");
            break;
        }
        benchmark::DoNotOptimize(parser.GetResult(1.0L));
    }
    state.counters["chars"] = static_cast<double>(text.size());
    state.counters["ns_per_char"] = benchmark::Counter(
        static_cast<double>(text.size()),
        benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

} // namespace

int main(int argc, char** argv) {
    for (const Case& c : kCases) {
        benchmark::RegisterBenchmark((std::string("floor/") + c.name).c_str(), BM_Floor, c.floor,
                                     c.varCount);
        benchmark::RegisterBenchmark((std::string("floor_mult/") + c.name).c_str(), BM_Floor,
                                     c.multiplied, c.varCount);
#ifdef HAVE_MUPARSER
        benchmark::RegisterBenchmark((std::string("muparser/") + c.name).c_str(), BM_MuParser, c);
#endif
        benchmark::RegisterBenchmark((std::string("parser/") + c.name).c_str(), BM_Parser, c, 0);
        benchmark::RegisterBenchmark((std::string("derive1/") + c.name).c_str(), BM_Parser, c, 1);
    }
    benchmark::RegisterBenchmark("compile", BM_Compile)
        ->Arg(50)
        ->Arg(500)
        ->Arg(2700)
        ->Unit(benchmark::kMicrosecond);
    for (const LongKind& kind : kLongKinds)
        benchmark::RegisterBenchmark((std::string("compile_long/") + kind.name).c_str(),
                                     BM_CompileLong, kind)
            ->RangeMultiplier(4)
            ->Range(1 << 10, 1 << 20)
            ->Unit(benchmark::kMillisecond);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
