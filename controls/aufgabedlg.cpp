#include "aufgabedlg.h"

#include "filedlg.h"

#include <cstring>
#include <filesystem>

bool FrageAufgabenDatei(TWindow* parent, bool speichern, const char* filter, const char* defExt,
                        std::string& name) {
    std::error_code ec;
    const auto dir = std::filesystem::current_path(ec);
    const unsigned flags = speichern ? OFN_OVERWRITEPROMPT | OFN_HIDEREADONLY | OFN_PATHMUSTEXIST
                                     : OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY;
    TOpenSaveDialog::TData data(flags, filter, nullptr, nullptr, defExt);
    std::strncpy(data.FileName, name.c_str(), sizeof data.FileName - 1);
    int result;
    if (speichern)
        result = TFileSaveDialog(parent, data, "Speichern der Aufgabenstellung").Execute();
    else
        result = TFileOpenDialog(parent, data, "Laden einer Aufgabenstellung").Execute();
    if (!ec) std::filesystem::current_path(dir, ec);
    if (result != IDOK) return false;
    name = data.FileName;
    return true;
}
