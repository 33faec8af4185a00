// The variable record of the function edits: the texts and values of the six variables x, y,
// z, u, v, w that a module, its function edits and the variable selection dialog share. The
// module owns it (inside its transfer record); the edits only point to it.
#pragma once

struct TTlkFETransStructDef {
    // The variable texts as the user typed them (at most 295 characters each).
    char x[300];
    char y[300];
    char z[300];
    char u[300];
    char v[300];
    char w[300];
    // Their values, in the same order.
    long double xWert;
    long double yWert;
    long double zWert;
    long double uWert;
    long double vWert;
    long double wWert;
    // 1 once the variables have been set.
    int Gesetzt;

    // Sets the flag; each non-empty text (null counts as empty) replaces that variable's text,
    // cut to 295 characters; then all six values are computed again from the texts (each text
    // evaluated on its own, without variables).
    void SetzeVar(const char* x, const char* y, const char* z, const char* u, const char* v,
                  const char* w);

    // The text of variable `index` (0 = x … 5 = w), and the six values in order.
    const char* Text(int index) const;
    void HoleWerte(long double values[6]) const;
};
