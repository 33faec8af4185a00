// The print job and the text-form helpers of the printing library.
//
// A module prints one report like this: it creates a vdPrint, shows the print dialog
// vdMainPrintDlg over it (the dialog chooses the printer, shows the preview and attaches the
// printout that calls the module's CurrPrintout), and when the dialog ends with IDOK calls
// PrintIt. The page is drawn in tenths of a millimetre and fitted to the paper.
#pragma once

class TWindow;
class vdPrinter;
class vdPrintout;

class vdPrint {
public:
    vdPrint();
    ~vdPrint();
    vdPrint(const vdPrint&) = delete;
    vdPrint& operator=(const vdPrint&) = delete;

    // Prints the attached printout for `window` without asking the user again. A failure is
    // reported to the user ("Drucken"); the result tells whether the page was printed.
    bool PrintIt(TWindow* window);
    // The printer's current print data error (also stored).
    int GetErrCode();

    // Used by the print dialog.
    vdPrinter* GetPrinter() const { return Printer; }
    void SetPrinter(vdPrinter* printer); // takes ownership, deletes the previous one
    vdPrintout* GetPrintout() const { return Printout; }
    void SetPrintout(vdPrintout* printout); // takes ownership
    void SetFit(int heightFit, float factor) { HeightFit = heightFit, FitFactor = factor; }
    int GetHeightFit() const { return HeightFit; }
    float GetFitFactor() const { return FitFactor; }

protected:
    vdPrinter* Printer = nullptr;
    int ErrCode = 0;
    vdPrintout* Printout = nullptr;
    int HeightFit = 1;
    float FitFactor = 1.0f;
};

// A text to be printed in lines of a given length. The text is not copied: it must outlive the
// object. Texts longer than 2500 characters are refused (error 1).
class vdFormOutput {
public:
    enum : int { MaxText = 2500 };
    vdFormOutput(const char* text, int lineLength);
    virtual ~vdFormOutput() = default;
    // 0 fine, 1 text too long, 2 a requested line was empty (stays set).
    int GetErr() const { return Err; }
    // Line `n` (from 1) into `buffer`, which must hold MaxText characters. The base class has no
    // rule of its own and gives an empty text.
    virtual char* GetLine(char* buffer, int n);

protected:
    const char* Text;
    int LineLength;
    int Err = 0;
};

// A function text broken before (or after ")" and "^") an operator once a line is full; a long
// run without operators is broken ten characters after the line's end.
class vdFormFuncOutput : public vdFormOutput {
public:
    vdFormFuncOutput(const char* text, int lineLength);
    char* GetLine(char* buffer, int n) override;
};
