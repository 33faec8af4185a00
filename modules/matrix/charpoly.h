// CharPoly: the characteristic polynomial p(x) = det(A - x*I) of a matrix task of order 2 to 8,
// as polynomial text. The determinant is expanded by cofactors along the first column, every
// minor again the same way; at each level the product of an entry and its minor's polynomial is
// multiplied out, like powers are collected and the terms sorted. The result goes into the
// record as internal text (CharPolyText, read by the eigenvalue search) and as display text
// (CharPolyAnzeige), and into control 1910 of the matrix window; control 219 (the way on to the
// eigenvalues) is enabled only while a determined polynomial is shown.
//
// The BestimmeMat members expand on texts. charPolyundEig computes the same result on term lists
// and keeps each minor's polynomial once computed: a minor of the last m columns is fixed by the
// m rows it keeps, so an 8x8 matrix needs 255 minors instead of 8! products.
#pragma once

#include "matrecord.h"
#include "polytext.h"
#include "wintypes.h"

#include <string>

#define MATCALC_EXPORT __attribute__((visibility("default")))

// A matrix cell as text: ldtochar with 26 digits (up to 26 characters) and "-x".
typedef char Inhalt[40];

// The text of control 1910 while no polynomial is determined.
extern MATCALC_EXPORT const char* const kCharPolyNochNicht;

class MATCALC_EXPORT CharPoly {
public:
    CharPoly(HWND pCharPIn, MatTransStructDef* InfStructIn);
    virtual ~CharPoly();

    void BNClickedEigenwerte();
    // The whole computation and display.
    void charPolyundEig();

    // The determinant polynomial of the minor of size m taken from charMatIn (of size m+1)
    // without column 0 and row Zeile.
    std::string BestimmeMat1(int tiefe, int Zeile, Inhalt charMatIn[8][8]);
    std::string BestimmeMat2(int tiefe, int Zeile, Inhalt charMatIn[8][8]);
    std::string BestimmeMat3(int tiefe, int Zeile, Inhalt charMatIn[8][8]);
    std::string BestimmeMat4(int tiefe, int Zeile, Inhalt charMatIn[8][8]);
    std::string BestimmeMat5(int tiefe, int Zeile, Inhalt charMatIn[8][8]);
    std::string BestimmeMat6(int tiefe, int Zeile, Inhalt charMatIn[8][8]);
    std::string BestimmeMat7(int tiefe, int Zeile, Inhalt charMatIn[8][8]);

    // The text operations: each reads FunktionIn, writes the result back into it (a buffer of
    // 1700 characters) and returns it.
    char* ausmult(char* FunktionIn);
    char* vereinfachecharUntPoly1(char* FunktionIn);
    char* fassezus1(char* FunktionIn);
    char* sortiere1(char* FunktionIn);
    char* Elimin(char* FunktionIn);

    // The canonical text expanded on texts (the BestimmeMat members) and on term lists; empty
    // when the computation was cancelled or a coefficient is beyond the range of numbers.
    std::string TextEntwicklung();
    std::string SchnellEntwicklung();
    // True when the last expansion met a coefficient beyond the range of numbers.
    bool Ueberlauf() const { return Overflow; }

    // Cancel mark: set by the window while the computation runs.
    int Abbrechen;
    MatTransStructDef* InfStruct;
    HWND pCharP;

protected:
    // Shows a text in control 1910; enables or disables control 219 (without window: nothing).
    virtual void Anzeige(const char* text);
    virtual void FreigabeEigenwerte(bool enable);
    // Lets pending window messages through so that the window can set Abbrechen.
    virtual void Nachrichten();

private:
    std::string BestimmeMat(int m, int tiefe, int Zeile, Inhalt charMatIn[8][8]);
    std::string Unterdeterminante(int m, int tiefe, int Zeile, Inhalt sub[8][8]);
    void Zellen(Inhalt cells[8][8]) const;
    bool EintraegeEndlich() const;
    void Fortschritt(int i, int n);
    int Ordnung() const;
    bool Overflow = false;
};
