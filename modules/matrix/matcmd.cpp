// orvelin matrix [--charpoly] [--eigen] "a11,a12,...;a21,...;..." — rank, determinant,
// inverse and echelon form of a matrix as the matrix window shows them; with the options also
// the characteristic polynomial and the eigenvalue list (the search with the proposed step
// width, as if "OK" were pressed in the step width dialog).
#include "charpoly.h"
#include "controls.h"
#include "cp1252.h"
#include "eigsuche.h"
#include "invmatrix.h"
#include "matzahl.h"
#include "modreg.h"
#include "vdparser.h"

#include <cstdio>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

namespace {

void Print(const std::string& cp1252) {
    std::fputs((Cp1252ToUtf8(cp1252) + "\n").c_str(), stdout);
}

int Fehler(const std::string& text) {
    std::fputs((Cp1252ToUtf8(text) + "\n").c_str(), stderr);
    return 1;
}

std::vector<std::string> Teile(const std::string& text, char sep) {
    std::vector<std::string> out;
    size_t start = 0;
    for (;;) {
        const size_t pos = text.find(sep, start);
        out.push_back(text.substr(start, pos - start));
        if (pos == std::string::npos) return out;
        start = pos + 1;
    }
}

// Reads the rows into the record; a German reason in `error` when they are not a square matrix
// of order 1 to 8 of evaluable entries.
bool LeseMatrix(const std::string& text, MatTransStructDef& rec, std::string& error) {
    const std::vector<std::string> rows = Teile(text, ';');
    const int n = int(rows.size());
    if (n > 8) {
        error = "Die Matrix hat mehr als 8 Zeilen.";
        return false;
    }
    for (int r = 0; r < n; ++r) {
        const std::vector<std::string> cells = Teile(rows[r], ',');
        if (int(cells.size()) != n) {
            error = "Zeile " + std::to_string(r + 1) + " hat " + std::to_string(cells.size()) +
                    " Einträge, die Matrix ist aber " + std::to_string(n) + "-reihig.";
            return false;
        }
        for (int c = 0; c < n; ++c) {
            const std::string& cell = cells[c];
            if (cell.empty() || cell.size() > 250) {
                error = "Der Eintrag (" + std::to_string(r + 1) + "," + std::to_string(c + 1) +
                        ") ist leer oder länger als 250 Zeichen.";
                return false;
            }
            long double v = 0;
            std::string message;
            if (!MatEintragWert(cell.c_str(), &v, message)) {
                error = "Eintrag (" + std::to_string(r + 1) + "," + std::to_string(c + 1) +
                        "): " + message;
                return false;
            }
            std::strcpy(rec.MatText[c][r], cell.c_str());
            rec.Mat[c][r] = v;
        }
    }
    rec.Ordnung = n;
    return true;
}

void DruckeMatrix(const long double m[8][8], int n) {
    for (int r = 0; r < n; ++r) {
        std::string line;
        for (int c = 0; c < n; ++c) line += (c ? " " : "") + MatZahl(m[c][r]);
        Print(line);
    }
}

int Run(int argc, char** argv) {
    bool charpoly = false, eigen = false;
    std::string matrix;
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        if (a == "--charpoly")
            charpoly = true;
        else if (a == "--eigen")
            eigen = true;
        else if (matrix.empty())
            matrix = Utf8ToCp1252(a);
        else
            return Fehler("Aufruf: orvelin matrix [--charpoly] [--eigen] \"a11,a12,...;a21,...\"");
    }
    if (matrix.empty())
        return Fehler("Aufruf: orvelin matrix [--charpoly] [--eigen] \"a11,a12,...;a21,...\"");
    auto rec = std::make_unique<MatTransStructDef>();
    std::memset(rec.get(), 0, sizeof(MatTransStructDef));
    std::string error;
    if (!LeseMatrix(matrix, *rec, error)) return Fehler(error);
    const int n = rec->Ordnung;

    auto inv = std::make_unique<InvMatrix>(rec.get());
    Print("Rang: " + std::to_string(inv->Rang));
    Print(std::string("Determinante: ") + inv->DetText);
    Print("Inverse:");
    if (inv->Invertierbar)
        DruckeMatrix(inv->InvMat, n);
    else
        Print("nicht invertierbar");
    Print("Stufenform:");
    DruckeMatrix(inv->StufenMat, n);

    if (charpoly || eigen) {
        CharPoly cp(nullptr, rec.get());
        cp.charPolyundEig();
        if (charpoly) {
            Print(std::string("CharPolyText: ") + rec->CharPolyText);
            Print(std::string("CharPolyAnzeige: ") + rec->CharPolyAnzeige);
        }
        if (eigen) {
            Print("Eigenwerte:");
            TEigenSuche suche(rec.get());
            if (rec->CharPolyText[0] || suche.Diagonal()) {
                suche.SucheOhneDialog();
                TListBoxData list;
                ListeUebernehmen(suche.NstListe, list);
                for (const std::string& line : list.GetStrings()) Print(line);
            }
        }
    }
    return 0;
}

// A task file (".mat" or a path) belongs to the window of the same name.
bool Accepts(int argc, char** argv) {
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        if (a == "--charpoly" || a == "--eigen") return true;
        if (a.find(',') != std::string::npos || a.find(';') != std::string::npos) return true;
        if (a.size() > 4 && (a.substr(a.size() - 4) == ".mat" || a.substr(a.size() - 4) == ".MAT"))
            return false;
        if (a.find('/') != std::string::npos) return false;
    }
    return argc > 1 && isvalidld(argv[argc - 1]);
}

TCommandRegistrar reg({"matrix", "matrix [--charpoly] [--eigen] \"a11,a12,...;a21,...;...\"",
                       Accepts, Run});

} // namespace
