// The dialog resources of "LINSOLVE.DLL": 101 (the number of unknowns), 210 + 10·n (the input
// of a system of n equations, 230 … 280) and 310 + 10·n (the given system and its solution form,
// 330 … 380). The ids of the grids follow one scheme in both grid dialogs.
#pragma once

class TModule;

// The module of the linear systems' resources.
TModule& GlSysModule();

// Field or number in row r, column c (both from 1; column n+1 is the right-hand side).
constexpr int GlSysFeldId(int r, int c) {
    return 1000 + 100 * r + c;
}
// The label behind the field of row r, column c ("*x1+" … "*xn=").
constexpr int GlSysMarkeId(int r, int c) {
    return 490 + 10 * c + r;
}
// The line under the solution form that tells how many solutions the system has.
constexpr int kGlSysSatzId = 2004;
// The info field of all three dialogs.
constexpr int kGlSysInfoId = 216;
