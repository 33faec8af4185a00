#include "evalcmd.h"

#include "cp1252.h"
#include "vdparser.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <locale.h>
#include <string>
#include <vector>

namespace {

const char kSynopsis[] =
    "Aufruf: orvelin eval [--vars NAMEN --count N] [--at W1,W2,...] [--base B] [--unit U]\n"
    "                     [--derive K] [--var I] [--snap] [--out-base B] [--digits N] [--]\n"
    "                     FUNKTION\n"
    "        orvelin eval --symbolic-diff VARIABLE FUNKTION\n"
    "        orvelin eval --symbolic-int VARIABLE FUNKTION";
const char kOptions[] =
    "  --vars, --count  Variablennamen (\"xy\" oder \"ab cd\") und ihre Anzahl\n"
    "  --at             Werte der Variablen mit Dezimalpunkt, fehlende sind 0\n"
    "  --base           Zahlenbasis der Funktion: 2, 8, 10 oder 16 (ohne Variablen)\n"
    "  --unit           Winkelmaß: 1 Grad, 2 Bogenmaß, 3 Gon\n"
    "  --derive, --var  Ableitung der Ordnung K nach der Variablen I (ab 0)\n"
    "  --snap           sehr kleine Ableitungen als 0 ausgeben\n"
    "  --out-base       Ausgabe in der Basis 2, 8, 10 oder 16\n"
    "  --digits         Ziffern der Ausgabe (1 bis 20; sonst 15, wie im Ergebnisfeld des Rechners)";

enum class Symbolic { None, Diff, Int };

struct EvalOptions {
    std::string text;
    bool hasVars = false;
    std::string varDesc;
    int varCount = -1;
    std::vector<long double> at;
    int base = 0; // 0: no base given
    int unit = 0; // 0: keep the parser's default
    bool derive = false;
    int order = 0;
    int varIndex = 0;
    bool snap = false;
    int outBase = 0;
    // Significant digits of the answer: the calculator's result field shows 15, which hides the
    // rounding noise of the 80-bit value (0.1+0.2 is 0.3 there, not 0.30000000000000000001).
    int digits = 15;
    Symbolic symbolic = Symbolic::None;
    std::string symbolicVar;
};

// Everything the command writes is Windows-1252 inside and UTF-8 outside.
void Print(FILE* f, const std::string& cp1252) {
    std::fputs((Cp1252ToUtf8(cp1252) + "\n").c_str(), f);
}

int UsageError(const std::string& why) {
    Print(stderr, "orvelin eval: " + why);
    Print(stderr, std::string(kSynopsis) + "\nMehr mit: orvelin eval --help");
    return 2;
}

bool ParseInt(const char* s, int* out) {
    errno = 0;
    char* end = nullptr;
    long v = std::strtol(s, &end, 10);
    if (*s == '\0' || *end != '\0' || errno != 0 || v < INT_MIN || v > INT_MAX) return false;
    *out = static_cast<int>(v);
    return true;
}

// Decimal texts with a point, whatever locale the process runs in.
bool ParseValues(const char* list, std::vector<long double>* out) {
    static locale_t cLocale = newlocale(LC_ALL_MASK, "C", nullptr);
    std::string all(list);
    size_t start = 0;
    while (true) {
        size_t comma = all.find(',', start);
        std::string item = all.substr(start, comma == std::string::npos ? comma : comma - start);
        char* end = nullptr;
        long double v = strtold_l(item.c_str(), &end, cLocale);
        // "nan", "inf" and numbers beyond long double are no contents of a variable.
        if (item.empty() || *end != '\0' || !std::isfinite(v)) return false;
        out->push_back(v);
        if (comma == std::string::npos) return true;
        start = comma + 1;
    }
}

bool IsBase(int b) {
    return b == 2 || b == 8 || b == 10 || b == 16;
}

// Returns 0 when the options are usable, -1 after the help text, else the usage error status.
int ParseOptions(int argc, char** argv, EvalOptions* o) {
    std::vector<std::string> texts;
    bool optionsEnded = false;
    for (int i = 1; i < argc; ++i) {
        std::string a = argv[i];
        if (optionsEnded || a.size() < 2 || a[0] != '-' || (a[1] != '-' && a != "-h")) {
            texts.push_back(Utf8ToCp1252(a));
            continue;
        }
        if (a == "--") {
            optionsEnded = true;
            continue;
        }
        if (a == "--help" || a == "-h") {
            Print(stdout, std::string(kSynopsis) + "\n" + kOptions);
            return -1;
        }
        if (a == "--snap") {
            o->snap = true;
            continue;
        }
        static const char* const withValue[] = {"--vars",         "--count",    "--at",
                                                "--base",         "--unit",     "--derive",
                                                "--var",          "--out-base", "--symbolic-diff",
                                                "--symbolic-int", "--digits"};
        bool known = false;
        for (const char* w : withValue) known = known || a == w;
        if (!known) return UsageError("unbekannte Option '" + Utf8ToCp1252(a) + "'");
        if (i + 1 >= argc) return UsageError("zu '" + a + "' fehlt der Wert");
        const char* v = argv[++i];
        bool ok = true;
        if (a == "--vars") {
            o->hasVars = true;
            o->varDesc = Utf8ToCp1252(v);
        } else if (a == "--count") {
            ok = ParseInt(v, &o->varCount) && o->varCount >= 0;
        } else if (a == "--at") {
            ok = ParseValues(v, &o->at);
        } else if (a == "--base") {
            ok = ParseInt(v, &o->base) && IsBase(o->base);
        } else if (a == "--unit") {
            ok = ParseInt(v, &o->unit) && o->unit >= 1 && o->unit <= 3;
        } else if (a == "--derive") {
            o->derive = true;
            ok = ParseInt(v, &o->order);
        } else if (a == "--var") {
            ok = ParseInt(v, &o->varIndex) && o->varIndex >= 0;
        } else if (a == "--out-base") {
            ok = ParseInt(v, &o->outBase) && IsBase(o->outBase);
        } else if (a == "--digits") {
            ok = ParseInt(v, &o->digits) && o->digits >= 1 && o->digits <= 20;
        } else {
            if (o->symbolic != Symbolic::None)
                return UsageError("nur eine symbolische Berechnung je Aufruf");
            o->symbolic = a == "--symbolic-diff" ? Symbolic::Diff : Symbolic::Int;
            o->symbolicVar = Utf8ToCp1252(v);
            ok = !o->symbolicVar.empty();
        }
        if (!ok) return UsageError("ungültiger Wert '" + Utf8ToCp1252(v) + "' für " + a);
    }
    if (texts.empty()) return UsageError("die Funktion fehlt");
    if (texts.size() > 1) return UsageError("mehr als eine Funktion angegeben");
    o->text = texts.front();
    if (o->hasVars && o->varCount < 0) {
        // Without --count the description tells: single letters, or names between blanks.
        const std::string& d = o->varDesc;
        if (d.find(' ') == std::string::npos) {
            o->varCount = int(d.size());
        } else {
            o->varCount = 0;
            for (size_t i = 0; i < d.size(); ++i)
                if (d[i] != ' ' && (i == 0 || d[i - 1] == ' ')) ++o->varCount;
        }
    }
    if (o->hasVars != (o->varCount >= 0))
        return UsageError("--vars und --count nur gemeinsam angeben");
    if (o->varCount < 0) o->varCount = 0;
    if (o->base != 0 && o->hasVars)
        return UsageError("--base gilt nur für Funktionen ohne Variablen");
    if (o->at.size() > static_cast<size_t>(o->varCount))
        return UsageError("mehr Werte bei --at als Variablen");
    if (o->varIndex > 0 && o->varIndex >= o->varCount)
        return UsageError("--var nennt keine der Variablen");
    if (o->symbolic != Symbolic::None && (o->hasVars || o->base != 0 || o->derive))
        return UsageError("symbolische Berechnung nur mit der Funktion und ihrer Variablen");
    return 0;
}

int ReportParserError(vdParser& parser) {
    char message[512] = "";
    parser.GetErrorTypeText(message);
    Print(stdout, "Fehler " + std::to_string(parser.GetGlobalError()) + ": " + message);
    return 1;
}

int RunSymbolic(vdParser& parser, const EvalOptions& o) {
    // The parser lets the symbolic library write up to 25 times the normalised text.
    std::vector<char> out(25 * (parser.GetStyledFunction().size() + 1) + 256, '\0');
    bool diff = o.symbolic == Symbolic::Diff;
    if (diff)
        parser.doDifferentiation1(out.data(), o.symbolicVar.c_str());
    else
        parser.doIntegrate1(out.data(), o.symbolicVar.c_str());
    if (out[0] != '\0')
        Print(stdout, out.data());
    else if (diff)
        Print(stdout, "Berechnung der Ableitung ist bei der eingegebenen Funktion nicht möglich.");
    else
        Print(stdout,
              "Berechnung der Stammfunktion ist bei der eingegebenen Funktion nicht möglich.");
    return 0;
}

int Run(vdParser& parser, const EvalOptions& o) {
    if (o.unit != 0) parser.SetAngularUnitTo(o.unit);
    if (parser.GetGlobalError() >= 1) return ReportParserError(parser);
    if (o.symbolic != Symbolic::None) return RunSymbolic(parser, o);

    std::vector<long double> values(o.varCount + 1, 0.0L);
    std::copy(o.at.begin(), o.at.end(), values.begin());
    long double r = o.derive
                        ? parser.GetPDerivationExt(o.order, values.data(), o.varIndex, o.snap, 0)
                        : parser.GetResultExt(values.data());
    if (parser.GetGlobalError() >= 1) return ReportParserError(parser);

    char out[512] = "";
    if (o.outBase != 0)
        ConvertToBase(out, r, o.digits, o.outBase);
    else
        ldtochar(out, r, o.digits, true);
    if (std::strcmp(out, "-0") == 0) std::strcpy(out, "0"); // the suite never shows "-0"
    Print(stdout, out);
    return 0;
}

} // namespace

int RunEvalCommand(int argc, char** argv) {
    EvalOptions o;
    if (int status = ParseOptions(argc, argv, &o)) return status < 0 ? 0 : status;
    if (o.symbolic != Symbolic::None) {
        vdParser parser(o.text.c_str(), 1, o.symbolicVar.c_str(), true, true, true, true);
        return Run(parser, o);
    }
    if (o.base != 0) {
        vdParser parser(o.text.c_str(), o.base, true, true, true, true);
        return Run(parser, o);
    }
    vdParser parser(o.text.c_str(), o.varCount, o.varDesc.c_str(), true, true, true, true);
    return Run(parser, o);
}
