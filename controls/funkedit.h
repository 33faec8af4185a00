// The function edit: a talking edit for numbers into which the user may type an expression
// ("pi/2", "sqrt(2)", with a variable record also "x+1"). When the focus leaves it, it checks
// and evaluates the text and shows the value; when the focus comes back it shows the
// expression again, selected. A wrong entry gives the message box "Eingabefeld" and keeps the
// focus. Leaving towards the dialog's control 2 (cancel, close) or out of the dialog does not
// check, so a wrong entry never blocks closing.
//
//     new TTalkFunkEdit(this, 202, 1, 216,
//                       "Geben Sie bei 'y=' den zu verwendenden Wert für die y-Variable ein.",
//                       "0", 0, nullptr, 300);
//
// With a variable record (TTlkFETransStructDef) whose variables are set, the expression may use
// x, y, z, u, v, w with the record's values; a record that is not yet set leaves the text as
// it is (only its syntax is checked). With the show-value flag the hover text tells the value
// shown: info text + " Wert z.Zt.: " + the edit's text.
#pragma once

#include "talk.h"
#include "tlkfetrans.h"

class TTalkFunkEdit : public TTalkEdit {
public:
    TTalkFunkEdit(TWindow* parent, int id, int colorIndex, int infoId, const char* infoText,
                  const char* fillText, int showValue, TTlkFETransStructDef* var,
                  unsigned textLimit, TModule* module = nullptr);
    ~TTalkFunkEdit() override;

    // Checks and evaluates the edit's text now: the expression becomes the function text, the
    // edit shows the value. True when the text is valid; otherwise the message has been shown
    // and the focus goes back to the edit.
    bool Pruefe();
    // Checks the stored expression again, as leaving the edit after a visit would (for
    // instance after the record's values changed): the edit shows its new value.
    bool PruefeAusdruck();

    // The expression as the user typed it (or as a module wrote it), at most 295 characters.
    const char* GetFunktion() const { return FunkText; }
    // True from a failed check until the next check or a new text.
    bool HatFehler() const { return Fehler; }
    TTlkFETransStructDef* GetVar() const { return Var; }

    // Evaluates `text` as a function edit with the record `var` (may be null) does. On success
    // `valueText` (100 characters, may be null) gets what the edit shows then and `value`
    // (may be null) the value; without a value to show (a record not yet set) `valueText` is ""
    // and `value` 0: the edit keeps its text. On failure the message box "Eingabefeld" is shown
    // over `owner` and the result is false.
    static bool Auswerten(TWindow* owner, const char* text, TTlkFETransStructDef* var,
                          char* valueText, long double* value = nullptr);

    void SetColor(TDC& dc) override;
    void SetupWindow() override;
    void EvSetFocus(HWND hWndLostFocus) override;
    void EvKillFocus(HWND hWndGetFocus) override;
    bool EvSetCursor(HWND hWndCursor, unsigned hitTest, unsigned mouseMsg) override;
    void EvTimer(unsigned timerId) override;
    // A new text in the edit (from the module or typed): it becomes the function text, unless
    // the check itself writes.
    void EvSetText(const char* text);

protected:
    enum : unsigned { RefocusTimerId = 301 };
    char FunkText[296];
    TTlkFETransStructDef* Var;
    int ShowValue;
    bool Checking = false;
    bool HoverBusy = false;
    bool Fehler = false;
};
