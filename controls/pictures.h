// Pictures of the module dialogs: frame pictures (".vdm" files, SVG documents) drawn behind a
// group of controls, and small animations of bitmap frames (".VDB" files) that play while a long
// search runs. Picture files are looked for in the current directory (the program directory)
// first, then in the resource directory of the installation.
#pragma once

#include "talk.h"

#include <memory>
#include <string>

struct TMetafileImpl;

// The full path of picture `name`: in the current directory if it is there, else in the
// resource directory; "" when it is in neither.
std::string FindPictureFile(const char* name);

// A frame picture. A file that cannot be loaded is reported ("Datei nicht gefunden:") and then
// draws nothing.
class vdMetafile {
public:
    vdMetafile(TWindow* window, const char* file);
    ~vdMetafile();
    vdMetafile(const vdMetafile&) = delete;
    vdMetafile& operator=(const vdMetafile&) = delete;

    bool IsOk() const;
    // Draws the picture into `dc`, stretched to `target` (device units of the DC's current
    // origin), or to the window's whole client area when `target` is null. The DC's mapping is
    // the same afterwards.
    void DrawIt(HDC dc, TRect* target = nullptr);
    // The same on the window itself.
    void DrawIt(TRect* target = nullptr);

private:
    TWindow* Window;
    std::unique_ptr<TMetafileImpl> Meta;
};

// A picture over the whole client area of a control of the layout; the controls lying on it
// stay visible.
class TTalkMetaControl : public TTalkControl {
public:
    TTalkMetaControl(TWindow* parent, int id, int infoId, const char* infoText,
                     const char* pictureFile, int unused = 0, TModule* module = nullptr);
    ~TTalkMetaControl() override;
    void SetupWindow() override;
    void EvPaint() override;
    // Keeps the controls that overlap this picture drawn over it.
    void RedrawNextTo();

protected:
    std::unique_ptr<vdMetafile> Metafile;
    bool RedrawNeighbours = true;
};

class TBitmap;
class TDC;

// An animation: frame 0 is the still picture shown until the animation first runs; frames 1 to
// 17 are set by SetRunningPicts. Running cycles through frames 2 up to the last loaded one;
// stopping shows frame 1.
class vdRunPictControl : public TTalkControl {
public:
    enum : int { MaxFrames = 18 };
    enum : unsigned { PrepareTimerId = 570, RunTimerId = 565 };

    vdRunPictControl(TWindow* parent, int id, int infoId, const char* infoText,
                     const char* stillPicture, TModule* module = nullptr);
    ~vdRunPictControl() override;

    // `first` for frame 1, the frame at which a soft stop ends, then the files of frames 2 to 17
    // (empty names leave a frame empty).
    void SetRunningPicts(const char* first, int stopFrame, const char* p2, const char* p3,
                         const char* p4, const char* p5, const char* p6, const char* p7,
                         const char* p8, const char* p9, const char* p10, const char* p11,
                         const char* p12, const char* p13, const char* p14, const char* p15,
                         const char* p16, const char* p17);
    void StartRunning(unsigned interval);
    // Without `immediate` a running animation goes on until the stop frame has been shown, then
    // frame 1 is shown; with it the animation stops at once on the frame it shows.
    void StopRunning(bool immediate);

    void EvPaint() override;
    void EvTimer(unsigned timerId) override;
    // Prepares frame `frame` for showing (background in the dialog's colour).
    void SetPictDC(int frame);
    // Shows frame `frame` if it is prepared.
    void ShowPict(int frame);

    bool IsRunning() const { return Running; }
    int GetCurrentFrame() const { return CurrPict; }
    int GetStopFrame() const { return StopPict; }
    int GetPreparedLimit() const { return PrepLimit; }
    // The frame drawn last, -1 before any.
    int GetShownFrame() const { return ShownPict; }
    bool HasFrame(int frame) const;

protected:
    void LoadFrame(int frame, const char* file);
    // Whether a soft stop can ever reach the stop frame.
    bool StopFrameReachable() const;

    std::unique_ptr<TBitmap> Pict[MaxFrames];
    std::unique_ptr<TBitmap> Prepared[MaxFrames];
    int PictCx[MaxFrames] = {};
    int PictCy[MaxFrames] = {};
    int StopPict = 2;
    int CurrPict = 1;
    int PrepLimit = -1;
    unsigned Interval = 1000;
    bool Running = false;
    bool Still = true;
    bool PrepareStarted = false;
    int ShownPict = -1;
    std::shared_ptr<bool> Alive;
};

// A button that names a picture; it behaves as TTalkButton (the picture name is not used).
class TTalkButtonMeta : public TTalkButton {
public:
    TTalkButtonMeta(TWindow* parent, int id, const char* pictureName, int infoId,
                    const char* infoText, const char* altCaption, const char* altInfoText,
                    TModule* module = nullptr);
};
