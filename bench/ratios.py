#!/usr/bin/env python3
"""Prints the parser/floor table from a JSON result of parser_bench.

Usage: parser_bench --benchmark_out=result.json [--benchmark_repetitions=3]
       bench/ratios.py result.json
With repetitions the medians are used, otherwise the single runs; times are CPU times, which
scatter less than wall-clock times on a shared machine.
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


def main():
    t = times(sys.argv[1])
    texts = [n.split("/", 1)[1] for n in t if n.startswith("floor/")]
    print("| text | floor ns | parser ns | parser/floor | derivative ns | derivative/value |")
    print("|---|---:|---:|---:|---:|---:|")
    ratios = []
    for text in texts:
        f, p, d = t["floor/" + text], t["parser/" + text], t.get("derive1/" + text, math.nan)
        ratios.append(p / f)
        print(f"| {text} | {f:.1f} | {p:.1f} | {p / f:.2f} | {d:.1f} | {d / p:.2f} |")
    if ratios:
        geo = math.exp(sum(map(math.log, ratios)) / len(ratios))
        print(f"| geometric mean | | | {geo:.2f} | | |")
    for name in sorted(n for n in t if n.startswith("compile/")):
        print(f"{name}: {t[name] / 1e3:.1f} us per compile")


if __name__ == "__main__":
    main()
