// File open and save dialogs with the shape of the Windows common dialogs.
#pragma once

#include "wintypes.h"

#include <string>

class TWindow;

enum : unsigned {
    OFN_READONLY = 0x1,
    OFN_OVERWRITEPROMPT = 0x2,
    OFN_HIDEREADONLY = 0x4,
    OFN_PATHMUSTEXIST = 0x800,
    OFN_FILEMUSTEXIST = 0x1000,
};

class TOpenSaveDialog {
public:
    struct TData {
        // `filter` as "Rech-Dateien (*.REC)|*.rec|"; `defExt` without the dot ("REC").
        TData(unsigned flags = 0, const char* filter = nullptr, const char* customFilter = nullptr,
              const char* initialDir = nullptr, const char* defExt = nullptr, int maxPath = 1024);
        void SetFilter(const char* filter);
        unsigned Flags;
        unsigned long Error = 0;
        std::string Filter, InitialDir, DefExt;
        // The chosen file on return; the initial name on entry. Windows-1252.
        char FileName[1024] = {0};
        int MaxPath;
    };

    TOpenSaveDialog(TWindow* parent, TData& data, const char* title);
    virtual ~TOpenSaveDialog() = default;
    // IDOK with data.FileName set, or IDCANCEL.
    int Execute();

protected:
    virtual bool IsSave() const = 0;
    TWindow* parent_;
    TData& data_;
    std::string title_;
};

class TFileOpenDialog : public TOpenSaveDialog {
public:
    using TOpenSaveDialog::TOpenSaveDialog;

protected:
    bool IsSave() const override { return false; }
};

class TFileSaveDialog : public TOpenSaveDialog {
public:
    using TOpenSaveDialog::TOpenSaveDialog;

protected:
    bool IsSave() const override { return true; }
};
