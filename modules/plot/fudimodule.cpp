// The module "fudi": the drawing window inside a frame of the program, with the menu of the
// function discussion.
#include "frame.h"
#include "fudirecord.h"
#include "modreg.h"
#include "talk.h"
#include "tfunktionsdraw.h"

#include <cstring>
#include <string>

namespace {

bool CopyInto(char* target, size_t size, const std::string& text) {
    if (text.size() >= size) return false;
    std::memcpy(target, text.c_str(), text.size() + 1);
    return true;
}

std::vector<TMenuPopup> FudiMenue() {
    using T = TFunktionsDraw;
    return {{"&Funktion",
             {{T::CM_EINGABE, "&Eingabe f(x)..."},
              {T::CM_EINGABE3D, "Eingabe f(x,&y)..."},
              {0, ""},
              {T::CM_INFORMATION, "&Information..."},
              {T::CM_DRUCKEFUNKTION, "Drucke &Funktion..."},
              {T::CM_DRUCKEINFORMATION, "Drucke &Diskussion..."},
              {0, ""},
              {T::CM_STARTPOS, "&Startposition..."},
              {T::CM_WERTETABELLE, "&Wertetabelle..."},
              {0, ""},
              {T::CM_ENDE, "&Ende"}}},
            {"&Hilfe", {{T::CM_HILFE, "&Hilfe"}}}};
}

const TModuleRegistrar
    registrar({"fudi", "Funktionsdiskussion", [](THostContext& context) -> TWindow* {
                   auto& record = context.MakeRecord<FudiTransStructDef>();
                   const std::string& dir = context.ProgDir();
                   if (!CopyInto(record.Verzeichnis, sizeof record.Verzeichnis, dir) ||
                       !CopyInto(record.IniDatei, sizeof record.IniDatei, dir + "orvlfudi.ini"))
                       return nullptr;
                   CopyInto(record.AufgabenDatei, sizeof record.AufgabenDatei, context.TaskFile());
                   TDecoratedFrame* frame = context.Frame();
                   if (frame) {
                       record.Statuszeile = dynamic_cast<TExtStatusBar*>(frame->GetStatusBar());
                       frame->SetMenu(FudiMenue());
                   }
                   auto* window = new TFunktionsDraw(&record, nullptr, frame);
                   if (frame && !record.Statuszeile) window->SetStatusLine(frame->GetStatusBar());
                   window->SetCommandLine(context.TaskFile().c_str());
                   return window;
               }});

} // namespace
