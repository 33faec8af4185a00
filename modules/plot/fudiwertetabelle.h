// The value table of the function discussion ("Wertetabelle..."): x from a start to an end in
// steps, with f(x), f'(x) and f''(x) as the information shows numbers, "n. def." where a value
// is not defined. The table can be copied to the clipboard as tab-separated text and printed.
// Dialog resource 20500 of "FNPLOT.DLL".
#pragma once

#include "vdbaseprintdlg.h"

#include <array>
#include <string>
#include <vector>

class vdFunction;
struct FudiTransStructDef;

// One row: x, f(x), f'(x), f''(x) as texts.
using TWerteZeile = std::array<std::string, 4>;

// Most rows of one table.
constexpr int kMaxWerteZeilen = 1000;

// The rows from `von` to `bis` (inclusive, give or take rounding) in steps of `schritt`, the
// variables y … w from `werte`. False with a German message in `fehler` for a step that is not
// positive, an end before the start or more than kMaxWerteZeilen rows.
bool BerechneWertetabelle(vdFunction& f, const long double werte[6], long double von,
                          long double bis, long double schritt, std::vector<TWerteZeile>& zeilen,
                          std::string& fehler);
// The table as tab-separated text with a heading line, lines ending in CR LF.
std::string WertetabelleText(const std::vector<TWerteZeile>& zeilen);

class TFudiWertetabelle : public vdBasePrintDlg {
public:
    TFudiWertetabelle(TWindow* parent, FudiTransStructDef* rec, vdFunction* funkObj,
                      TResId resId = 20500, TModule* module = nullptr);
    void SetupWindow() override;
    void CurrPrintout(bool preview, TDC& dc, bool erase, TRect& rect, int kind) override;

    void BNClickedBerechnen() { Berechne(); }
    // True when the table could be computed (else its message has been shown).
    bool Berechne();
    void BNClickedKopieren();
    void BNClickedDrucken();
    void BNClickedHelp();
    const std::vector<TWerteZeile>& Zeilen() const { return Tabelle; }

private:
    long double Zahl(int id) const;
    FudiTransStructDef* Rec;
    vdFunction* FunkObj;
    std::vector<TWerteZeile> Tabelle;
};
