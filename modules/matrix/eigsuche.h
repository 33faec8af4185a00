// TEigenSuche: the search for the real roots of the characteristic polynomial, that is the real
// eigenvalues of the matrix. Three methods contribute, each under its header in the root list:
//   1. Newton's method with deflation, started at the outer bounds of the root region
//      (Grenzen, Newton, PolyDiv);
//   2. a march from each bound towards the other that finds the next root by Newton steps
//      guided by the first three derivatives (suchenaechst, suchevorher);
//   3. a scan with a chosen step width for sign changes of p and p', refined by a walk with
//      halving steps; roots of p' where p vanishes too are double roots (Nullstellen,
//      uebrGehe, ndNullstellenVerb).
// The eigenvalue dialog TEigenwerte runs them; this class holds the computing members and the
// two lists (roots of p with the method headers, roots of p'), and reports through virtual
// hooks so that it runs without a window as well.
#pragma once

#include "matrecord.h"

#include <string>
#include <vector>

#define MATCALC_EXPORT __attribute__((visibility("default")))

class MATCALC_EXPORT TEigenSuche {
public:
    explicit TEigenSuche(MatTransStructDef* InfStructIn);
    virtual ~TEigenSuche();

    // Clears the coefficients and builds p' ... p'''' from CharPolyText.
    void Vorbereiten();
    char* PolyAbl(char* FunktionIn, int Ableit);
    long double Grenzen(int Ableit);
    long double Newton(long double AnfangN, long double hPoly[9], long double aPoly[9]);
    void PolyDiv(long double Anfang);
    long double suchenaechst(long double iterWertsn);
    long double suchevorher(long double iterWertsn);
    long double uebrGehe(int Ableit, long double iterWertue, long double NAbstand);
    void Nullstellen(int Ableit);
    void ndNullstellenVerb(int Ableit, bool naeher);

    // The steps of the search as the dialog runs them.
    bool Diagonal() const;  // every non-zero entry on the diagonal
    void DiagonalListe();   // lists the non-zero diagonal values
    void BerechneGrenzen(); // LinkeGrenze, RechteGrenze, Abstand
    void Verfahren1();
    void Verfahren2(); // also stores Breite
    // The step width that the step width dialog proposes: Breite / (10 * AnzAuswert), as its
    // field shows it with 6 digits; 1 when that is below 1e-10 or not a number.
    static long double VorschlagAbstand(const MatTransStructDef& rec);
    // The third method with the step width 1 / InfStruct->InvAbstand.
    void Verfahren3();
    // The whole search as with "Start" and, in the step width dialog, "OK" on the proposal.
    void SucheOhneDialog();

    // The text of a root (x rounded to 8 places) and the list entries.
    static std::string NstText(long double x);

    MatTransStructDef* InfStruct;
    std::vector<std::string> NstListe;    // list 1101
    std::vector<std::string> AblNstListe; // list 1102
    int GrenzeOffen;
    int Abbruch;
    long double Abstand;
    long double Koeff[5][9];
    char AblText[4][250];
    long double Uhr;
    long double LinkeGrenze, RechteGrenze;

protected:
    // Display of a text in a static of the dialog (1001, 1002, 1013, 1014).
    virtual void ZeigeText(int id, const char* text);
    // A list changed (1101 or 1102).
    virtual void ListeGeaendert(int id);
    // Lets pending window messages through so that the cancel button can set Abbruch.
    virtual void Nachrichten();
    // Milliseconds of a steady clock.
    virtual long double Ticks() const;

    // p (Ableit 0) ... p'''' at x; CORRldERR when it cannot be represented.
    long double Wert(int Ableit, long double x) const;
    static bool Auswertbar(long double v);
    // Adds an entry unless the list holds it; with a header, adds the header first when the
    // list has none.
    void Eintragen(std::vector<std::string>& list, const std::string& entry, const char* header);
    void ZeigeZahl(int id, long double x, int digits);
    bool LinksOffen = false, RechtsOffen = false;

private:
    // One Newton chain of the march on p^(k) with divisor p^(k+1); false when it fails.
    bool Kette(int k, long double& x, bool rechts) const;
    long double Suche(long double x0, bool rechts);
    void Methode2Richtung(bool rechts);
    void Skala(int Ableit);
    void Verfeinere(std::vector<std::string>& list, int Ableit, long double x);
    int Grad() const;
};
