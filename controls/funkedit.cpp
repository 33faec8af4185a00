#include "funkedit.h"

#include "qtbridge.h"
#include "vdfunction.h"

#include <QLineEdit>
#include <cstring>
#include <string>

namespace {

constexpr size_t kMaxFunkText = 295;
constexpr size_t kMaxInput = 250;
const char kCaption[] = "Eingabefeld";
const char kTopic[] = "Berechnungsfunktion:\r ";
const char kTooLong[] =
    "Berechnungsfunktion:\r Die Eingabe darf nicht mehr als 250 Zeichen lang sein.";
const char kValueNow[] = " Wert z.Zt.: ";

void CopyCut(char* buffer, size_t size, const char* text) {
    if (!text) text = "";
    size_t n = std::strlen(text);
    if (n >= size) n = size - 1;
    std::memmove(buffer, text, n);
    buffer[n] = 0;
}

// The function edit whose focus is being given back after a failed check. While that is
// pending, other function edits that lose the focus on the way do not check: two wrong entries
// would otherwise pull the focus from each other for ever.
TTalkFunkEdit* g_refocusing = nullptr;

// The control a focus handle belongs to (an edit inside a combo box counts as the combo box),
// and the window object that holds that control.
void Receiver(HWND h, int& id, TWindow*& holder) {
    id = 0;
    holder = nullptr;
    QWidget* w = WidgetOf(h);
    for (; w && !id; w = w->parentWidget()) {
        id = ControlIdOf(w);
        if (w->isWindow()) break;
    }
    for (; w; w = w->parentWidget()) {
        if (TWindow* owner = WindowOf(w); owner && !dynamic_cast<TControl*>(owner)) {
            holder = owner;
            return;
        }
        if (w->isWindow()) return;
    }
}

} // namespace

TTalkFunkEdit::TTalkFunkEdit(TWindow* parent, int id, int colorIndex, int infoId,
                             const char* infoText, const char* fillText, int showValue,
                             TTlkFETransStructDef* var, unsigned textLimit, TModule* module)
    : TTalkEdit(parent, id, colorIndex, infoId, infoText, fillText, textLimit, module), Var(var),
      ShowValue(showValue) {
    FunkText[0] = 0;
}

TTalkFunkEdit::~TTalkFunkEdit() {
    if (g_refocusing == this) g_refocusing = nullptr;
}

bool TTalkFunkEdit::Auswerten(TWindow* owner, const char* text, TTlkFETransStructDef* var,
                              char* valueText, long double* value) {
    if (value) *value = 0;
    if (!text) text = "";
    if (std::strlen(text) > kMaxInput) {
        if (owner) owner->MessageBox(kTooLong, kCaption, MB_OK | MB_ICONSTOP);
        return false;
    }
    long double result = 0;
    char error[300] = "";
    if (valueText) valueText[0] = 0;
    if (var && var->Gesetzt != 1) {
        // No values yet: nothing to compute and nothing to show; only the syntax in the six
        // variables is checked.
        vdFunction f(text, 6, "xyzuvw", 1, nullptr, true, true);
        if (f.GetGlobalError() < 1) return true;
        f.GetErrorTypeText(error);
    } else {
        bool ok;
        if (var) {
            long double values[6];
            var->HoleWerte(values);
            vdFunction f(text, 6, "xyzuvw", 1, nullptr, true, true);
            result = f.GetResultExt(values);
            ok = f.GetGlobalError() < 1;
            if (!ok) f.GetErrorTypeText(error);
        } else {
            vdFunction f(text, 0, "", 1, nullptr, true, true);
            result = f.GetResult();
            ok = f.GetGlobalError() < 1;
            if (!ok) f.GetErrorTypeText(error);
        }
        if (ok) {
            if (value) *value = result;
            if (valueText) {
                ldtochar(valueText, result, 26, false);
                // The suite never shows a negative zero.
                if (std::strcmp(valueText, "-0") == 0) std::strcpy(valueText, "0");
            }
            return true;
        }
    }
    if (owner)
        owner->MessageBox((std::string(kTopic) + error).c_str(), kCaption, MB_OK | MB_ICONSTOP);
    return false;
}

bool TTalkFunkEdit::Pruefe() {
    char text[kMaxFunkText + 1];
    GetWindowText(text, sizeof text);
    CopyCut(FunkText, sizeof FunkText, text);
    Checking = true;
    SetWindowText(FunkText);
    char shown[100];
    const bool ok = Auswerten(Parent ? Parent : this, FunkText, Var, shown);
    if (ok) {
        if (shown[0]) SetWindowText(shown);
    } else {
        // The focus comes back once the focus change under way is over.
        g_refocusing = this;
        SetTimer(RefocusTimerId, 0);
    }
    Fehler = !ok;
    Checking = false;
    return ok;
}

bool TTalkFunkEdit::PruefeAusdruck() {
    SetWindowText(FunkText);
    return Pruefe();
}

void TTalkFunkEdit::SetColor(TDC& dc) {
    TTalkEdit::SetColor(dc);
}

void TTalkFunkEdit::SetupWindow() {
    TTalkEdit::SetupWindow();
    char text[kMaxFunkText + 1];
    GetWindowText(text, sizeof text);
    CopyCut(FunkText, sizeof FunkText, text);
    if (auto* e = qobject_cast<QLineEdit*>(WidgetOf(this))) {
        QObject::connect(e, &QLineEdit::textChanged, e, [this, e](const QString& t) {
            if (WindowOf(e) == this) EvSetText(CpStr(t).c_str());
        });
    }
}

void TTalkFunkEdit::EvSetText(const char* text) {
    if (Checking) return;
    CopyCut(FunkText, sizeof FunkText, text);
    Fehler = false;
}

void TTalkFunkEdit::EvSetFocus(HWND hWndLostFocus) {
    TTalkEdit::EvSetFocus(hWndLostFocus);
    SetWindowText(FunkText);
    SetSelection(0, int(std::strlen(FunkText)));
}

void TTalkFunkEdit::EvKillFocus(HWND hWndGetFocus) {
    TTalkEdit::EvKillFocus(hWndGetFocus);
    // A refocus whose window went away meanwhile is over.
    if (g_refocusing && !g_refocusing->IsWindow()) g_refocusing = nullptr;
    if (g_refocusing && g_refocusing != this) return;
    int id;
    TWindow* holder;
    Receiver(hWndGetFocus, id, holder);
    if (id == IDCANCEL || holder != Parent) return;
    Pruefe();
}

bool TTalkFunkEdit::EvSetCursor(HWND hWndCursor, unsigned hitTest, unsigned mouseMsg) {
    if (HoverBusy) return TEdit::EvSetCursor(hWndCursor, hitTest, mouseMsg);
    if (ShowValue == 0 || GetFocus() == GetHandle())
        return TTalkEdit::EvSetCursor(hWndCursor, hitTest, mouseMsg);
    const bool set = TEdit::EvSetCursor(hWndCursor, hitTest, mouseMsg);
    HoverBusy = true;
    char value[256];
    GetWindowText(value, sizeof value);
    const std::string hover = std::string(InfoText) + kValueNow + value;
    if (InfoId != 0) {
        if (Parent && Parent->GetDlgItem(InfoId)) {
            char shown[296];
            Parent->GetDlgItemText(InfoId, shown, sizeof shown);
            if (CompareNoCase(shown, hover.c_str()) != 0)
                Parent->SetDlgItemText(InfoId, hover.c_str());
        }
    } else if (StatusBar) {
        StatusBar->SetHintText(hover.c_str());
    }
    HoverBusy = false;
    return set;
}

void TTalkFunkEdit::EvTimer(unsigned timerId) {
    TTalkEdit::EvTimer(timerId);
    if (timerId != RefocusTimerId) return;
    KillTimer(RefocusTimerId);
    SetFocus();
    if (g_refocusing == this) g_refocusing = nullptr;
}
