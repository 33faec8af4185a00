#!/usr/bin/python3
"""Accuracy table of the stochastics module against scipy.stats (python3-scipy), run by hand:

    cmake --build build --target stoch_werte
    tests/modules/stochastics/genauigkeit.py build/bin/stoch_werte

For 20 inputs per distribution it prints our probability (unrounded; the window rounds the normal
and chi-square ones to 6 places), the reference and the difference, as a Markdown table.
"""
import subprocess
import sys

from scipy import stats

NAMES = ["binomial", "hypergeometrisch", "normal", "Poisson", "Chi-Quadrat"]

# (distribution, x, y, z, u, v, w)
CASES = (
    [(0, x, 0, 0, u, v, w) for (x, u, v, w) in [
        (0, 10, 3, 5), (2, 10, 3, 5), (5, 10, 3, 5), (1, 2, 1, 1), (0, 1, 1, 3),
        (3, 6, 1, 10), (10, 100, 37, 20), (50, 100, 50, 100), (0, 100, 1, 100),
        (7, 12, 7, 12), (4, 9, 2, 25), (15, 40, 13, 30), (1, 3, 1, 1), (500, 1000, 500, 1000),
        (3, 7, 0, 5), (5, 7, 7, 5), (20, 50, 10, 60), (170, 400, 150, 400), (2, 5, 4, 3),
        (12, 30, 9, 40)]]
    + [(1, x, 0, 0, u, v, w) for (x, u, v, w) in [
        (0, 10, 3, 5), (2, 10, 3, 5), (3, 10, 3, 5), (1, 2, 1, 1), (0, 0, 0, 0),
        (3, 60, 10, 10), (10, 100, 37, 20), (25, 100, 50, 50), (0, 100, 1, 50),
        (7, 12, 7, 12), (2, 49, 6, 6), (6, 49, 6, 6), (1, 3, 1, 1), (50, 200, 100, 100),
        (3, 7, 3, 5), (5, 7, 7, 5), (4, 50, 10, 20), (40, 400, 150, 100), (2, 5, 4, 3),
        (12, 30, 15, 20)]]
    + [(2, x, y, z, 0, 0, 0) for (x, y, z) in [
        (0, 0, 1), (1, 0, 1), (-1, 0, 1), (2, 0, 1), (-3, 0, 1), (1.96, 0, 1), (0.5, 0, 1),
        (130, 100, 15), (85, 100, 15), (100, 100, 15), (5, 3, 2), (-7, -5, 0.5),
        (0.001, 0, 0.01), (10, 0, 3), (-10, 0, 3), (1e6 + 2, 1e6, 1), (4, 0, 1), (-5, 0, 1),
        (0.25, 0.2, 0.1), (37, 40, 7)]]
    + [(3, x, y, 0, 0, 0, 0) for (x, y) in [
        (0, 1), (1, 1), (3, 2.5), (0, 0.1), (10, 10), (5, 10), (20, 10), (2, 0.5), (7, 3),
        (100, 100), (50, 100), (1, 0.01), (15, 4.2), (30, 25), (0, 20), (40, 20), (3, 3),
        (8, 1), (170, 150), (12, 12)]]
    + [(4, x, 0, 0, 0, v, 0) for (x, v) in [
        (3.84, 1), (1, 1), (0.1, 1), (6.63, 1), (2, 2), (5.99, 2), (0.5, 2), (7.81, 3),
        (1, 3), (9.49, 4), (3, 4), (11.07, 5), (18.307, 10), (5, 10), (31.41, 20),
        (20, 20), (43.77, 30), (100, 100), (124.34, 100), (0.01, 3)]]
)


def reference(d, x, y, z, u, v, w):
    if d == 0:
        return stats.binom.pmf(x, w, v / u)
    if d == 1:
        return stats.hypergeom.pmf(x, u, v, w) if u > 0 else 1.0
    if d == 2:
        return stats.norm.cdf(x, y, z)
    if d == 3:
        return stats.poisson.pmf(x, y)
    return stats.chi2.sf(x, v)


def main():
    tool = sys.argv[1]
    text = "\n".join(" ".join(repr(float(a)) if i else str(a) for i, a in enumerate(c))
                     for c in CASES) + "\n"
    out = subprocess.run([tool], input=text, capture_output=True, text=True, check=True)
    ours = out.stdout.splitlines()
    print("| distribution | x | y | z | u | v | w | ours | scipy | difference |")
    print("|---|---:|---:|---:|---:|---:|---:|---:|---:|---:|")
    worst = {}
    for c, o in zip(CASES, ours):
        ref = reference(*c)
        diff = "—" if o == "kein Ergebnis" else "%.1e" % abs(float(o) - ref)
        if diff != "—":
            worst[c[0]] = max(worst.get(c[0], 0.0), abs(float(o) - ref))
        cells = [NAMES[c[0]]] + ["%g" % a for a in c[1:]] + [o, "%.15g" % ref, diff]
        print("| " + " | ".join(cells) + " |")
    print()
    for d in sorted(worst):
        print("- %s: largest difference %.1e" % (NAMES[d], worst[d]))


if __name__ == "__main__":
    main()
