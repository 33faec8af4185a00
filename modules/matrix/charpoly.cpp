#include "charpoly.h"

#include "vdparser.h"
#include "winapi.h"
#include "window.h"

#include <array>
#include <cmath>
#include <cstring>
#include <functional>
#include <optional>

const char* const kCharPolyNochNicht =
    "Noch nicht bestimmt: Drücken Sie den Schalter 'Eigenwerte'.";

namespace {

// The text buffers of the expansion.
constexpr size_t kPolyBuf = 1700;

void Kopiere(char* out, const std::string& text) {
    const size_t n = text.size() < kPolyBuf - 1 ? text.size() : kPolyBuf - 1;
    std::memcpy(out, text.data(), n);
    out[n] = '\0';
}

// Reads a factor of a product text: "(" cell ")" or a bare number.
PolyCell ReadFactor(const char*& s) {
    const bool bracket = *s == '(';
    if (bracket) ++s;
    PolyCell c{ReadNumber(s), false};
    if (std::strncmp(s, "-x", 2) == 0) {
        c.hasX = true;
        s += 2;
    }
    if (bracket && *s == ')') ++s;
    return c;
}

} // namespace

CharPoly::CharPoly(HWND pCharPIn, MatTransStructDef* InfStructIn)
    : Abbrechen(0), InfStruct(InfStructIn), pCharP(pCharPIn) {
    DebugFunkion(0, nullptr, false, "CharPoly::CharPoly(HWND, MatTransStructDef*)", "", "");
    Anzeige(kCharPolyNochNicht);
    FreigabeEigenwerte(false);
    InfStruct->CharPolyText[0] = '\0';
}

CharPoly::~CharPoly() {}

int CharPoly::Ordnung() const {
    const int n = InfStruct->Ordnung;
    return n < 0 ? 0 : (n > 8 ? 8 : n);
}

void CharPoly::Anzeige(const char* text) {
    if (!pCharP) return;
    if (TWindow* w = TWindow::FromHandle(pCharP)) w->SetDlgItemText(1910, text);
}

void CharPoly::FreigabeEigenwerte(bool enable) {
    if (!pCharP) return;
    if (TWindow* w = TWindow::FromHandle(pCharP))
        if (HWND item = w->GetDlgItem(219)) EnableWindow(item, enable);
}

void CharPoly::Nachrichten() {
    if (pCharP) PumpWaitingMessages();
}

void CharPoly::BNClickedEigenwerte() {
    DebugFunkion(0, nullptr, false, "void CharPoly::BNClickedEigenwerte()", "", "");
    Abbrechen = 0;
    charPolyundEig();
}

void CharPoly::Fortschritt(int i, int n) {
    char num[40];
    ldtochar(num, static_cast<long double>(i * 100 / n), 10, true);
    Anzeige((std::string(num) + "% bestimmt").c_str());
}

bool CharPoly::EintraegeEndlich() const {
    const int n = Ordnung();
    for (int c = 0; c < n; ++c)
        for (int r = 0; r < n; ++r)
            if (!std::isfinite(InfStruct->Mat[c][r])) return false;
    return true;
}

void CharPoly::Zellen(Inhalt cells[8][8]) const {
    const int n = Ordnung();
    for (int c = 0; c < n; ++c)
        for (int r = 0; r < n; ++r) {
            const std::string t = CellText({InfStruct->Mat[c][r], c == r});
            std::strncpy(cells[c][r], t.c_str(), sizeof(Inhalt) - 1);
            cells[c][r][sizeof(Inhalt) - 1] = '\0';
        }
}

void CharPoly::charPolyundEig() {
    DebugFunkion(0, nullptr, false, "void CharPoly::charPolyundEig()", "", "");
    const std::string text = Ordnung() >= 2 ? SchnellEntwicklung() : std::string();
    if (Abbrechen != 0 || text.empty()) {
        // A coefficient beyond the range of numbers would stand in the text as a wrong number.
        Anzeige(Abbrechen == 0 && Overflow ? "Wert zu groß!" : kCharPolyNochNicht);
        FreigabeEigenwerte(false);
        return;
    }
    Kopiere(InfStruct->CharPolyText, text);
    const std::string shown = AnzeigeText(InfStruct->CharPolyText, Ordnung());
    Anzeige(shown.c_str());
    FreigabeEigenwerte(true);
    Kopiere(InfStruct->CharPolyAnzeige, shown);
}

// ---------------------------------------------------------------------------------------------
// The expansion on texts

std::string CharPoly::TextEntwicklung() {
    Overflow = !EintraegeEndlich();
    const int n = Ordnung();
    if (n < 2 || Overflow) return {};
    Inhalt cells[8][8];
    Zellen(cells);
    std::string result = "(";
    char buf[kPolyBuf];
    for (int i = 0; i < n; ++i) {
        Fortschritt(i, n);
        if (i > 0) result += i % 2 == 0 ? "+" : "-";
        std::string term;
        if (n == 2) {
            const bool x = std::strchr(cells[0][i], 'x') != nullptr;
            term = "(" +
                   (x ? "(" + std::string(cells[0][i]) + ")*" : cells[0][i] + std::string("*")) +
                   BestimmeMat1(0, i, cells) + "+0*0)";
            Kopiere(buf, term);
            term = vereinfachecharUntPoly1(buf);
        } else {
            term = "(" + std::string(cells[0][i]) + ")*" + Unterdeterminante(n - 1, 0, i, cells);
            Kopiere(buf, term);
            term = ausmult(buf);
        }
        if (result.back() == '-') TauscheVorzeichen(term, 2);
        result += term.substr(1, term.size() - 2);
        Kopiere(buf, result);
        result = Elimin(buf);
    }
    result += ")";
    Kopiere(buf, result);
    sortiere1(buf);
    Elimin(buf);
    if (Abbrechen != 0 || Overflow) return {};
    return buf;
}

std::string CharPoly::Unterdeterminante(int m, int tiefe, int Zeile, Inhalt sub[8][8]) {
    switch (m) {
    case 1:
        return BestimmeMat1(tiefe, Zeile, sub);
    case 2:
        return BestimmeMat2(tiefe, Zeile, sub);
    case 3:
        return BestimmeMat3(tiefe, Zeile, sub);
    case 4:
        return BestimmeMat4(tiefe, Zeile, sub);
    case 5:
        return BestimmeMat5(tiefe, Zeile, sub);
    case 6:
        return BestimmeMat6(tiefe, Zeile, sub);
    default:
        return BestimmeMat7(tiefe, Zeile, sub);
    }
}

std::string CharPoly::BestimmeMat(int m, int tiefe, int Zeile, Inhalt charMatIn[8][8]) {
    if (m == 1) Nachrichten();
    Inhalt sub[8][8];
    for (int c = 0; c < m; ++c)
        for (int r = 0; r < m; ++r)
            std::memcpy(sub[c][r], charMatIn[c + 1][r < Zeile ? r : r + 1], sizeof(Inhalt));
    auto factor = [&](int i) {
        const bool x = std::strchr(sub[0][i], 'x') != nullptr;
        return x ? "(" + std::string(sub[0][i]) + ")*" : std::string(sub[0][i]) + "*";
    };
    char buf[kPolyBuf];
    if (m == 1) return std::strchr(sub[0][0], 'x') ? "(" + std::string(sub[0][0]) + ")" : sub[0][0];
    if (m == 2) {
        std::string t = "(" + factor(0) + BestimmeMat1(tiefe + 1, 0, sub) + "-" + factor(1) +
                        BestimmeMat1(tiefe + 1, 1, sub) + ")";
        Kopiere(buf, t);
        Elimin(buf);
        return vereinfachecharUntPoly1(buf);
    }
    std::string result = "(";
    for (int i = 0; i < m; ++i) {
        if (i > 0) result += i % 2 == 0 ? "+" : "-";
        // Once cancelled, the larger minors stand as (0), which ends the expansion quickly.
        const std::string minor = m >= 5 && Abbrechen != 0
                                      ? std::string("(0)")
                                      : Unterdeterminante(m - 1, tiefe + 1, i, sub);
        Kopiere(buf, "(" + std::string(sub[0][i]) + ")*" + minor);
        std::string term = ausmult(buf);
        if (result.back() == '-') TauscheVorzeichen(term, 2);
        result += term.substr(1, term.size() - 2);
        Kopiere(buf, result);
        result = Elimin(buf);
    }
    result += ")";
    Kopiere(buf, result);
    return sortiere1(buf);
}

std::string CharPoly::BestimmeMat1(int t, int z, Inhalt c[8][8]) {
    return BestimmeMat(1, t, z, c);
}
std::string CharPoly::BestimmeMat2(int t, int z, Inhalt c[8][8]) {
    return BestimmeMat(2, t, z, c);
}
std::string CharPoly::BestimmeMat3(int t, int z, Inhalt c[8][8]) {
    return BestimmeMat(3, t, z, c);
}
std::string CharPoly::BestimmeMat4(int t, int z, Inhalt c[8][8]) {
    return BestimmeMat(4, t, z, c);
}
std::string CharPoly::BestimmeMat5(int t, int z, Inhalt c[8][8]) {
    return BestimmeMat(5, t, z, c);
}
std::string CharPoly::BestimmeMat6(int t, int z, Inhalt c[8][8]) {
    return BestimmeMat(6, t, z, c);
}
std::string CharPoly::BestimmeMat7(int t, int z, Inhalt c[8][8]) {
    return BestimmeMat(7, t, z, c);
}

char* CharPoly::ausmult(char* FunktionIn) {
    // "(" f ")*" P
    const char* s = FunktionIn;
    const PolyCell f = ReadFactor(s);
    if (*s == '*') ++s;
    PolyTerms p;
    ParsePoly(s, p);
    Kopiere(FunktionIn, WritePoly(AusmultTerms(f, p, &Overflow)));
    return Elimin(FunktionIn);
}

char* CharPoly::vereinfachecharUntPoly1(char* FunktionIn) {
    const char* s = FunktionIn;
    if (*s == '(') ++s;
    PolyTerms t;
    while (*s && *s != ')') {
        bool negative = false;
        while (*s == '+' || *s == '-') negative ^= *s++ == '-';
        const PolyCell f1 = ReadFactor(s);
        if (*s != '*') break;
        ++s;
        const PolyCell f2 = ReadFactor(s);
        ProduktTerms(t, f1, f2, negative, &Overflow);
    }
    Kopiere(FunktionIn, WritePoly(Sortiere1Terms(t, &Overflow)));
    return Elimin(FunktionIn);
}

char* CharPoly::sortiere1(char* FunktionIn) {
    PolyTerms t;
    ParsePoly(FunktionIn, t);
    Kopiere(FunktionIn, WritePoly(Sortiere1Terms(t, &Overflow)));
    return Elimin(FunktionIn);
}

char* CharPoly::fassezus1(char* FunktionIn) {
    PolyTerms t;
    ParsePoly(FunktionIn, t);
    Kopiere(FunktionIn, WritePoly(Fassezus1Terms(t, &Overflow)));
    return Elimin(FunktionIn);
}

char* CharPoly::Elimin(char* FunktionIn) {
    return EliminText(FunktionIn);
}

// ---------------------------------------------------------------------------------------------
// The same expansion on term lists

std::string CharPoly::SchnellEntwicklung() {
    Overflow = !EintraegeEndlich();
    const int n = Ordnung();
    if (n < 2 || Overflow) return {};
    // The cells as the texts hold them (entries below 1e-5 are rounded to 15 places there).
    PolyCell cells[8][8];
    for (int c = 0; c < n; ++c)
        for (int r = 0; r < n; ++r) cells[c][r] = {Quant(InfStruct->Mat[c][r], &Overflow), c == r};
    auto cell = [&](int c, int r) { return cells[c][r]; };
    // The minor of the last m columns that keeps the rows of `rows`, by row set.
    std::array<std::optional<PolyTerms>, 256> memo;
    std::function<const PolyTerms&(int)> minor = [&](int rows) -> const PolyTerms& {
        std::optional<PolyTerms>& slot = memo[rows];
        if (slot) return *slot;
        int keep[8], m = 0;
        for (int r = 0; r < n; ++r)
            if (rows & (1 << r)) keep[m++] = r;
        const int col = n - m;
        PolyTerms t;
        if (m == 2) {
            ProduktTerms(t, cell(col, keep[0]), cell(col + 1, keep[1]), false, &Overflow);
            ProduktTerms(t, cell(col, keep[1]), cell(col + 1, keep[0]), true, &Overflow);
        } else {
            Nachrichten();
            for (int i = 0; i < m && Abbrechen == 0; ++i) {
                PolyTerms term =
                    AusmultTerms(cell(col, keep[i]), minor(rows & ~(1 << keep[i])), &Overflow);
                if (i % 2 == 1) Negiere(term);
                t.insert(t.end(), term.begin(), term.end());
            }
        }
        slot = Sortiere1Terms(t, &Overflow);
        return *slot;
    };
    const int all = (1 << n) - 1;
    PolyTerms result;
    for (int i = 0; i < n && Abbrechen == 0; ++i) {
        Fortschritt(i, n);
        Nachrichten();
        PolyTerms term;
        if (n == 2) {
            ProduktTerms(term, cell(0, i), cell(1, 1 - i), false, &Overflow);
            ProduktTerms(term, {0, false}, {0, false}, false, &Overflow);
            term = Sortiere1Terms(term, &Overflow);
        } else {
            term = AusmultTerms(cell(0, i), minor(all & ~(1 << i)), &Overflow);
        }
        if (i % 2 == 1) Negiere(term);
        result.insert(result.end(), term.begin(), term.end());
    }
    if (Abbrechen != 0 || Overflow) return {};
    char buf[kPolyBuf];
    Kopiere(buf, WritePoly(Sortiere1Terms(result, &Overflow)));
    return Elimin(buf);
}
