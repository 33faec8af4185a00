// Prints the probability the stochastics window computes, for the accuracy table against an
// independent reference (genauigkeit.py). One task a line on standard input:
//     DISTRIBUTION x y z u v w          (DISTRIBUTION 0 ... 4 as in the list)
// and one line out: the unrounded probability with 20 digits, or "kein Ergebnis".
#include "stochcore.h"
#include "vdparser.h"

#include <cstdio>
#include <cstring>
#include <iostream>
#include <sstream>
#include <string>

int main() {
    std::string line;
    while (std::getline(std::cin, line)) {
        std::istringstream in(line);
        int d = 0;
        TStochWerte w;
        std::string t[6];
        in >> d >> t[0] >> t[1] >> t[2] >> t[3] >> t[4] >> t[5];
        long double* f[6] = {&w.x, &w.y, &w.z, &w.u, &w.v, &w.w};
        for (int i = 0; i < 6; ++i) *f[i] = chartold(t[i].c_str(), nullptr);
        if (!PruefeEingabe(d, w).empty()) {
            std::puts("kein Ergebnis");
            continue;
        }
        const TVerteilungsDaten& daten = VerteilungsDaten(d);
        const int n = int(std::strlen(daten.Variablen));
        vdParser formel(daten.Formel, n, daten.Variablen, true, true, true, true);
        long double values[6] = {};
        for (int i = 0; i < n; ++i) values[i] = w.Wert(daten.Variablen[i]);
        long double p = formel.GetResultExt(values);
        if (formel.GetGlobalError() >= 1) {
            std::puts("kein Ergebnis");
            continue;
        }
        if (d == kNormal) p = NormalWahrscheinlichkeit(w.x, w.y, w.z);
        if (d == kChiQuadrat) p = ChiWahrscheinlichkeit(w.x, w.v, StochGamma(w.v / 2));
        char text[64];
        std::puts(ldtochar(text, p, 20, true));
    }
    return 0;
}
