// The application object and the frame window of the suite's programs: the frame remembers its
// place and size in a settings file, counts the open frames there, and can be fixed in size; the
// application finds the program directory, places the first frame and installs the dialog
// keyboard filter (F1 presses the "&Hilfe" button, id 302, of the active dialog).
#pragma once

#include "application.h"
#include "frame.h"

#include <string>

// What the placement depends on besides the settings file, in pixels.
struct TScreenMetrics {
    int screenCx = 0, screenCy = 0; // screen width and height
    int captionCy = 0;              // caption height
    int borderCy = 0;               // border height
    // The screen as the layer reports it.
    static TScreenMetrics Current();
    // High captions keep their own key set ("lx", "ly", "lcx", "lcy").
    bool HighCaption() const { return captionCy - borderCy > 19; }
};

// Where a frame opens: the stored placement of the settings file `iniPath`, moved down and right
// by one caption height while another frame is open, and pulled back onto the screen.
TRect CalcFramePlacement(const char* iniPath, const TScreenMetrics& metrics);

// Stores `placement` (unless the frame is minimised or maximised) and "Zoom" in `iniPath`.
bool StoreFramePlacement(const char* iniPath, const TRect& placement, bool minimized,
                         bool maximized, const TScreenMetrics& metrics);

class TMainFrame : public TDecoratedFrame {
public:
    TMainFrame(const char* iniPath, TWindow* parent, const char* title, TWindow* client,
               bool trackMenuSelection = false, bool fixedFrame = false, TModule* module = nullptr);
    ~TMainFrame() override;

    bool Create() override;
    void SetupWindow() override;
    // The frame stops counting itself as open when its window goes.
    void CleanupWindow() override;
    unsigned EvNCHitTest(const TPoint& screenPoint) override;
    void EvActivate(bool active) override;
    void EvSize(unsigned sizeType, const TSize& size) override;
    void EvMove(const TPoint& clientOrigin) override;
    // Writes the frame's placement into the settings file.
    void AktualIni();

    const char* GetIniPath() const { return IniPath; }
    bool IsFixedFrame() const { return FixedFrame; }

protected:
    char IniPath[251];
    bool FixedFrame;
    bool Counted = false;
};

class TMainApp : public TApplication {
public:
    TMainApp(int& argc, char** argv, const char* name = "Orvelin");
    ~TMainApp() override;

    bool IstOk() { return true; }
    // $TEMP, else $TMP, else "/tmp/"; always ending in "/". `size` is the buffer's size.
    char* GetTempDir(char* buffer, unsigned size = 300);
    // The current directory with a trailing "/".
    char* GetProgDir(char* buffer, unsigned size = 300);
    // The program directory followed by `IniIn`.
    char* GetIniPath(char* buffer, const char* IniIn, unsigned size = 300);
    // [Bildkoordinaten] "3d" starts with "J".
    bool Is3d(const char* IniPathIn);
    // Sets the frame's initial place and size from the settings file.
    virtual void IniData(TMainFrame* frame, const char* IniPathIn);
    // Start-up: with `searchPath`, changes into the installation's program directory unless
    // [Programm] `WhichIniB` of the file `WhichIni` says "J"; then installs the keyboard filter.
    // Ends the program when the program directory cannot be found.
    void InitMainWindow(bool searchPath, const char* WhichIni, const char* WhichIniB);

protected:
    std::string Name; // the launcher's title, caption of the start-up message
};

class TMain3dApp : public TMainApp {
public:
    using TMainApp::TMainApp;
    void IniData(TMainFrame* frame, const char* IniPathIn) override;
};

// The installation's program directory into `path` (300 characters); false when none.
bool OrvlSearchPath(char* path);
