#include "orvldlgs.h"
#include "qtbridge.h"

#include <QAbstractButton>
#include <cstring>
#include <string>

vdVarDescButton::vdVarDescButton(TWindow* parent, int id, const char* VarDesc, int InfoId,
                                 const char* infoText, const char* altCaption,
                                 const char* altInfoText, TModule* module)
    : TTalkButton(parent, id, InfoId, infoText, altCaption, altInfoText, module) {
    const std::string desc = VarDesc ? VarDesc : "";
    const bool names = desc.find(' ') != std::string::npos;
    size_t i = 0;
    while (i < desc.size() && Count < kMaxVars) {
        size_t end = names ? desc.find(' ', i) : i + 1;
        if (end == std::string::npos) end = desc.size();
        const std::string name = desc.substr(i, std::min<size_t>(end - i, sizeof Names[0] - 1));
        if (!name.empty()) std::strcpy(Names[Count++], name.c_str());
        i = end + (names ? 1 : 0);
    }
}

void vdVarDescButton::SetupWindow() {
    TTalkButton::SetupWindow();
    ShowName();
    // The button goes on by itself as soon as it is pressed, so that its parent, which hears
    // the click afterwards, already finds the new variable.
    if (auto* b = qobject_cast<QAbstractButton*>(WidgetOf(this)))
        QObject::connect(b, &QAbstractButton::pressed, b, [this, b] {
            if (WindowOf(b) == this) Weiter();
        });
}

const char* vdVarDescButton::GetVarName() const {
    return Count ? Names[Index] : "";
}

void vdVarDescButton::Weiter() {
    if (Count) Index = (Index + 1) % Count;
    ShowName();
}

void vdVarDescButton::ShowName() {
    if (IsWindow() && Count) SetCaption((std::string(Names[Index]) + "=").c_str());
}
