#!/usr/bin/env python3
"""Prints the parser's table from JSON results of parser_bench.

Usage: parser_bench --benchmark_out=result.json [--benchmark_repetitions=3]
       bench/ratios.py result.json [before.json]
With repetitions the medians are used, otherwise the single runs; times are CPU times, which
scatter less than wall-clock times on a shared machine. With a second file (an older build, run
right before or after on the same machine) the table compares the two: "before" columns come from
before.json, the floors and muParser from result.json.
"""
import json
import math
import sys


def times(path):
    runs = json.load(open(path))["benchmarks"]
    medians = {r["run_name"]: r for r in runs if r.get("aggregate_name") == "median"}
    chosen = medians or {r["run_name"]: r for r in runs if r.get("run_type") == "iteration"}
    scale = {"ns": 1.0, "us": 1e3, "ms": 1e6, "s": 1e9}
    return {name: r["cpu_time"] * scale[r["time_unit"]] for name, r in chosen.items()}


def geometric_mean(values):
    values = [v for v in values if not math.isnan(v)]
    return math.exp(sum(map(math.log, values)) / len(values)) if values else math.nan


def main():
    t = times(sys.argv[1])
    b = times(sys.argv[2]) if len(sys.argv) > 2 else {}
    texts = [n.split("/", 1)[1] for n in t if n.startswith("floor/")]
    nan = math.nan
    print("| text | floor (powl) ns | floor (mult) ns | muParser (double) ns | parser before ns"
          " | parser ns | before/mult | parser/mult | parser/floor (powl) | derivative before ns"
          " | derivative ns |")
    print("|---|---:|---:|---:|---:|---:|---:|---:|---:|---:|---:|")
    columns = {"before/mult": [], "parser/mult": [], "parser/floor": []}
    for text in texts:
        f, m = t["floor/" + text], t.get("floor_mult/" + text, nan)
        mu, p = t.get("muparser/" + text, nan), t["parser/" + text]
        pb, d, db = b.get("parser/" + text, nan), t.get("derive1/" + text, nan), b.get(
            "derive1/" + text, nan)
        columns["before/mult"].append(pb / m)
        columns["parser/mult"].append(p / m)
        columns["parser/floor"].append(p / f)
        print(f"| {text} | {f:.1f} | {m:.1f} | {mu:.1f} | {pb:.1f} | {p:.1f} | {pb / m:.2f}"
              f" | {p / m:.2f} | {p / f:.2f} | {db:.1f} | {d:.1f} |")
    if texts:
        g = {k: geometric_mean(v) for k, v in columns.items()}
        print(f"| geometric mean | | | | | | {g['before/mult']:.2f} | {g['parser/mult']:.2f}"
              f" | {g['parser/floor']:.2f} | | |")
    for name in sorted(n for n in t if n.startswith("compile/")):
        line = f"{name}: {t[name] / 1e3:.1f} us per compile"
        if name in b:
            line += f" (before {b[name] / 1e3:.1f} us, {100 * (t[name] / b[name] - 1):+.0f} %)"
        print(line)


if __name__ == "__main__":
    main()
