// Talking controls: each control of a module dialog carries a short German info text and shows
// it in the dialog's info field (a static text, id 216 in most dialogs) or in the status bar of
// a framed window whenever the mouse is over it or, for most kinds, when it takes the focus.
//
// The objects are made in the dialog's constructor and attach to the controls of the dialog's
// layout by id when the dialog is created:
//     new TTalkButton(this, 201, 216, "Drücken Sie 'Berechne...', um ...", "", "");
//     new TTalkEdit(this, 1101, 2, 216, "Geben Sie ...", "0", 251);
// Texts are Windows-1252. Each class keeps its own info text, cut to the class's limit.
#pragma once

#include "controls.h"
#include "frame.h"

class TDC;

// The status bar of the suite's frame windows. The controls hand it their info text as hint
// text; HoleText reads back what it shows.
class TExtStatusBar : public TStatusBar {
public:
    TExtStatusBar(TWindow* parent = nullptr, TBorderStyle style = Recessed,
                  unsigned modeIndicators = 0, TFont* font = nullptr, TModule* module = nullptr);
    // Copies the text of the message area (at most 199 characters, "" when none is shown) into
    // `buffer`, which must hold 200 characters, and returns `buffer`.
    char* HoleText(char* buffer);
};

// Any control of the layout (check box, group box, frame, …).
class TTalkControl : public TControl {
public:
    TTalkControl(TWindow* parent, int id, int infoId, const char* infoText,
                 TModule* module = nullptr);
    // Shows the info text now.
    virtual void SetInfo();
    // A non-empty `text` first replaces the info text (cut to 250 characters).
    void SetInfo(const char* text);
    void SetStatusBar(TExtStatusBar* bar) { StatusBar = bar; }
    bool EvSetCursor(HWND hWndCursor, unsigned hitTest, unsigned mouseMsg) override;
    unsigned EvNCHitTest(const TPoint& screenPoint) override;

protected:
    char InfoText[251];
    int InfoId;
    TExtStatusBar* StatusBar = nullptr;
};

// An edit with a coloured frame (0 navy, 1 maroon, 2 green) and a fill text that it shows
// again whenever it is left empty.
class TTalkEdit : public TEdit {
public:
    TTalkEdit(TWindow* parent, int id, int colorIndex, int infoId, const char* infoText,
              const char* fillText, unsigned textLimit, TModule* module = nullptr);
    // For frame windows without an info field: the info text goes to `bar`.
    TTalkEdit(TWindow* parent, int id, int colorIndex, TExtStatusBar* bar, const char* infoText,
              const char* fillText, unsigned textLimit, TModule* module = nullptr);
    virtual void SetInfo();
    void SetStatusBar(TExtStatusBar* bar) { StatusBar = bar; }
    // Selects the pen of the frame colour (any other index leaves the pen as it is).
    virtual void SetColor(TDC& dc);
    const char* GetFillText() const { return FillText; }

    bool EvSetCursor(HWND hWndCursor, unsigned hitTest, unsigned mouseMsg) override;
    void EvSetFocus(HWND hWndLostFocus) override;
    void EvKillFocus(HWND hWndGetFocus) override;
    void EvPaint() override;

protected:
    char InfoText[201];
    char FillText[201];
    int InfoId;
    int ColorIndex;
    TExtStatusBar* StatusBar = nullptr;
};

// A push button. While its caption equals the alternative caption (letter case aside) it shows
// the alternative info text: toggle buttons whose caption changes tell what they do next. An
// empty alternative caption means the button has no alternative.
class TTalkButton : public TButton {
public:
    TTalkButton(TWindow* parent, int id, int infoId, const char* infoText, const char* altCaption,
                const char* altInfoText, TModule* module = nullptr);
    virtual void SetInfo();
    void SetStatusBar(TExtStatusBar* bar) { StatusBar = bar; }
    // The info text that SetInfo would show now.
    const char* CurrentInfoText() const;

    bool EvSetCursor(HWND hWndCursor, unsigned hitTest, unsigned mouseMsg) override;
    void EvSetFocus(HWND hWndLostFocus) override;

protected:
    char InfoText[301];
    char AltCaption[300];
    char AltInfoText[300];
    int InfoId;
    TExtStatusBar* StatusBar = nullptr;
};

// A colour swatch button: scheme 0 blue, 1 red, 2 green, painted over the whole face.
class TTalkButtonP : public TTalkButton {
public:
    TTalkButtonP(TWindow* parent, int id, int schemeIndex, int infoId, const char* infoText,
                 const char* altCaption, const char* altInfoText, TModule* module = nullptr);
    // The light pen, the dark pen and the face brush of the scheme.
    void SetColor1(TDC& dc);
    void SetColor2(TDC& dc);
    void SetColor3(TDC& dc);

    void EvPaint() override;
    void EvLButtonDown(unsigned modKeys, const TPoint& point) override;
    void EvLButtonUp(unsigned modKeys, const TPoint& point) override;

protected:
    void PaintFace(TDC& dc);
    int SchemeIndex;
};

// A combo box whose open list closes 15 seconds after the last mouse move over it, and when it
// loses the focus.
class TTalkComboBox : public TComboBox {
public:
    enum : unsigned { CloseTimerId = 300, CloseDelay = 15000 };
    TTalkComboBox(TWindow* parent, int id, int infoId, const char* infoText, unsigned textLimit,
                  TModule* module = nullptr);
    virtual void SetInfo();
    void SetStatusBar(TExtStatusBar* bar) { StatusBar = bar; }

    bool EvSetCursor(HWND hWndCursor, unsigned hitTest, unsigned mouseMsg) override;
    void EvSetFocus(HWND hWndLostFocus) override;
    void EvKillFocus(HWND hWndGetFocus) override;
    void EvMouseMove(unsigned modKeys, const TPoint& point) override;
    void EvActivate(bool active) override;
    void EvTimer(unsigned timerId) override;

protected:
    char InfoText[201];
    int InfoId;
    TExtStatusBar* StatusBar = nullptr;
};

class TTalkListBox : public TListBox {
public:
    TTalkListBox(TWindow* parent, int id, int infoId, const char* infoText,
                 TModule* module = nullptr);
    virtual void SetInfo();
    bool EvSetCursor(HWND hWndCursor, unsigned hitTest, unsigned mouseMsg) override;
    void EvSetFocus(HWND hWndLostFocus) override;

protected:
    char InfoText[101];
    int InfoId;
};

class TTalkRadioButton : public TRadioButton {
public:
    TTalkRadioButton(TWindow* parent, int id, int infoId, const char* infoText,
                     TGroupBox* group = nullptr, TModule* module = nullptr);
    virtual void SetInfo();
    bool EvSetCursor(HWND hWndCursor, unsigned hitTest, unsigned mouseMsg) override;
    void EvSetFocus(HWND hWndLostFocus) override;

protected:
    char InfoText[300];
    int InfoId;
};

// A static text never takes the focus; it talks when the mouse passes over it.
class TTalkStatic : public TStatic {
public:
    TTalkStatic(TWindow* parent, int id, int infoId, const char* infoText, unsigned textLimit,
                TModule* module = nullptr);
    virtual void SetInfo();
    void SetStatusBar(TExtStatusBar* bar) { StatusBar = bar; }
    unsigned EvNCHitTest(const TPoint& screenPoint) override;

protected:
    char InfoText[201];
    int InfoId;
    TExtStatusBar* StatusBar = nullptr;
};

// Comparison of two Windows-1252 texts without regard to letter case (also for the accented
// letters), as the controls compare their info text with what a field shows.
int CompareNoCase(const char* a, const char* b);
