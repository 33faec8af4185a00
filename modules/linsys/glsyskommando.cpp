#include "glsyskommando.h"

#include "glsysloes.h"
#include "invmatrix.h"
#include "matrecord.h"
#include "vdfunction.h"

#include <memory>
#include <vector>

namespace {

const char kRange[] = "Unbekanntenanzahl:\r Der Wert muß in [2..7] liegen.";
const char kTooLarge[] = "Berechnung:\r Die Zahlen des Gleichungssystems sind zu groß. Das "
                         "Lösungssystem kann nicht berechnet werden.";
constexpr size_t kMaxInput = 250;

std::vector<std::string> Teile(const std::string& text, char separator) {
    std::vector<std::string> parts(1);
    for (char c : text) {
        if (c == separator)
            parts.emplace_back();
        else
            parts.back() += c;
    }
    return parts;
}

std::string OhneRand(const std::string& text) {
    const size_t first = text.find_first_not_of(" \t");
    if (first == std::string::npos) return "";
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

std::string FeldName(int r, int c) {
    return "(" + std::to_string(r) + "," + std::to_string(c) + ")";
}

// The value of the field (r, c) as a function edit without variables computes it.
bool Wert(const std::string& text, int r, int c, long double& value, std::string& error) {
    const std::string topic = "Feld " + FeldName(r, c) + ":\r ";
    if (text.empty()) {
        error = topic + "Das Feld ist leer.";
        return false;
    }
    if (text.size() > kMaxInput) {
        error = topic + "Die Eingabe darf nicht mehr als 250 Zeichen lang sein.";
        return false;
    }
    vdFunction f(text.c_str(), 0, "", 1, nullptr, true, true);
    value = f.GetResult();
    if (f.GetGlobalError() < 1) return true;
    char message[400] = "";
    f.GetErrorTypeText(message);
    error = topic + message;
    return false;
}

bool LiesSystem(const std::string& text, MatTransStructDef& record, std::string& error) {
    std::vector<std::string> rows = Teile(text, ';');
    // One ";" after the last row is allowed.
    if (rows.size() > 1 && OhneRand(rows.back()).empty()) rows.pop_back();
    const int n = int(rows.size());
    if (n < 2 || n > 7) {
        error = kRange;
        return false;
    }
    record.Ordnung = n;
    for (int r = 1; r <= n; ++r) {
        const std::vector<std::string> fields = Teile(rows[size_t(r - 1)], ',');
        if (int(fields.size()) != n + 1) {
            error = "Gleichung " + std::to_string(r) + ":\r Sie hat " +
                    std::to_string(fields.size()) + " statt " + std::to_string(n + 1) +
                    " Zahlen (" + std::to_string(n) + " Koeffizienten und die rechte Seite).";
            return false;
        }
        for (int c = 1; c <= n + 1; ++c)
            if (!Wert(OhneRand(fields[size_t(c - 1)]), r, c, record.Mat[c - 1][r - 1], error))
                return false;
    }
    return true;
}

// Ten significant digits, also for values so small that the shortest exact form shows them as 0.
std::string Loesungszahl(long double x) {
    char text[64] = "";
    ldtochar(text, x, 10, false);
    return std::string(text) == "-0" ? std::string("0") : std::string(text);
}

} // namespace

bool GlSysLoeseText(const std::string& text, std::string& out, std::string& error) {
    out.clear();
    error.clear();
    const auto record = std::make_unique<MatTransStructDef>();
    if (!LiesSystem(text, *record, error)) return false;
    const int n = record->Ordnung;
    long double LoesMat[8][8] = {};
    GlSysKopiere(*GlSysStufenform(*record), n, LoesMat);
    GlSysBerechne(LoesMat, n);
    const TGlSysArt art = GlSysLoesbarkeit(record->Mat, n);
    long double x[7] = {};
    if (!GlSysDarstellbar(LoesMat, n, art) ||
        (art == TGlSysArt::Eindeutig && !GlSysLoesung(record->Mat, n, x))) {
        error = kTooLarge;
        return false;
    }
    out = "Lösungssystem:\n";
    for (int r = 0; r < n; ++r) out += GlSysZeile(LoesMat, n, r, 8, true) + "\n";
    out += std::string(GlSysSatz(art)) + "\n";
    if (art == TGlSysArt::Eindeutig)
        for (int c = 0; c < n; ++c)
            out += "x" + std::to_string(c + 1) + " = " + Loesungszahl(x[c]) + "\n";
    return true;
}
