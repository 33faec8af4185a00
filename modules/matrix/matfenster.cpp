#include "matfenster.h"

#include "charpoly.h"
#include "controls.h"
#include "dc.h"
#include "dlgres.h"
#include "eigdlg.h"
#include "filedlg.h"
#include "funkedit.h"
#include "invmatrix.h"
#include "mattask.h"
#include "matzahl.h"
#include "modreg.h"
#include "privateprofile.h"
#include "settings.h"
#include "talk.h"
#include "vdmainprintdlg.h"
#include "vdparser.h"
#include "vdprint.h"
#include "winapi.h"

#include <cstring>
#include <filesystem>

namespace {

const char* const kTitle = "Matrizen";
const char* const kFilter = "Matrix-Dateien (*.MAT)|*.mat|";
const char* const kUnreadable = "Datei:\r Die Datei besitzt kein lesbares Format.";
const char* const kNotSaved = "Datei:\r Die Aufgabenstellung konnte nicht gespeichert werden.";

constexpr int kGridX = 26, kGridY = 34, kStepX = 47, kStepY = 15;

int FeldId(int r, int c) {
    return 1100 + 10 * r + c;
}

TDlgResource MatrixLayout() {
    TDlgResource r;
    r.caption = kTitle;
    r.cx = 488, r.cy = 322;
    auto& it = r.items;
    it.push_back({1000, TCtlKind::Static, "&Ordnung:", 8, 10, 36, 9});
    it.push_back({1001, TCtlKind::ComboBox, "", 46, 8, 30, 120, CBS_DROPDOWNLIST});
    for (int c = 0; c < 8; ++c)
        it.push_back({1300 + c, TCtlKind::Static, std::to_string(c + 1), kGridX + c * kStepX + 18,
                      kGridY - 10, 10, 9});
    for (int row = 0; row < 8; ++row) {
        it.push_back({1310 + row, TCtlKind::Static, std::to_string(row + 1), 12,
                      kGridY + row * kStepY + 2, 10, 9});
        for (int c = 0; c < 8; ++c)
            it.push_back({FeldId(row, c), TCtlKind::Edit, "0", kGridX + c * kStepX,
                          kGridY + row * kStepY, 44, 12});
    }
    const int bx = 408, bw = 72;
    int by = 8;
    for (auto [id, caption] :
         std::initializer_list<std::pair<int, const char*>>{{201, "&Berechnen"},
                                                            {220, "Char. &Polynom"},
                                                            {221, "Polynom a&bbrechen"},
                                                            {219, "&Eigenwerte..."},
                                                            {212, "&Laden"},
                                                            {211, "&Speichern"},
                                                            {218, "&Drucken"},
                                                            {302, "&Hilfe"},
                                                            {IDCANCEL, "Be&enden"}}) {
        it.push_back({id, TCtlKind::PushButton, caption, bx, by, bw, 14,
                      id == 201 ? uint32_t(BS_DEFPUSHBUTTON) : 0u});
        by += 17;
    }
    it.push_back({209, TCtlKind::PushButton, "&k", bx, by, 34, 14});
    it.push_back({210, TCtlKind::PushButton, "&e", bx + 38, by, 34, 14});
    it.push_back({1911, TCtlKind::Static, "Eigenwerte:", bx, by + 20, bw, 9});
    it.push_back({1912, TCtlKind::ListBox, "", bx, by + 30, bw, 262 - by});

    it.push_back({1901, TCtlKind::Static, "Rang:", 8, 157, 24, 9});
    it.push_back({1902, TCtlKind::Static, "", 34, 155, 30, 12, SS_SUNKEN});
    it.push_back({1903, TCtlKind::Static, "Determinante:", 74, 157, 52, 9});
    it.push_back({1904, TCtlKind::Static, "", 128, 155, 140, 12, SS_SUNKEN});
    it.push_back({1905, TCtlKind::Static, "Inverse:", 8, 170, 80, 9});
    it.push_back({1906, TCtlKind::Edit, "", 8, 180, 194, 78, ES_MULTILINE | ES_READONLY});
    it.push_back({1907, TCtlKind::Static, "Stufenform:", 206, 170, 80, 9});
    it.push_back({1908, TCtlKind::Edit, "", 206, 180, 194, 78, ES_MULTILINE | ES_READONLY});
    it.push_back({1909, TCtlKind::Static, "Charakteristisches Polynom:", 8, 262, 120, 9});
    it.push_back({1910, TCtlKind::Static, "", 8, 272, 392, 20, SS_SUNKEN});
    it.push_back({216, TCtlKind::Static, "", 8, 298, 472, 18, SS_SUNKEN});
    return r;
}

const TDialogResourceRegistrar reg100("MATCALC.DLL", 100, MatrixLayout());

std::string MatrixText(const long double m[8][8], int n) {
    std::string out;
    for (int r = 0; r < n; ++r) {
        if (r) out += "\r\n";
        for (int c = 0; c < n; ++c) out += (c ? "   " : "") + MatZahl(m[c][r]);
    }
    return out;
}

} // namespace

TMatrixFenster::TMatrixFenster(TWindow* parent, MatTransStructDef* rec, TModule* module)
    : vdBasePrintDlg(parent, 100, module ? module : &MatcalcModule()), Rec(rec),
      EigenListe(std::make_unique<TListBoxData>()) {
    DebugFunkion(0, nullptr, false, "TMatrixFenster::TMatrixFenster(TWindow*, ...)", "", "");
    if (Rec->Ordnung < 1 || Rec->Ordnung > 8) Rec->Ordnung = 3;
    Rec->Var.SetzeVar("0", "0", "0", "0", "0", "0");
    for (int r = 0; r < 8; ++r)
        for (int c = 0; c < 8; ++c) {
            const std::string info = "Geben Sie im Feld (" + std::to_string(r + 1) + "," +
                                     std::to_string(c + 1) +
                                     "), das entsprechende Element der Matrix ein.";
            Felder[r][c] =
                new TTalkFunkEdit(this, FeldId(r, c), 1, 216, info.c_str(), "0", 1, &Rec->Var, 295);
        }
    OrdnungListe = new TComboBox(this, 1001);
    new TTalkButton(this, 201, 216,
                    "Drücken Sie 'Berechnen', um Rang, Determinante, Inverse und Stufenform zu "
                    "bestimmen.",
                    "", "");
    new TTalkButton(this, 220, 216,
                    "Drücken Sie 'Char. Polynom', um das charakteristische Polynom zu bestimmen.",
                    "", "");
    new TTalkButton(this, 221, 216,
                    "Drücken Sie 'Polynom abbrechen', um die Bestimmung des Polynoms abzubrechen.",
                    "", "");
    new TTalkButton(this, 219, 216,
                    "Drücken Sie 'Eigenwerte...', um die reellen Eigenwerte zu bestimmen.", "", "");
    new TTalkButton(this, 212, 216, "Drücken Sie 'Laden', um eine Aufgabenstellung zu laden.", "",
                    "");
    new TTalkButton(this, 211, 216,
                    "Drücken Sie 'Speichern', um die Aufgabenstellung zu speichern.", "", "");
    new TTalkButton(this, 302, 216, "Drücken Sie 'Hilfe', um Hilfe zu diesem Dialog zu erhalten.",
                    "", "");
    new TTalkButton(this, IDCANCEL, 216, "Drücken Sie 'Beenden', um die Matrizen zu beenden.", "",
                    "");
    new TTalkButton(this, 209, 216,
                    "Drücken Sie 'k', um die Matrix mit den Variablen (x,y,z,u,v,w) für andere "
                    "Programme zu kopieren.",
                    "", "");
    new TTalkButton(this, 210, 216,
                    "Drücken Sie 'e', um eine Matrix mit den Variablen (x,y,z,u,v,w) eines anderen "
                    "Programms einzufügen.",
                    "", "");
    new TListBox(this, 1912);
    OnClicked(201, &TMatrixFenster::BNClickedBerechnen);
    OnClicked(220, &TMatrixFenster::BNClickedCharPoly);
    OnClicked(221, &TMatrixFenster::BNClickedAbbrechen);
    OnClicked(219, &TMatrixFenster::BNClickedEigenwerte);
    OnClicked(212, &TMatrixFenster::BNClickedLaden);
    OnClicked(211, &TMatrixFenster::BNClickedSpeichern);
    OnClicked(209, &TMatrixFenster::BNClickedKopieren);
    OnClicked(210, &TMatrixFenster::BNClickedEinfuegen);
    OnClicked(302, &TMatrixFenster::BNClickedHelp);
    OnClicked(218, &TMatrixFenster::BNClickedDrucke);
    new TTalkButton(this, 218, 216,
                    "Drücken Sie 'Drucken', um die Matrix und die Ergebnisse zu drucken.", "", "");
}

TMatrixFenster::~TMatrixFenster() = default;

void TMatrixFenster::SetupWindow() {
    vdBasePrintDlg::SetupWindow();
    SetCaption(kTitle);
    for (int k = 1; k <= 8; ++k) OrdnungListe->AddString(std::to_string(k).c_str());
    for (int c = 0; c < 8; ++c)
        for (int r = 0; r < 8; ++r)
            if (!Rec->MatText[c][r][0]) std::strcpy(Rec->MatText[c][r], "0");
    Polynom = std::make_unique<CharPoly>(GetHandle(), Rec);
    ::EnableWindow(GetDlgItem(221), false);
    TaskFile = Rec->LetzteDatei;
    if (!TaskFile.empty() && TaskFileThere(GetHandle(), TaskFile.c_str(), "Laden") &&
        HoleDaten(TaskFile.c_str())) {
        SetTitle(TaskFile.c_str());
    } else {
        SetzeOrdnung(Rec->Ordnung);
        ZeigeEintraege();
        SetTitle("Unbenannt.mat");
    }
}

void TMatrixFenster::EvCommand(unsigned id, HWND hWndCtl, unsigned notifyCode) {
    if (id == 1001 && notifyCode == CBN_SELCHANGE) {
        if (!Laeuft) SetzeOrdnung(OrdnungListe->GetSelIndex() + 1);
        return;
    }
    vdBasePrintDlg::EvCommand(id, hWndCtl, notifyCode);
}

void TMatrixFenster::SetTitle(const char* file) {
    if (!Parent) return;
    Parent->SetCaption(
        (std::string(kTitle) + " - " + std::filesystem::path(file).filename().string()).c_str());
}

void TMatrixFenster::SetzeOrdnung(int n) {
    if (n < 1 || n > 8) n = 3;
    Rec->Ordnung = n;
    OrdnungListe->SetSelIndex(n - 1);
    for (int r = 0; r < 8; ++r)
        for (int c = 0; c < 8; ++c) ::ShowWindow(Feld(r, c)->GetHandle(), r < n && c < n);
    for (int k = 0; k < 8; ++k) {
        ::ShowWindow(GetDlgItem(1300 + k), k < n);
        ::ShowWindow(GetDlgItem(1310 + k), k < n);
    }
    // An order-1 matrix has no polynomial to expand.
    ::EnableWindow(GetDlgItem(220), n >= 2);
    LoescheErgebnisse();
}

void TMatrixFenster::LoescheErgebnisse() {
    for (int id : {1902, 1904, 1906, 1908}) SetDlgItemText(id, "");
    Ergebnis.reset();
    if (Polynom) Polynom = std::make_unique<CharPoly>(GetHandle(), Rec);
    Rec->CharPolyAnzeige[0] = '\0';
    EigenListe->Clear();
    if (auto* list = dynamic_cast<TListBox*>(TWindow::FromHandle(GetDlgItem(1912))))
        list->ClearList();
}

void TMatrixFenster::ZeigeEintraege() {
    for (int r = 0; r < 8; ++r)
        for (int c = 0; c < 8; ++c) {
            Feld(r, c)->SetWindowText(Rec->MatText[c][r]);
            Feld(r, c)->PruefeAusdruck();
        }
}

bool TMatrixFenster::LeseEintraege() {
    const int n = Rec->Ordnung;
    bool changed = false;
    for (int r = 0; r < n; ++r)
        for (int c = 0; c < n; ++c) {
            TTalkFunkEdit* f = Feld(r, c);
            long double v = 0;
            if (!TTalkFunkEdit::Auswerten(this, f->GetFunktion(), &Rec->Var, nullptr, &v)) {
                ::SetFocus(f->GetHandle());
                return false;
            }
            changed |=
                std::strcmp(Rec->MatText[c][r], f->GetFunktion()) != 0 || Rec->Mat[c][r] != v;
            std::strncpy(Rec->MatText[c][r], f->GetFunktion(), sizeof Rec->MatText[c][r] - 1);
            Rec->Mat[c][r] = v;
        }
    // A polynomial of other entries is no longer the matrix's.
    if (changed) LoescheErgebnisse();
    return true;
}

void TMatrixFenster::BNClickedBerechnen() {
    if (!LeseEintraege()) return;
    Ergebnis = std::make_unique<InvMatrix>(Rec);
    const InvMatrix* inv = Ergebnis.get();
    const int n = Rec->Ordnung;
    SetDlgItemText(1902, std::to_string(inv->Rang).c_str());
    SetDlgItemText(1904, inv->DetText);
    SetDlgItemText(1906,
                   inv->Invertierbar ? MatrixText(inv->InvMat, n).c_str() : "nicht invertierbar");
    SetDlgItemText(1908, MatrixText(inv->StufenMat, n).c_str());
}

void TMatrixFenster::BNClickedCharPoly() {
    if (Laeuft || Rec->Ordnung < 2 || !LeseEintraege()) return;
    Laeuft = true;
    for (int id : {201, 220, 212, 210, 1001}) ::EnableWindow(GetDlgItem(id), false);
    ::EnableWindow(GetDlgItem(221), true);
    Polynom->BNClickedEigenwerte();
    ::EnableWindow(GetDlgItem(221), false);
    for (int id : {201, 220, 212, 210, 1001}) ::EnableWindow(GetDlgItem(id), true);
    Laeuft = false;
}

void TMatrixFenster::BNClickedAbbrechen() {
    if (Laeuft) Polynom->Abbrechen = 1;
}

void TMatrixFenster::BNClickedEigenwerte() {
    if (Laeuft || !Rec->CharPolyText[0]) return;
    Rec->ListData = EigenListe.get();
    TEigenwerte dlg(this, Rec);
    dlg.Execute();
    auto* list = dynamic_cast<TListBox*>(TWindow::FromHandle(GetDlgItem(1912)));
    if (!list) return;
    list->ClearList();
    if (Rec->EigOK)
        for (const std::string& line : EigenListe->GetStrings()) list->AddString(line.c_str());
}

bool TMatrixFenster::HoleDaten(const char* file) {
    if (!LeseMatAufgabe(file, *Rec)) {
        MessageBox(kUnreadable, "Laden", MB_OK | MB_ICONSTOP);
        return false;
    }
    SetzeOrdnung(Rec->Ordnung);
    ZeigeEintraege();
    return true;
}

bool TMatrixFenster::SetzeDaten(const char* file, bool transfer) {
    if (!LeseEintraege()) return false;
    return SchreibeMatAufgabe(file, *Rec, transfer);
}

void TMatrixFenster::BNClickedSpeichern() {
    TOpenSaveDialog::TData data(OFN_OVERWRITEPROMPT | OFN_HIDEREADONLY | OFN_PATHMUSTEXIST, kFilter,
                                nullptr, nullptr, "mat");
    std::strncpy(data.FileName, TaskFile.c_str(), sizeof data.FileName - 1);
    if (TFileSaveDialog(this, data, "Speichern der Aufgabenstellung").Execute() != IDOK) return;
    const std::string name = data.FileName;
    if (!LeseEintraege()) return;
    if (!SchreibeMatAufgabe(name.c_str(), *Rec, false)) {
        MessageBox(kNotSaved, "Speichern", MB_OK | MB_ICONSTOP);
        return;
    }
    TaskFile = name;
    std::strncpy(Rec->LetzteDatei, name.c_str(), sizeof Rec->LetzteDatei - 1);
    SetTitle(name.c_str());
}

void TMatrixFenster::BNClickedLaden() {
    TOpenSaveDialog::TData data(OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY, kFilter,
                                nullptr, nullptr, "mat");
    std::strncpy(data.FileName, TaskFile.c_str(), sizeof data.FileName - 1);
    if (TFileOpenDialog(this, data, "Laden einer Aufgabenstellung").Execute() != IDOK) return;
    const std::string name = data.FileName;
    if (!TaskFileThere(GetHandle(), name.c_str(), "Laden") || !HoleDaten(name.c_str())) return;
    TaskFile = name;
    std::strncpy(Rec->LetzteDatei, name.c_str(), sizeof Rec->LetzteDatei - 1);
    SetTitle(name.c_str());
}

void TMatrixFenster::BNClickedKopieren() {
    const std::string file = std::string(Rec->Pfad) + "orvltrn.ini";
    if (!LeseEintraege()) return;
    if (!SchreibeMatAufgabe(file.c_str(), *Rec, true))
        MessageBox(kNotSaved, "Speichern", MB_OK | MB_ICONSTOP);
}

void TMatrixFenster::BNClickedEinfuegen() {
    HoleDaten((std::string(Rec->Pfad) + "orvltrn.ini").c_str());
}

void TMatrixFenster::BNClickedHelp() {
    WinExec("HH.EXE mk:@MSITStore:orvlhilf5.chm::html/mainmatr.htm", 1);
}

void TMatrixFenster::BNClickedDrucke() {
    BNClickedBerechnen();
    if (!Ergebnis) return;
    vdPrint job;
    TModule module("ORVLPRN.DLL");
    TSize page(2100, -2970);
    vdMainPrintDlg dlg(this, Rec->Pfad, &page, kTitle, 1, 1, 1, 1, 1, "", "", "", &job, 1, 20000,
                       &module);
    if (dlg.Execute() == IDOK) job.PrintIt(this);
}

void TMatrixFenster::CurrPrintout(bool preview, TDC& dc, bool, TRect&, int) {
    dc.SetBkMode(TRANSPARENT);
    const unsigned oldAlign = dc.SetTextAlign(TA_LEFT | TA_TOP);
    dc.SelectObject(TFont("Arial Standard", 40, 0, 0, 0, FW_NORMAL, false, false, false,
                          preview ? 3 : 0, preview ? 2 : 0, 2, 1));
    const int n = Rec->Ordnung;
    int y = -300;
    auto zeile = [&](int x, const std::string& text) { dc.TextOut(x, y, text.c_str()); };
    // A matrix as rows of numbers with 10 digits, at most 8 columns of 240 across the page.
    auto kurz = [](long double v) {
        char buf[64];
        ldtochar(buf, corrroundl(v, 10), 10, true);
        return std::strcmp(buf, "-0") == 0 ? std::string("0") : std::string(buf);
    };
    auto matrix = [&](const char* title, auto value) {
        zeile(100, title);
        y -= 55;
        for (int r = 0; r < n; ++r, y -= 50)
            for (int c = 0; c < n; ++c) dc.TextOut(150 + 240 * c, y, value(c, r).c_str());
        y -= 30;
    };
    zeile(100, "Orvelin - Matrizen");
    y -= 100;
    matrix("Matrix:", [&](int c, int r) { return kurz(Rec->Mat[c][r]); });
    zeile(100, "Rang: " + std::to_string(Ergebnis->Rang));
    y -= 55;
    zeile(100, std::string("Determinante: ") + Ergebnis->DetText);
    y -= 85;
    if (Ergebnis->Invertierbar) {
        matrix("Inverse:", [&](int c, int r) { return kurz(Ergebnis->InvMat[c][r]); });
    } else {
        zeile(100, "Inverse: nicht invertierbar");
        y -= 85;
    }
    matrix("Stufenform:", [&](int c, int r) { return kurz(Ergebnis->StufenMat[c][r]); });
    if (Rec->CharPolyText[0]) {
        zeile(100, "Charakteristisches Polynom:");
        y -= 55;
        vdFormFuncOutput form(Rec->CharPolyAnzeige, 80);
        char line[vdFormOutput::MaxText + 1];
        for (int i = 1; form.GetErr() == 0; ++i, y -= 50) {
            form.GetLine(line, i);
            if (form.GetErr() != 0) break;
            zeile(150, line);
        }
        y -= 30;
    }
    if (!EigenListe->GetStrings().empty()) {
        zeile(100, "Eigenwerte:");
        y -= 55;
        for (const std::string& e : EigenListe->GetStrings()) {
            if (y < -2850) break;
            zeile(150, e);
            y -= 50;
        }
    }
    dc.RestoreFont();
    dc.SetTextAlign(oldAlign);
}

namespace {

bool CopyInto(char* out, size_t size, const std::string& text) {
    if (text.size() >= size) return false;
    std::strcpy(out, text.c_str());
    return true;
}

const TModuleRegistrar
    registrar({"matrix", kTitle, [](THostContext& context) -> TWindow* {
                   auto& rec = context.MakeRecord<MatTransStructDef>();
                   const std::string& dir = context.ProgDir();
                   if (!CopyInto(rec.Pfad, sizeof rec.Pfad, dir) ||
                       !CopyInto(rec.ZustandDatei, sizeof rec.ZustandDatei, dir + "orvlmatr.ini"))
                       return nullptr;
                   CopyInto(rec.LetzteDatei, sizeof rec.LetzteDatei, context.TaskFile());
                   rec.Ordnung = 3;
                   return new TMatrixFenster(context.Frame(), &rec);
               }});

} // namespace
