// TEigenwerte: the dialog "Eigenwertbestimmung" (resource 110 of "MATCALC.DLL") in which the
// user starts the eigenvalue search, follows it (current interval, elapsed and estimated time,
// roots found so far) and accepts or cancels the result. With "&OK" the list of roots goes into
// the record's ListData. TEigwAbstand ("Eigenwertabstand", resource 410) proposes the step width
// of the third method and estimates its running time.
#pragma once

#include "dialog.h"
#include "eigsuche.h"

class vdRunPictControl;
class TTalkFunkEdit;

// The library's dialog templates.
TModule& MatcalcModule();

class MATCALC_EXPORT TEigenwerte : public TDialog, public TEigenSuche {
public:
    TEigenwerte(TWindow* parent, MatTransStructDef* EigwStructIn, TResId resId = 110,
                TModule* module = nullptr);
    ~TEigenwerte() override;

    void SetupWindow() override;
    void BNClickedSTARTBUTTFunkD();
    void BNClickedABBRUCHOK();
    void BNClickedHelp();
    void EvSize(unsigned sizeType, const TSize& size) override;

    vdRunPictControl* RunPict;

protected:
    void ZeigeText(int id, const char* text) override;
    void ListeGeaendert(int id) override;
    void Nachrichten() override;
    long double Ticks() const override;

private:
    // The third method after the step width dialog; false when that was cancelled.
    void DrittesVerfahren();
    bool Fertig() const;
};

class MATCALC_EXPORT TEigwAbstand : public TDialog {
public:
    TEigwAbstand(TWindow* parent, MatTransStructDef* AbstStructIn, TResId resId = 410,
                 TModule* module = nullptr);
    void SetupWindow() override;
    void Kalkulation();
    void BNClickedKalkulation();
    void BNClickedOKB();
    void BNClickedHelp();
    bool CanClose() override;
    void CloseWindow(int retVal = IDCANCEL) override;

private:
    // The step width of field 1101, or 0 (after resetting the field to "1") when it is below
    // 1e-10 or not a number.
    long double Feldwert();
    MatTransStructDef* InfStruct;
    TTalkFunkEdit* AbstandEdit;
};
