// `orvelin discuss`: the roots dialog without a window to see, on a record set up as the
// discussion window sets up its own. It presses "&Start", waits for the end and prints the
// integral and the four lists, so that discussions can be scripted.
#include "controls.h"
#include "cp1252.h"
#include "headless.h"
#include "modreg.h"
#include "nullstaufgabe.h"
#include "tnullstellen.h"
#include "vdfunction.h"

#include <cmath>
#include <cstdio>
#include <locale.h>
#include <string>
#include <vector>

namespace {

const char kUsage[] =
    "Aufruf: orvelin discuss [--x1 A] [--x2 B] [--abstand H] [--genauigkeit G] [--integral]\n"
    "                        [--diskussion] [--erzwinge] [--at y,z,u,v,w] [--] FUNKTION";
const char kOptions[] =
    "  --x1, --x2       Intervall (Vorgabe -10 bis 10)\n"
    "  --abstand        Abstand der Rasterpunkte der Suche (Vorgabe 0.01)\n"
    "  --genauigkeit    Integrationspunkte je Einheit von x (Vorgabe 100)\n"
    "  --integral       nur das Integral berechnen\n"
    "  --diskussion     nur Null-, Extrem- und Wendestellen suchen\n"
    "  --erzwinge       jeden Vorzeichenwechsel als Nullstelle nehmen (erzwinge NSt.)\n"
    "  --at             Werte von y, z, u, v, w mit Dezimalpunkt, fehlende sind 0";

void Print(FILE* f, const std::string& cp1252) {
    std::fputs((Cp1252ToUtf8(cp1252) + "\n").c_str(), f);
}

int UsageError(const std::string& why) {
    Print(stderr, "orvelin discuss: " + why);
    Print(stderr, std::string(kUsage) + "\nMehr mit: orvelin discuss --help");
    return 2;
}

int Failure(const std::string& why) {
    Print(stderr, "orvelin discuss: " + why);
    return 1;
}

// A decimal text with a point, whatever locale the process runs in.
bool ParseNumber(const std::string& text, long double& out) {
    static locale_t cLocale = newlocale(LC_ALL_MASK, "C", nullptr);
    char* end = nullptr;
    out = strtold_l(text.c_str(), &end, cLocale);
    return !text.empty() && *end == '\0' && std::isfinite(out);
}

struct TDiscussOptions {
    long double x1 = -10, x2 = 10, abstand = 0.01L, genauigkeit = 100;
    bool integral = false, diskussion = false, erzwinge = false;
    long double at[5] = {0, 0, 0, 0, 0};
    std::string text;
};

// 0 when the options are usable, -1 after the help text, else the usage error status.
int ParseOptions(int argc, char** argv, TDiscussOptions& o) {
    std::vector<std::string> texts;
    bool optionsEnded = false;
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        if (optionsEnded || a.size() < 2 || a[0] != '-' || (a[1] != '-' && a != "-h")) {
            texts.push_back(Utf8ToCp1252(a));
            continue;
        }
        if (a == "--") {
            optionsEnded = true;
        } else if (a == "--help" || a == "-h") {
            Print(stdout, std::string(kUsage) + "\n" + kOptions);
            return -1;
        } else if (a == "--integral") {
            o.integral = true;
        } else if (a == "--diskussion") {
            o.diskussion = true;
        } else if (a == "--erzwinge") {
            o.erzwinge = true;
        } else if (a == "--x1" || a == "--x2" || a == "--abstand" || a == "--genauigkeit" ||
                   a == "--at") {
            if (i + 1 >= argc) return UsageError("zu '" + a + "' fehlt der Wert");
            const std::string v = argv[++i];
            bool ok = true;
            if (a == "--at") {
                size_t start = 0;
                for (int k = 0; ok && start <= v.size(); ++k) {
                    const size_t comma = v.find(',', start);
                    const std::string item = v.substr(start, comma - start);
                    ok = k < 5 && ParseNumber(item, o.at[k]);
                    if (comma == std::string::npos) break;
                    start = comma + 1;
                }
            } else {
                long double* target = a == "--x1"        ? &o.x1
                                      : a == "--x2"      ? &o.x2
                                      : a == "--abstand" ? &o.abstand
                                                         : &o.genauigkeit;
                ok = ParseNumber(v, *target) && (target == &o.x1 || target == &o.x2 || *target > 0);
            }
            if (!ok) return UsageError("ungültiger Wert '" + Utf8ToCp1252(v) + "' für " + a);
        } else {
            return UsageError("unbekannte Option '" + Utf8ToCp1252(a) + "'");
        }
    }
    if (texts.empty()) return UsageError("die Funktion fehlt");
    if (texts.size() > 1) return UsageError("nur eine Funktion je Aufruf");
    o.text = texts[0];
    if (!(o.x1 < o.x2)) return UsageError("x1 muss kleiner als x2 sein");
    if (!std::isfinite(1 / o.abstand)) return UsageError("der Abstand ist zu klein");
    if (!o.integral && !o.diskussion) o.integral = o.diskussion = true;
    return 0;
}

std::string Wert(long double v) {
    return TNullstellen::IntegralText(v, 0);
}

std::vector<std::string> Zeilen(TListBox* liste) {
    std::vector<std::string> zeilen;
    for (int i = 0; i < liste->GetCount(); ++i) {
        std::string s(size_t(liste->GetStringLen(i)) + 1, '\0');
        liste->GetString(s.data(), i);
        s.resize(s.size() - 1);
        zeilen.push_back(s);
    }
    return zeilen;
}

int Discuss(int argc, char** argv) {
    TDiscussOptions o;
    if (int status = ParseOptions(argc, argv, o); status != 0) return status < 0 ? 0 : status;
    TNullstAufgabe aufgabe;
    if (!aufgabe.SetzeFunktion(o.text))
        return Failure("Berechnungsfunktion:\r die Funktion ist zu lang.");
    {
        // A function that cannot be set up is reported as the function edits report it.
        vdFunction probe(o.text.c_str(), 6, "xyzuvw", 1, nullptr, true, true);
        if (probe.GetIsError() && probe.GetGlobalError() >= 1) {
            char text[1000] = "";
            probe.GetErrorTypeText(text);
            return Failure(std::string("Berechnungsfunktion:\r ") + text);
        }
    }
    FudiTransStructDef& r = aufgabe.Record();
    r.x1 = o.x1;
    r.x2 = o.x2;
    r.DiskDichte = 1 / o.abstand;
    r.IntGenauigkeit = o.genauigkeit;
    r.Integral = o.integral ? 1 : 0;
    r.Diskussion = o.diskussion ? 1 : 0;
    r.NStErzwingen = o.erzwinge ? 1 : 0;
    aufgabe.SetzeVariablen(o.at);

    SetHeadless(true);
    TNullstellen dialog(nullptr, &r);
    if (!dialog.Create()) return Failure("Der Dialog konnte nicht erzeugt werden.");
    dialog.ShowWindow(SW_HIDE);
    dialog.SendCommand(TNullstellen::kStart);
    TRecordedMessage m;
    std::string meldungen;
    while (TakeMessage(m)) meldungen += m.caption + ": " + m.text + "\n";
    if (!dialog.IsWindow()) return Failure(meldungen + "Die Berechnung wurde abgebrochen.");
    std::vector<std::string> listen[4];
    for (int k = 0; k < 4; ++k) listen[k] = Zeilen(dialog.Liste(k));
    char integral[100] = "";
    dialog.GetDlgItemText(TNullstellen::kIntegral, integral, sizeof integral);
    // "&OK" hands the lines over to the record, as the discussion window would take them.
    dialog.SendCommand(TNullstellen::kAbbruchOK);

    if (o.integral) {
        Print(stdout, std::string("Integral: ") + integral);
        Print(stdout, "PosIntegral: " + Wert(r.PosIntegral));
        Print(stdout, "NegIntegral: " + Wert(r.NegIntegral));
    }
    const char* const titel[4] = {"Nullstellen:", "Extrema:", "Wendestellen:", "Nst. f'''(x):"};
    for (int k = 0; k < 4; ++k) {
        Print(stdout, titel[k]);
        for (const std::string& zeile : listen[k]) Print(stdout, zeile);
    }
    std::fflush(stdout);
    if (o.integral && r.Integral != 1)
        return Failure(meldungen + "Das Integral liegt außerhalb des Zahlenbereichs.");
    if (o.diskussion && r.Diskussion != 1)
        return Failure(meldungen + "Die Diskussion wurde nicht zu Ende geführt.");
    return 0;
}

const TCommandRegistrar registrar(
    {"discuss",
     "discuss [--x1 A] [--x2 B] [--abstand H] [--genauigkeit G] [--integral] [--diskussion] "
     "[--erzwinge] [--at y,z,u,v,w] TEXT",
     nullptr, Discuss});

} // namespace
