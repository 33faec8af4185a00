// InvMatrix: rank, determinant, row-echelon form and inverse of the square matrix of a matrix
// task. Everything is computed in the constructor by Gaussian elimination: a downward pass gives
// the echelon form, the matrix is turned by half a turn and the same downward pass clears what
// was above the diagonal; turned back, the working matrix is diagonal and InvMat holds the
// product of all row operations. The caller reads the fields and deletes the object.
//
// All arrays are indexed [column][row], like the record's Mat.
#pragma once

#include "matrecord.h"

#define MATCALC_EXPORT __attribute__((visibility("default")))

class MATCALC_EXPORT InvMatrix {
public:
    explicit InvMatrix(MatTransStructDef* InfStructIn);
    ~InvMatrix();

    // The whole computation; writes InfStruct->Det and every result field.
    void RangBest();
    // Moves the rows from row Spalte downwards with a non-zero entry in column Spalte upwards.
    void Sortiere(int Spalte);
    // Eliminates the entries of column Spalte below the diagonal.
    void loescheZahlen(int Spalte);
    // Exchanges two rows of the working matrix and of InvMat.
    void Vertausche(int izaehl, int fzaehl);

    // The determinant as display text, or "Wert zu groß!".
    char DetText[50];
    // 1 when InvMat holds the inverse.
    int Invertierbar;
    long double InvMat[8][8];
    // The working matrix after the downward pass.
    long double StufenMat[8][8];
    int Rang;
    MatTransStructDef* InfStruct;
    // Row exchanges of both passes (the sign of the determinant).
    int AnzVertausch;
    // -1 when the product of the diagonal overflowed.
    int Fehler;
    long double ArbMat[8][8];

private:
    // The downward pass: sort and eliminate column by column.
    void Abwaerts();
    // Half a turn of ArbMat and InvMat: (r, c) changes place with (n-1-r, n-1-c).
    void Halbdrehung();
    int Ordnung() const;
    bool ZweiterDurchgang = false;
};
