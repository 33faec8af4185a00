// `orvelin plot FILE.fud --png OUT.png [--size WxH] [--pdf OUT.pdf] [--markiert]
// [--ohne-linien]`: the drawing of a task
// file as a picture (and the printed drawing page as a PDF file), through the window's own
// drawing code, for worksheets and for looking at the drawing without a screen.
#include "cp1252.h"
#include "dc.h"
#include "filesys.h"
#include "fudirecord.h"
#include "fuditask.h"
#include "headless.h"
#include "modreg.h"
#include "tfunktionsdraw.h"
#include "tnullstellen.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>

namespace {

const char kUsage[] =
    "plot AUFGABE.fud --png BILD.png [--size BREITExHOEHE] [--pdf SEITE.pdf] [--markiert] "
    "[--ohne-linien]";

int Fehler(const std::string& cp1252) {
    std::fprintf(stderr, "orvelin plot: %s\n", Cp1252ToUtf8(cp1252).c_str());
    return 1;
}

bool LiesGroesse(const char* text, int& breite, int& hoehe) {
    char* rest = nullptr;
    const long b = std::strtol(text, &rest, 10);
    if (!rest || (*rest != 'x' && *rest != 'X')) return false;
    const long h = std::strtol(rest + 1, &rest, 10);
    if (*rest || b < 16 || h < 16 || b > 8000 || h > 8000) return false;
    breite = int(b), hoehe = int(h);
    return true;
}

// The roots module's discussion on the task, run as its dialog would run it after "Start",
// so that the drawing can mark the roots, extrema and inflection points.
bool Diskussion(FudiTransStructDef& r) {
    r.Diskussion = 1;
    r.markiert = 1;
    SetHeadless(true);
    TNullstellen dialog(nullptr, &r);
    if (!dialog.Create()) return false;
    dialog.ShowWindow(SW_HIDE);
    dialog.SendCommand(TNullstellen::kStart);
    TRecordedMessage m;
    while (TakeMessage(m)) Fehler(m.text);
    if (!dialog.IsWindow()) return false;
    dialog.SendCommand(TNullstellen::kAbbruchOK);
    return r.Diskussion == 1;
}

int Plot(int argc, char** argv) {
    std::string task, png, pdf;
    int breite = 800, hoehe = 600;
    bool markiert = false, ohneLinien = false;
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        if (a == "--png" && i + 1 < argc)
            png = Utf8ToCp1252(argv[++i]);
        else if (a == "--pdf" && i + 1 < argc)
            pdf = Utf8ToCp1252(argv[++i]);
        else if (a == "--markiert")
            markiert = true;
        else if (a == "--ohne-linien")
            ohneLinien = true;
        else if (a == "--size" && i + 1 < argc) {
            if (!LiesGroesse(argv[++i], breite, hoehe))
                return Fehler("Die Größe muss BREITExHOEHE sein (16 bis 8000 Punkte).");
        } else if (task.empty() && !a.empty() && a[0] != '-')
            task = Utf8ToCp1252(a);
        else
            return Fehler(std::string("Aufruf: orvelin ") + kUsage);
    }
    if (task.empty() || (png.empty() && pdf.empty()))
        return Fehler(std::string("Aufruf: orvelin ") + kUsage);

    auto record = std::make_unique<FudiTransStructDef>();
    TFunktionsDraw window(record.get());
    if (!FileExists(task.c_str())) {
        std::string text = MissingFileText(task.c_str());
        std::replace(text.begin(), text.end(), '\r', '\n');
        return Fehler(text);
    }
    if (!LeseFudiDatei(task.c_str(), *record))
        return Fehler("Datei:\n Die Datei besitzt kein lesbares Format.");
    // A task file gives black-and-white surfaces lines always; a picture may go without.
    if (ohneLinien) record->Linien = 0;
    window.NeuesFunkObj();
    if (markiert && !Diskussion(*record))
        return Fehler("Die Diskussion wurde nicht zu Ende geführt.");
    if (!png.empty()) {
        TBitmap bild(breite, hoehe, RGB(255, 251, 240));
        {
            TMemoryDC dc(bild);
            if (record->Is3D)
                window.Zeichne3D(dc, breite, hoehe, 1, false);
            else
                window.Zeichne2D(dc, breite - 1, hoehe - 1, TRect(0, 0, breite - 1, hoehe - 1), 1,
                                 false);
        }
        if (!bild.SaveAs(png.c_str()))
            return Fehler("Das Bild \"" + png + "\" kann nicht geschrieben werden.");
    }
    if (!pdf.empty() && !window.SeiteAlsPdf(1, pdf.c_str()))
        return Fehler("Die Seite \"" + pdf + "\" kann nicht geschrieben werden.");
    return 0;
}

const TCommandRegistrar registrar({"plot", kUsage, nullptr, Plot});

} // namespace
