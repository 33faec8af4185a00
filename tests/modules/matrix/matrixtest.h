// A matrix task record for the tests, with the entries given row by row.
#pragma once

#include "matrecord.h"

#include <cstring>
#include <initializer_list>
#include <memory>

// Entry (r, c) of the rows lands in Mat[c][r].
inline std::unique_ptr<MatTransStructDef> Record(int n, std::initializer_list<long double> rows) {
    auto rec = std::make_unique<MatTransStructDef>();
    std::memset(rec.get(), 0, sizeof(MatTransStructDef));
    rec->Ordnung = n;
    int k = 0;
    for (long double v : rows) {
        rec->Mat[k % n][k / n] = v;
        ++k;
    }
    return rec;
}
