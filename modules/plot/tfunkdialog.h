// TFunkDialog: the modal dialog "Funktionseingabe" in which the user types the function f(x)
// (mode 0) or f(x,y) (mode 1), the intervals, scales and options, looks at a preview with a time
// estimate and suggested accuracies, moves and zooms the ranges in steps and loads, saves,
// copies or pastes the task. It works on its own copy of the record and copies it back over
// the caller's record only when OK is accepted.
//
// Dialog resource 20200 of "FNPLOT.DLL" (the controls of both modes; those of the other mode
// are hidden).
#pragma once

#include "dialog.h"
#include "fudi3d.h"
#include "fudizeichner.h"

#include <functional>
#include <memory>
#include <string>

class TFudiVorschau;
class TKugelbild;
class vdFunction;
struct FudiTransStructDef;
struct TFudiFelder;

class TFunkDialog : public TDialog {
public:
    TFunkDialog(TWindow* parent, int mode, FudiTransStructDef* EinStructIn, TResId resId = 20200,
                TModule* module = nullptr);
    ~TFunkDialog() override;

    void SetupWindow() override;
    // OK: checks the fields, saves the task into the settings file and copies the working
    // record back over the caller's.
    bool CanClose() override;

    // Reads the fields into the working record, checks them and (with `Zeichnen`) draws the
    // preview with its time estimate; `Vorschlag` also suggests accuracies and scales;
    // `WinMessPaint` suppresses the message boxes. False when a check failed.
    bool Kalkulation(bool Zeichnen, bool Vorschlag, bool WinMessPaint);

    void KalkButt();
    void Vorschlag();
    void Hoch();
    void Runter();
    void Links();
    void Rechts();
    void Hinten();
    void Vorne();
    void kleiner();
    void groesser();
    void TurnHigh();
    void TurnLow();
    void TurnLeft();
    void TurnRight();
    void BNClickedRBSchW();
    void BNClickedCBDiskussion();
    void BNClickedVar();
    void BNClickedKopieren();
    void BNClickedEinfuegen();
    void BNClickedSpeichern();
    void BNClickedLaden();
    void BNClickedOKB();
    void BNClickedHelp();

    // Writes the task as the fields show it; false when the file could not be written.
    bool SetzeDaten(const char* DatName);
    // Reads a task file into the fields; false (after the message) when it is unreadable.
    bool HoleDaten(const char* DatName);

    // For the window and tests.
    const FudiTransStructDef& GetWork() const { return *Work; }
    int GetMode() const { return Mode; }
    // The estimated seconds last shown.
    long GetSekunden() const { return Sekunden; }

    // Control ids of the arrow pictures (beyond the system's table).
    enum : int { kPfeilBild = 1115 };

private:
    long double Zahl(int id) const;
    std::string Text(int id) const;
    void SetzeZahl(int id, long double value);
    bool Checked(int id) const;
    void Check(int id, bool on);
    void Enable(int id, bool enable);
    void Melde(bool still, const char* text);
    void FelderAusWork();
    void FelderSetzen(const TFudiFelder& felder);
    TFudiFelder FelderLesen() const;
    // The 2D preview: grid and graphs; the estimate of graph k in milliseconds.
    void Vorschau2D(bool vorschlag, long double e[3]);
    // The 3D preview; the milliseconds it took.
    long double Vorschau3D();
    long double ZeichneklFunktion(int k, TDC& dc, int W, int H, bool vorschlag);
    void SkalenVorschlag();
    // One range step: the buttons are disabled, `aendern` moves the fields, the preview follows.
    void Schritt(int id, const std::function<void()>& aendern);
    void Verschiebe(int feld1, int feld2, long double anteil);
    void SeitenSchritt(int id, int seite);
    void Zoom(int id, long double anteil);
    void SchalteButtsAus();
    void SchalteButtsAn();
    void Titel(const char* file);
    std::string Verzeichnis() const;

    FudiTransStructDef* Caller;
    std::unique_ptr<FudiTransStructDef> Work;
    int Mode;
    std::unique_ptr<vdFunction> FunkObj;
    TFudiZeichner Zeichner;
    TFudi3dZeichner Zeichner3D;
    std::unique_ptr<TKugelbild> Kugel; // the preview's orientation picture
    TFudiVorschau* Vorschau = nullptr;
    long Sekunden = 0;
    bool Einrichten = false;
    bool InKalkulation = false;
};
