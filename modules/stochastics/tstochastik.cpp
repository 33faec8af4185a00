#include "tstochastik.h"

#include "aufgabedlg.h"
#include "dc.h"
#include "dlgres.h"
#include "frame.h"
#include "funkedit.h"
#include "modreg.h"
#include "pictures.h"
#include "settings.h"
#include "stochcore.h"
#include "talk.h"
#include "vdfunction.h"
#include "vdmainprintdlg.h"
#include "vdparser.h"
#include "vdprint.h"
#include "winapi.h"

#include <cstring>
#include <ctime>
#include <vector>

namespace {

// The value fields x, y, z, u, v, w.
const int kFeldIds[6] = {204, 502, 504, 511, 513, 515};
const char kTitle[] = "Stochastik";
const char kHelp[] = "HH.EXE mk:@MSITStore:orvlhilf5.chm::html/main6wtn.htm";
const char kFilter[] = "Stoch-Dateien (*.STC)|*.stc|";
const char kUnreadable[] = "Datei:\r Die Datei besitzt kein lesbares Format.";
const char kNotSaved[] = "Datei:\r Die Aufgabenstellung konnte nicht gespeichert werden.";
const char kKeinErgebnis[] = "kein Ergebnis";
// Buttons that would start a computation or change the task while one runs.
const int kGesperrt[5] = {201, 218, 2, 202, 212};

TModule& StochModule() {
    static TModule module("STOCHAST.DLL", false);
    return module;
}

// The file dialog's data of "Laden", kept for the life of the library.
std::string& LoadFileName() {
    static std::string name;
    return name;
}

const char* FileNameOf(const std::string& path) {
    const size_t slash = path.find_last_of("/\\");
    return path.c_str() + (slash == std::string::npos ? 0 : slash + 1);
}

} // namespace

// What the sums do for the window: let messages through (about every 20 ms), stop on request,
// and show the progress in the result field.
class TStochFensterSchritte : public TStochSchritte {
public:
    explicit TStochFensterSchritte(TStochastik& window) : Window(window) {}
    bool Weiter() override {
        // The tick count is asked only every 64 points; a pass of the main loop costs as much
        // as hundreds of density values.
        if ((++Punkte & 63) == 0) {
            const unsigned long now = GetTickCount();
            if (now - LastPump >= 20) {
                PumpWaitingMessages();
                LastPump = GetTickCount();
            }
        }
        return !Window.Abbruch;
    }
    void Fortschritt(long double prozent) override {
        // Every 3001 points is far more often than anyone can read: the text changes at most
        // every 25 ms, the first one at once (a change costs about a tenth of the sum's time).
        const unsigned long now = GetTickCount();
        if (Gezeigt && now - LastText < 25) return;
        Gezeigt = true;
        LastText = now;
        char text[64];
        ldtochar(text, prozent, 4, false);
        std::strcat(text, "% berechnet");
        Window.SetDlgItemText(205, text);
    }

private:
    TStochastik& Window;
    unsigned long Punkte = 0;
    unsigned long LastPump = 0;
    unsigned long LastText = 0;
    bool Gezeigt = false;
};

TStochastik::TStochastik(StochTransStructDef* HStructIn, TModule* module)
    : vdBasePrintDlg(nullptr, 101, module ? module : &StochModule()), HStruct(HStructIn) {
    Init();
}

TStochastik::TStochastik(TWindow* parent, TResId resId, TModule* module)
    : vdBasePrintDlg(parent, resId, module ? module : &StochModule()) {
    Init();
}

TStochastik::TStochastik(TWindow* parent, StochTransStructDef* HStructIn, TModule* module)
    : vdBasePrintDlg(parent, 101, module ? module : &StochModule()), HStruct(HStructIn) {
    Init();
}

TStochastik::~TStochastik() = default;

void TStochastik::Init() {
    vdFuncTrace("void TStochastik::Init()");
    Func = std::make_unique<vdFunction>("", 4, "uvwx", 1, nullptr, true, true);
    if (HStruct) CommandLine = HStruct->LetzteDatei;

    Liste = new TTalkComboBox(
        this, 202, 216, "In der aufklappbaren Liste sehen Sie die möglchen Verteilungen.", 100);
    struct TFeld {
        int id;
        const char* info;
    };
    static const TFeld kFelder[6] = {
        {204, "Geben Sie bei 'x='  den Wert der Zufallsvariable ein."},
        {502, "Geben Sie bei 'y=' den Erwartungswert ein."},
        {504, "Geben Sie bei 'z=' die Standardabweichung ein."},
        {511, "Geben Sie bei 'u=' die Anzahl der Urnenkugeln ein."},
        {513, "Geben Sie bei 'v='  die Anzahl der roten Urnenkugeln ein."},
        {515, "Geben Sie bei 'w='  die Anzahl der zu entnehmenden Urnenkugeln ein."},
    };
    for (const TFeld& f : kFelder)
        new TTalkFunkEdit(this, f.id, 1, 216, f.info, "0", 0, nullptr, 300);
    static const TFeld kKnoepfe[7] = {
        {201, "Drücken Sie 'Berechne...', um die Berechnung auszuführen."},
        {212, "Drücken Sie 'Laden', um eine Aufgabenstellung zu laden."},
        {211, "Drücken Sie 'Speichern', um die Aufgabenstellung zu speichern."},
        {218, "Drücken Sie 'Drucken', um die Informationen zu drucken."},
        {302, "Drücken Sie 'Hilfe', um Hilfe zu diesem Dialog zu erhalten."},
        {2, "Drücken Sie 'Beenden', um die Stochastik-Berechnung zu beenden."},
        {232, "Drücken Sie 'k', um die Funktion mit den Variablen (x,y,z,u,v,w) für andere "
              "Programme zu kopieren."},
    };
    for (const TFeld& k : kKnoepfe) new TTalkButton(this, k.id, 216, k.info, "", "");
    struct TBild {
        int id;
        const char* info;
        const char* file;
    };
    static const TBild kBilder[6] = {
        {208, "Im Ergebnisfeld sehen Sie das aktuelle Ergebnis der Berechnung.", "RESULT.vdm"},
        {408, "In dem blauen Kasten sehen Sie die Formel der Binomialverteilung.", "BINOMIAL.vdm"},
        {426, "In dem blauen Kasten sehen Sie die Formel der hypergeometrische Verteilung.",
         "HYPERG.vdm"},
        {451, "In dem blauen Kasten sehen Sie die Formel der Normalverteilung.", "NORMAL.vdm"},
        {813, "In dem blauen Kasten sehen Sie die Formel der Poisson-Verteilung.", "POISSON.vdm"},
        {913, "In dem blauen Kasten sehen Sie die Formel der Chi-Quadrat-Verteilung.",
         "CHIQUAD.vdm"},
    };
    for (const TBild& b : kBilder) new TTalkMetaControl(this, b.id, 216, b.info, b.file);
    new TButton(this, 10000);

    OnClicked(201, &TStochastik::BNClickedBerechne);
    OnClicked(212, &TStochastik::BNClickedLaden);
    OnClicked(211, &TStochastik::BNClickedSpeichern);
    OnClicked(218, &TStochastik::BNClickedDrucke);
    OnClicked(302, &TStochastik::BNClickedHelp);
    OnClicked(232, &TStochastik::BNClickedKopieren);
}

void TStochastik::SetupWindow() {
    vdFuncTrace("void TStochastik::SetupWindow()");
    vdBasePrintDlg::SetupWindow();
    SetCaption(kTitle);
    for (int i = 0; i < kVerteilungen; ++i) Liste->AddString(VerteilungsDaten(i).Name);
    Liste->SetSelIndex(0);
    SetTitle("");
    if (HStruct) {
        // Before the first computation there is no state file, which is no error.
        TStochAufgabe zustand;
        if (LeseStochAufgabe(HStruct->ZustandDatei, zustand)) HoleDaten(HStruct->ZustandDatei);
        std::string cmd = CommandLine;
        std::erase(cmd, '"');
        if (*HStruct->ZustandDatei)
            CorrWritePrivateProfileString("Programm", "Öffne direkt", cmd.c_str(),
                                          HStruct->ZustandDatei);
        if (!cmd.empty()) {
            std::vector<char> dir(cmd.size() + 1, '\0'), name(cmd.size() + 1, '\0');
            std::strcpy(dir.data(), ".");
            GetPathOfFile(dir.data(), cmd.c_str(), name.data());
            const std::string path = std::string(dir.data()) + "/" + name.data();
            if (TaskFileThere(GetHandle(), path.c_str(), "Laden") && HoleDaten(path.c_str())) {
                StoreTaskFile(cmd);
                SetTitle(cmd.c_str());
            }
        }
    }
    SetzeDarst();
    GroesseZuMarke();
    SetzeDarst();
}

void TStochastik::EvCommand(unsigned id, HWND hWndCtl, unsigned notifyCode) {
    vdBasePrintDlg::EvCommand(id, hWndCtl, notifyCode);
    if (id == 202 && IsWindow()) SetzeDarst();
}

void TStochastik::EvClose() {
    if (Rechnet) {
        Abbruch = true;
        return;
    }
    vdBasePrintDlg::EvClose();
}

// ---- what is shown ----------------------------------------------------------------------------

void TStochastik::Zeige(int id, bool show) {
    if (HWND h = GetDlgItem(id)) ::ShowWindow(h, show ? SW_SHOW : SW_HIDE);
}

void TStochastik::ZeigeBereich(int first, int last, bool show) {
    for (int id = first; id <= last; ++id) Zeige(id, show);
}

void TStochastik::SetzeDarst() {
    char name[64] = "";
    Liste->GetText(name, sizeof name);
    Verteilung = VerteilungAusName(name);
    const int v = Verteilung;
    if (v != kChiQuadrat) {
        ZeigeBereich(912, 913, false);
        ZeigeBereich(915, 917, false);
        ZeigeBereich(819, 820, false);
    }
    if (v != kPoisson) ZeigeBereich(812, 813, false);
    if (v != kBinomial) {
        Zeige(422, false);
        ZeigeBereich(400, 408, false);
    }
    if (v != kHypergeometrisch) ZeigeBereich(410, 426, false);
    if (v != kBinomial && v != kHypergeometrisch) ZeigeBereich(510, 520, false);
    if (v != kNormal) {
        ZeigeBereich(430, 451, false);
        ZeigeBereich(501, 506, false);
    }
    switch (v) {
    case kBinomial:
        for (int id : {405, 406, 407, 408, 422}) Zeige(id, true);
        ZeigeBereich(510, 520, true);
        break;
    case kHypergeometrisch:
        for (int id : {423, 424, 425, 426}) Zeige(id, true);
        ZeigeBereich(510, 520, true);
        break;
    case kNormal:
        for (int id : {430, 451}) Zeige(id, true);
        ZeigeBereich(501, 506, true);
        break;
    case kPoisson:
        for (int id : {812, 813, 516, 501, 502}) Zeige(id, true);
        break;
    default:
        for (int id : {912, 913, 915, 916, 917, 512, 513, 819, 820, 517, 518}) Zeige(id, true);
        break;
    }
    KeinErgebnis();
    Zeige(205, true);
}

void TStochastik::KeinErgebnis() {
    for (int id : {205, 517, 518}) SetDlgItemText(id, kKeinErgebnis);
}

// ---- the computation --------------------------------------------------------------------------

void TStochastik::FocusId(int id) {
    ::SetFocus(GetDlgItem(id));
}

void TStochastik::Enable(int id, bool enable) {
    ::EnableWindow(GetDlgItem(id), enable);
}

void TStochastik::BNClickedBerechne() {
    vdFuncTrace("void TStochastik::BNClickedBerechne()");
    // A field whose expression is wrong keeps the focus: then nothing is computed.
    const HWND button = GetDlgItem(201);
    // A field that has just refused its text (when the click took the focus) takes the focus
    // back; nothing is computed and no second message comes.
    for (int id : kFeldIds)
        if (auto* field = dynamic_cast<TTalkFunkEdit*>(ChildWithId(id));
            field && field->HatFehler())
            return;
    FocusId(201);
    if (::GetFocus() != button) return;
    if (Parent) Parent->EnableCloseEntry(false);
    for (int id : kGesperrt) Enable(id, false);
    SetCursor(IDC_WAIT);
    const bool ok = Berechnung();
    for (int id : kGesperrt) Enable(id, true);
    // The close entry first: giving it back shows the frame anew, which would take the focus.
    if (Parent) Parent->EnableCloseEntry(true);
    if (ok) FocusId(205);
    SetCursor(IDC_ARROW);
}

std::string TStochastik::Feldtext(int id, int maxChars) {
    std::vector<char> text(size_t(maxChars) + 1, '\0');
    GetDlgItemText(id, text.data(), maxChars + 1);
    return text.data();
}

long double TStochastik::Feldwert(int id) {
    return chartold(Feldtext(id, 100).c_str(), nullptr);
}

bool TStochastik::Berechnung() {
    vdFuncTrace("bool TStochastik::Berechnung()");
    const TVerteilungsDaten& daten = VerteilungsDaten(Verteilung);
    TStochWerte werte;
    werte.x = Feldwert(204), werte.y = Feldwert(502), werte.z = Feldwert(504);
    werte.u = Feldwert(511), werte.v = Feldwert(513), werte.w = Feldwert(515);
    const std::string meldung = PruefeEingabe(Verteilung, werte);
    if (!meldung.empty()) {
        MessageBox(meldung.c_str(), "Berechnung", MB_OK | MB_ICONSTOP);
        KeinErgebnis();
        return false;
    }
    // From here on a close request stops the computation instead of closing the window.
    struct TLauf {
        TStochastik& w;
        explicit TLauf(TStochastik& window) : w(window) { w.Rechnet = true, w.Abbruch = false; }
        ~TLauf() { w.Rechnet = false; }
    } lauf(*this);
    if (HStruct && *HStruct->ZustandDatei) SetzeDaten(HStruct->ZustandDatei);
    PumpWaitingMessages();
    if (Abbruch) {
        KeinErgebnis();
        return false;
    }

    const HWND out = GetDlgItem(205);
    const int anzahl = int(std::strlen(daten.Variablen));
    if (!Func->GetIsOriginFunc(daten.Formel)) {
        Func.reset();
        Func =
            std::make_unique<vdFunction>(daten.Formel, anzahl, daten.Variablen, 1, out, true, true);
        ++FunctionBuilds;
    }
    Func->SetOutputWindow(out);
    long double values[6] = {};
    for (int i = 0; i < anzahl; ++i) values[i] = werte.Wert(daten.Variablen[i]);
    long double p = Func->GetResultExt(values);
    if (Func->GetGlobalError() >= 1) {
        char error[400] = "";
        Func->GetErrorTypeText(error);
        const std::string text = std::string("Berechnungsfunktion:\r ") + error;
        MessageBox(text.c_str(), "Berechnung", MB_OK | MB_ICONSTOP);
        KeinErgebnis();
        return false;
    }

    char text[64];
    auto zeige = [&text, this](int id, long double value) {
        SetDlgItemText(id, ldtochar(text, value, 15, true));
    };
    if (Verteilung == kNormal || Verteilung == kChiQuadrat) {
        SetDlgItemText(205, "berechne...");
        TStochFensterSchritte schritte(*this);
        if (Verteilung == kNormal) {
            p = NormalWahrscheinlichkeit(werte.x, werte.y, werte.z, &schritte);
        } else {
            const long double gamma = StochGamma(werte.v / 2);
            p = ChiWahrscheinlichkeit(werte.x, werte.v, gamma, &schritte);
        }
        if (schritte.Abgebrochen()) {
            KeinErgebnis();
            return false;
        }
        p = corrroundl(p, 6);
        if (Verteilung == kChiQuadrat) {
            zeige(517, werte.v);
            zeige(518, 2 * werte.v);
        }
    } else if (Verteilung != kPoisson) {
        long double e = 0, v = 0;
        if (ErwartungUndVarianz(Verteilung, werte, e, v)) {
            zeige(517, e);
            zeige(518, v);
        } else {
            SetDlgItemText(517, kKeinErgebnis);
            SetDlgItemText(518, kKeinErgebnis);
        }
    }
    zeige(205, p);
    return true;
}

// ---- task files -------------------------------------------------------------------------------

TStochAufgabe TStochastik::AufgabeAusFeldern() {
    TStochAufgabe task;
    task.Verteilung = Verteilung;
    // A field shows its expression while it has the focus: that is what is written.
    for (int i = 0; i < 6; ++i) {
        FocusId(kFeldIds[i]);
        task.Var[i] = Feldtext(kFeldIds[i], kStochVarSchreiben);
    }
    return task;
}

bool TStochastik::SetzeDaten(const char* DatName) {
    vdFuncTrace("bool TStochastik::SetzeDaten(char*)");
    const bool ok = SchreibeStochAufgabe(DatName, AufgabeAusFeldern());
    FocusId(201);
    return ok;
}

bool TStochastik::HoleDaten(const char* DatName) {
    vdFuncTrace("bool TStochastik::HoleDaten(char*)");
    TStochAufgabe task;
    const bool ok = LeseStochAufgabe(DatName, task);
    if (!ok) {
        MessageBox(kUnreadable, "Laden", MB_OK | MB_ICONSTOP);
    } else {
        for (int i = 0; i < 6; ++i) {
            SetDlgItemText(kFeldIds[i], task.Var[i].c_str());
            FocusId(kFeldIds[i]);
        }
        // An index outside 0 ... 4 leaves the list as it is.
        if (task.Verteilung >= 0) {
            Verteilung = task.Verteilung;
            Liste->SetSelIndex(Liste->FindExactString(VerteilungsDaten(Verteilung).Name));
        }
        FocusId(202);
    }
    FocusId(202);
    FocusId(201);
    SetzeDarst();
    return ok;
}

void TStochastik::SetTitle(const char* taskFile) {
    if (!Parent) return;
    const std::string name = taskFile && *taskFile ? FileNameOf(taskFile) : "Unbenannt.stc";
    Parent->SetCaption((std::string(kTitle) + " - " + name).c_str());
}

void TStochastik::StoreTaskFile(const std::string& file) {
    TaskFile = file;
    if (!HStruct) return;
    std::strncpy(HStruct->LetzteDatei, file.c_str(), sizeof HStruct->LetzteDatei - 1);
    HStruct->LetzteDatei[sizeof HStruct->LetzteDatei - 1] = '\0';
}

void TStochastik::BNClickedSpeichern() {
    vdFuncTrace("void TStochastik::BNClickedSpeichern()");
    std::string name = TaskFile;
    if (!FrageAufgabenDatei(this, true, kFilter, "stc", name)) return;
    if (!SetzeDaten(name.c_str())) {
        MessageBox(kNotSaved, "Speichern", MB_OK | MB_ICONSTOP);
        return;
    }
    StoreTaskFile(name);
    SetTitle(name.c_str());
}

void TStochastik::BNClickedLaden() {
    vdFuncTrace("void TStochastik::BNClickedLaden()");
    std::string name = LoadFileName();
    if (!FrageAufgabenDatei(this, false, kFilter, "stc", name)) return;
    LoadFileName() = name;
    // A missing or unreadable file leaves the window and its title as they were.
    if (TaskFileThere(GetHandle(), name.c_str(), "Laden") && HoleDaten(name.c_str())) {
        StoreTaskFile(name);
        SetTitle(name.c_str());
    }
}

void TStochastik::BNClickedKopieren() {
    vdFuncTrace("void TStochastik::BNClickedKopieren()");
    if (!HStruct) return;
    const std::string shared = std::string(HStruct->Pfad) + "orvltrn.ini";
    // The formula of the distribution selected now, not of the last one computed.
    char name[64] = "";
    Liste->GetText(name, sizeof name);
    const char* formel = VerteilungsDaten(VerteilungAusName(name)).Formel;
    const bool ok = SchreibeStochAufgabe(shared.c_str(), AufgabeAusFeldern(), formel);
    FocusId(201);
    if (!ok) MessageBox(kNotSaved, "Speichern", MB_OK | MB_ICONSTOP);
}

void TStochastik::BNClickedHelp() {
    WinExec(kHelp, SW_SHOWNORMAL);
}

void TStochastik::GroesseZuMarke() {
    TWindow* marker = ChildWithId(10000);
    if (!marker || !IsWindow()) return;
    const TRect m = marker->GetWindowRect();
    TPoint corner(m.right, m.bottom);
    ScreenToClient(corner);
    const TRect client = GetClientRect();
    const int dx = corner.x + 5 - client.Width(), dy = corner.y + 3 - client.Height();
    auto* frame = dynamic_cast<TFrameWindow*>(Parent);
    if (frame && !frame->IsWindowVisible()) frame = nullptr;
    if (!frame) {
        MoveWindow(0, 0, corner.x + 5, corner.y + 3);
        return;
    }
    const TRect outer = frame->GetWindowRect();
    frame->SetWindowSize(outer.Width() + dx, outer.Height() + dy);
}

// ---- printing ---------------------------------------------------------------------------------

void TStochastik::BNClickedDrucke() {
    vdFuncTrace("void TStochastik::BNClickedDrucke()");
    if (!Berechnung()) return;
    vdPrint job;
    TModule module("ORVLPRN.DLL");
    TSize page(2100, -2970);
    vdMainPrintDlg dlg(this, HStruct ? HStruct->Pfad : "", &page, kTitle, 1, 1, 1, 1, 1, "", "", "",
                       &job, 1, 20000, &module);
    if (dlg.Execute() == IDOK) job.PrintIt(this);
}

// ---- the module -------------------------------------------------------------------------------

namespace {

bool CopyInto(char* target, size_t size, const std::string& text) {
    if (text.size() >= size) return false;
    std::memcpy(target, text.c_str(), text.size() + 1);
    return true;
}

const TModuleRegistrar registrar({"stoch", kTitle, [](THostContext& context) -> TWindow* {
                                      auto& record = context.MakeRecord<StochTransStructDef>();
                                      const std::string& dir = context.ProgDir();
                                      if (!CopyInto(record.Pfad, sizeof record.Pfad, dir) ||
                                          !CopyInto(record.ZustandDatei, sizeof record.ZustandDatei,
                                                    dir + "orvlstch.ini"))
                                          return nullptr;
                                      auto* window = new TStochastik(context.Frame(), &record);
                                      window->SetCommandLine(context.TaskFile().c_str());
                                      return window;
                                  }});

} // namespace
