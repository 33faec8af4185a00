#include "matzahl.h"

#include "controls.h"
#include "vdparser.h"

#include <cmath>
#include <cstring>

std::string MatZahl(long double v) {
    char buf[64];
    ldtochar(buf, corrroundl(v, 15), 15, true);
    return std::strcmp(buf, "-0") == 0 ? "0" : buf;
}

bool MatEintragWert(const char* text, long double* value, std::string& message) {
    vdParser parser(text, 6, "xyzuvw", true, true, true, true);
    long double values[7] = {};
    long double v = 0;
    if (parser.GetGlobalError() < 1) v = parser.GetResultExt(values);
    if (parser.GetGlobalError() >= 1) {
        char buf[512] = "";
        parser.GetErrorTypeText(buf);
        message = buf;
        return false;
    }
    if (!std::isfinite(v)) {
        message = "Wert zu groß!";
        return false;
    }
    *value = v;
    return true;
}

void ListeUebernehmen(const std::vector<std::string>& entries, TListBoxData& out) {
    out.Clear();
    for (const std::string& e : entries) out.AddString(e.substr(0, e.find(',')).c_str());
}
