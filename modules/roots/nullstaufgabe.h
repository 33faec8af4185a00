// A discussion record set up as the function discussion window sets up its own (interval
// [-10, 10], 100 scan and integration points per unit, function "0", no calculation asked for,
// three empty result lists), for the roots dialog opened without that window: the program's
// module "roots", the command `orvelin discuss` and tests. It owns the record and its lists.
#pragma once

#include "fudirecord.h"

#include <memory>
#include <string>
#include <vector>

class TNullstAufgabe {
public:
    TNullstAufgabe();
    ~TNullstAufgabe();
    TNullstAufgabe(const TNullstAufgabe&) = delete;
    TNullstAufgabe& operator=(const TNullstAufgabe&) = delete;

    FudiTransStructDef& Record() { return *record_; }
    // The function text (Windows-1252); false, and nothing changed, when it does not fit in
    // front of the derivative's place in the record.
    bool SetzeFunktion(const std::string& text);
    // Values of y, z, u, v, w.
    void SetzeVariablen(const long double yzuvw[5]);
    // The lines of result list k (0 roots, 1 extrema, 2 inflection points) in the record.
    std::vector<std::string> Zeilen(int k) const;

    // Longest function text: the derivative's text begins at character 600.
    static constexpr size_t kMaxFunktion = 599;

private:
    std::unique_ptr<FudiTransStructDef> record_;
    std::unique_ptr<TListBoxData> listen_[3];
};
