// The linear systems in the program: the module "glsys" (the window TGlSysVar in a frame of
// the program, `orvelin glsys [FILE.gls]`) and the headless `orvelin glsys --loese TEXT`.
#include "cp1252.h"
#include "frame.h"
#include "glsyskommando.h"
#include "matrecord.h"
#include "modreg.h"
#include "tglsysvar.h"

#include <cstdio>
#include <cstring>
#include <string>

namespace {

bool CopyInto(char* target, size_t size, const std::string& text) {
    if (text.size() >= size) return false;
    std::memcpy(target, text.c_str(), text.size() + 1);
    return true;
}

// The reason of a refusal on one line: "Thema:\r Text" becomes "Thema: Text".
std::string EineZeile(const std::string& text) {
    std::string line;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\r') {
            line += text[i];
        } else if (i + 1 >= text.size() || text[i + 1] != ' ') {
            line += ' ';
        }
    }
    return line;
}

int Loese(int argc, char** argv) {
    if (argc != 3) {
        std::fputs("Aufruf: orvelin glsys --loese \"a11,...,a1n,b1;a21,...;...\"\n", stderr);
        return 1;
    }
    std::string out, error;
    if (!GlSysLoeseText(Utf8ToCp1252(argv[2]), out, error)) {
        std::fputs(("orvelin glsys: " + Cp1252ToUtf8(EineZeile(error)) + "\n").c_str(), stderr);
        return 1;
    }
    std::fputs(Cp1252ToUtf8(out).c_str(), stdout);
    return 0;
}

const TModuleRegistrar
    modul({"glsys", "Lin. GlSys.", [](THostContext& context) -> TWindow* {
               auto& record = context.MakeRecord<MatTransStructDef>();
               const std::string& dir = context.ProgDir();
               if (!CopyInto(record.Pfad, sizeof record.Pfad, dir) ||
                   !CopyInto(record.ZustandDatei, sizeof record.ZustandDatei, dir + "orvlglsy.ini"))
                   return nullptr;
               CopyInto(record.LetzteDatei, sizeof record.LetzteDatei, context.TaskFile());
               auto* window = new TGlSysVar(context.Frame(), &record);
               window->SetCommandLine(context.TaskFile().c_str());
               return window;
           }});

const TCommandRegistrar kommando({"glsys", "glsys --loese \"a11,...,a1n,b1;a21,...;...\"",
                                  [](int argc, char** argv) {
                                      return argc >= 2 && std::strcmp(argv[1], "--loese") == 0;
                                  },
                                  Loese});

} // namespace
