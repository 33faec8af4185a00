// Controls bound by id to the controls of a dialog layout, as in
//     new TButton(this, 201);   // in the dialog's constructor, attaches at Create()
// or created in code with a position (pixels, relative to the parent's client area) and
// shown by Create(). Each object is owned by its parent window.
#pragma once

#include "window.h"

#include <string>
#include <vector>

class TControl : public TWindow {
public:
    // Bound to the control `id` of the parent's layout.
    TControl(TWindow* parent, int id, TModule* module = nullptr);
    // Created in code (a generic area: frames, pictures, previews).
    TControl(TWindow* parent, int id, const char* title, int x, int y, int w, int h,
             TModule* module = nullptr);
    bool Create() override;

protected:
    TControl(TWindow* parent, int id, const char* title, int x, int y, int w, int h,
             TModule* module, int kind);
    bool createdInCode_ = false;
};

class TButton : public TControl {
public:
    TButton(TWindow* parent, int id, TModule* module = nullptr) : TControl(parent, id, module) {}
    TButton(TWindow* parent, int id, const char* text, int x, int y, int w, int h,
            bool isDefault = false, TModule* module = nullptr);
    // Presses the button as a mouse click would: focus, then BN_CLICKED.
    void Click();
};

class TCheckBox : public TControl {
public:
    TCheckBox(TWindow* parent, int id, TModule* module = nullptr) : TControl(parent, id, module) {}
    unsigned GetCheck() const;
    void SetCheck(unsigned state);
    void Check() { SetCheck(BF_CHECKED); }
    void Uncheck() { SetCheck(BF_UNCHECKED); }
    void Toggle() { SetCheck(GetCheck() == BF_CHECKED ? BF_UNCHECKED : BF_CHECKED); }
};

class TGroupBox : public TControl {
public:
    TGroupBox(TWindow* parent, int id, TModule* module = nullptr) : TControl(parent, id, module) {}
};

class TRadioButton : public TCheckBox {
public:
    TRadioButton(TWindow* parent, int id, TGroupBox* group = nullptr, TModule* module = nullptr)
        : TCheckBox(parent, id, module), Group(group) {}
    TGroupBox* Group;
};

class TStatic : public TControl {
public:
    TStatic(TWindow* parent, int id, unsigned textLimit = 0, TModule* module = nullptr)
        : TControl(parent, id, module), TextLimit(textLimit) {}
    TStatic(TWindow* parent, int id, const char* title, int x, int y, int w, int h,
            unsigned textLimit = 0, TModule* module = nullptr);
    int GetText(char* out, int maxChars) const { return GetWindowText(out, maxChars); }
    void SetText(const char* text) { SetWindowText(text); }
    void Clear() { SetText(""); }
    unsigned TextLimit;
};

class TEdit : public TStatic {
public:
    TEdit(TWindow* parent, int id, unsigned textLimit = 0, TModule* module = nullptr);
    bool Create() override;
    void SetReadOnly(bool readOnly);
    bool IsReadOnly() const;
    bool IsMultiLine() const;
    // Selection as character positions (end exclusive).
    void GetSelection(int& start, int& end) const;
    void SetSelection(int start, int end);
    // Replaces the selection with `text`, leaving the caret after it.
    void Insert(const char* text);
    void LimitText(unsigned maxChars);
    int GetNumLines() const;
};

// The strings and selection of a list box, for filling and reading it in one go.
class TListBoxData {
public:
    void AddString(const char* text, bool isSelected = false);
    void Clear();
    void ResetSelections() { selIndices_.clear(); }
    void Select(int index);
    void SelectString(const char* text);
    const std::vector<std::string>& GetStrings() const { return strings_; }
    const std::vector<int>& GetSelIndices() const { return selIndices_; }
    int GetSelCount() const { return int(selIndices_.size()); }
    // The `index`-th selected string into `out`; its length, or -1 without such a selection.
    int GetSelString(char* out, int maxChars, int index = 0) const;

private:
    std::vector<std::string> strings_;
    std::vector<int> selIndices_;
};

enum TTransferDirection { tdGetData, tdSetData };

class TListBox : public TControl {
public:
    TListBox(TWindow* parent, int id, TModule* module = nullptr) : TControl(parent, id, module) {}
    int AddString(const char* text); // index of the new line
    int InsertString(const char* text, int index);
    int DeleteString(int index);
    void ClearList();
    int GetCount() const;
    int GetStringLen(int index) const;
    int GetString(char* out, int index) const; // `out` must hold GetStringLen + 1
    int GetSelIndex() const;                   // -1 without a selection
    int SetSelIndex(int index);                // -1 clears
    int FindString(const char* prefix, int startAfter = -1) const;
    int FindExactString(const char* text, int startAfter = -1) const;
    int SetSelString(const char* prefix, int startAfter = -1);
    void Transfer(TListBoxData& data, TTransferDirection direction);
};

class TComboBox : public TListBox {
public:
    TComboBox(TWindow* parent, int id, unsigned textLimit = 0, TModule* module = nullptr)
        : TListBox(parent, id, module), TextLimit(textLimit) {}
    int GetText(char* out, int maxChars) const { return GetWindowText(out, maxChars); }
    void SetText(const char* text);
    void ShowList(bool show = true);
    void HideList() { ShowList(false); }
    bool GetDroppedState() const;
    unsigned TextLimit;
};
