// RechTransStructDef: the record through which the program hands the calculator its paths. The
// program owns it; the calculator reads and writes it in place and never copies it, so its
// layout is the interface between separately built libraries: fields, order and text sizes
// never change.
#pragma once

#include <cstddef>
#include <type_traits>

struct RechTransStructDef {
    // The program's own part of the record; the calculator does not touch it.
    char Reserve[590];
    // Program directory, ending in a path separator; the shared settings file "orvltrn.ini"
    // lies there.
    char Verzeichnis[500];
    // The calculator's working settings file (its last task).
    char IniDatei[250];
    // The current task file: on entry the one named on the command line (or ""), afterwards
    // the one saved or loaded last.
    char AufgabenDatei[250];
};

static_assert(std::is_standard_layout_v<RechTransStructDef>);
static_assert(std::is_trivially_copyable_v<RechTransStructDef>);
static_assert(offsetof(RechTransStructDef, Verzeichnis) == 590);
static_assert(offsetof(RechTransStructDef, IniDatei) == 1090);
static_assert(offsetof(RechTransStructDef, AufgabenDatei) == 1340);
static_assert(sizeof(RechTransStructDef) == 1590);
