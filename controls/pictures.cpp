#include "pictures.h"

#include "dc.h"
#include "qtbridge.h"
#include "winapi.h"

#include <QFile>
#include <QPainter>
#include <QSvgRenderer>
#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <strings.h>
#include <thread>

namespace fs = std::filesystem;

namespace {

// `name` in `dir`, also when the letter case differs (the pictures' names come from a system
// whose file names ignore case).
std::string FindIn(const fs::path& dir, const std::string& name) {
    std::error_code ec;
    fs::path exact = dir / name;
    if (fs::is_regular_file(exact, ec)) return exact.string();
    // Only a bare name is looked up by its letters; a path with folders must match exactly.
    if (name.find('/') != std::string::npos) return {};
    for (const auto& entry : fs::directory_iterator(dir, ec)) {
        if (strcasecmp(entry.path().filename().c_str(), name.c_str()) == 0 &&
            entry.is_regular_file(ec))
            return entry.path().string();
    }
    return {};
}

void ReportMissing(TWindow* window, const char* file) {
    std::string text = std::string("Datei nicht gefunden:\r ") + (file ? file : "");
    ::MessageBox(window ? window->GetHandle() : nullptr, text.c_str(), "Grafik",
                 MB_OK | MB_ICONSTOP);
}

// Larger pictures than this are not made (a printer page at 600 dpi stays well below).
constexpr int kMaxPicturePixels = 12000;

} // namespace

std::string FindPictureFile(const char* name) {
    if (!name || !*name) return {};
    std::string n = name;
    for (char& c : n)
        if (c == '\\') c = '/';
    if (n.front() == '/') {
        std::error_code ec;
        return fs::is_regular_file(n, ec) ? n : std::string();
    }
    std::string found = FindIn(fs::current_path(), n);
    if (found.empty()) found = FindIn(GetResourceDir(), n);
    return found;
}

// ---- vdMetafile -----------------------------------------------------------------------------

struct TMetafileImpl {
    QSvgRenderer renderer;
    // The picture as last rendered, reused while the size stays.
    TBitmap cache{0, 0};
};

vdMetafile::vdMetafile(TWindow* window, const char* file) : Window(window) {
    const std::string path = FindPictureFile(file);
    auto meta = std::make_unique<TMetafileImpl>();
    if (!path.empty() && meta->renderer.load(QFile::decodeName(path.c_str())) &&
        meta->renderer.isValid())
        Meta = std::move(meta);
    else
        ReportMissing(window, file);
}

vdMetafile::~vdMetafile() = default;

bool vdMetafile::IsOk() const {
    return Meta != nullptr;
}

void vdMetafile::DrawIt(HDC hdc, TRect* target) {
    TDC* dc = TDC::FromHDC(hdc);
    if (!dc || !Meta) return;
    TSize client = Window ? Window->GetClientRect().Size() : TSize();
    if ((client.cx <= 0 || client.cy <= 0) && target) client = target->Size();
    if (client.cx <= 0 || client.cy <= 0) return;
    if (target && (target->Width() == 0 || target->Height() == 0)) return;

    const int mode = dc->GetMapMode();
    const TPoint windowOrg = dc->GetWindowOrg(), viewportOrg = dc->GetViewportOrg();
    const TSize windowExt = dc->GetWindowExt(), viewportExt = dc->GetViewportExt();

    // The picture plays in its own coordinates, the window's client area, mapped onto the
    // target.
    dc->SetMapMode(MM_ANISOTROPIC);
    dc->SetWindowOrg(TPoint(0, 0));
    dc->SetWindowExt(client);
    if (target) {
        dc->SetViewportOrg(TPoint(windowOrg.x + target->left, target->top - windowOrg.y));
        dc->SetViewportExt(target->Size());
    } else {
        dc->SetViewportOrg(TPoint(windowOrg.x, -windowOrg.y));
        dc->SetViewportExt(client);
    }

    TPoint corners[2] = {TPoint(0, 0), TPoint(client.cx, client.cy)};
    dc->LPtoDP(corners, 2);
    const int w = std::min(std::abs(corners[1].x - corners[0].x), kMaxPicturePixels);
    const int h = std::min(std::abs(corners[1].y - corners[0].y), kMaxPicturePixels);
    if (w > 0 && h > 0) {
        TBitmap& cache = Meta->cache;
        if (cache.Width() != w || cache.Height() != h) {
            QImage& image = cache.impl_->image;
            image = QImage(w, h, QImage::Format_ARGB32_Premultiplied);
            image.fill(Qt::transparent);
            QPainter painter(&image);
            painter.setRenderHint(QPainter::Antialiasing);
            Meta->renderer.render(&painter, QRectF(0, 0, w, h));
        }
        dc->DrawBitmap(cache, TRect(0, 0, client.cx, client.cy));
    }

    dc->SetWindowOrg(windowOrg);
    dc->SetViewportOrg(viewportOrg);
    dc->SetWindowExt(windowExt);
    dc->SetViewportExt(viewportExt);
    dc->SetMapMode(mode);
}

void vdMetafile::DrawIt(TRect* target) {
    if (!Window || !Window->IsWindow()) return;
    TPaintDC dc(*Window);
    DrawIt(dc.GetHDC(), target);
}

// ---- TTalkMetaControl -----------------------------------------------------------------------

TTalkMetaControl::TTalkMetaControl(TWindow* parent, int id, int infoId, const char* infoText,
                                   const char* pictureFile, int, TModule* module)
    : TTalkControl(parent, id, infoId, infoText, module),
      Metafile(std::make_unique<vdMetafile>(this, pictureFile)) {}

TTalkMetaControl::~TTalkMetaControl() = default;

void TTalkMetaControl::SetupWindow() {
    TTalkControl::SetupWindow();
    if (RedrawNeighbours) RedrawNextTo();
}

void TTalkMetaControl::EvPaint() {
    TTalkControl::EvPaint();
    TPaintDC dc(*this);
    Metafile->DrawIt(dc.GetHDC(), nullptr);
}

void TTalkMetaControl::RedrawNextTo() {
    QWidget* self = WidgetOf(this);
    QWidget* parent = self ? self->parentWidget() : nullptr;
    if (!parent) return;
    // The picture goes beneath its siblings once; from then on the window system draws every
    // control that overlaps it after the picture, at each repaint.
    self->lower();
    const QRect mine = self->geometry();
    for (QObject* o : parent->children()) {
        auto* sibling = qobject_cast<QWidget*>(o);
        if (sibling && sibling != self && !sibling->isWindow() &&
            sibling->geometry().intersects(mine))
            sibling->update();
    }
}

// ---- vdRunPictControl -----------------------------------------------------------------------

vdRunPictControl::vdRunPictControl(TWindow* parent, int id, int infoId, const char* infoText,
                                   const char* stillPicture, TModule* module)
    : TTalkControl(parent, id, infoId, infoText, module), Alive(std::make_shared<bool>(true)) {
    LoadFrame(0, stillPicture);
}

vdRunPictControl::~vdRunPictControl() {
    *Alive = false;
}

void vdRunPictControl::LoadFrame(int frame, const char* file) {
    Pict[frame].reset();
    Prepared[frame].reset();
    PictCx[frame] = PictCy[frame] = 0;
    if (!file || !*file) return;
    const std::string path = FindPictureFile(file);
    auto bitmap = path.empty() ? nullptr : std::make_unique<TBitmap>(path.c_str());
    if (!bitmap || !bitmap->IsOk()) {
        ReportMissing(this, file);
        return;
    }
    PictCx[frame] = bitmap->Width();
    PictCy[frame] = bitmap->Height();
    Pict[frame] = std::move(bitmap);
}

bool vdRunPictControl::HasFrame(int frame) const {
    return frame >= 0 && frame < MaxFrames && Pict[frame] != nullptr;
}

void vdRunPictControl::SetRunningPicts(const char* first, int stopFrame, const char* p2,
                                       const char* p3, const char* p4, const char* p5,
                                       const char* p6, const char* p7, const char* p8,
                                       const char* p9, const char* p10, const char* p11,
                                       const char* p12, const char* p13, const char* p14,
                                       const char* p15, const char* p16, const char* p17) {
    const char* files[MaxFrames] = {nullptr, first, p2,  p3,  p4,  p5,  p6,  p7,  p8,
                                    p9,      p10,   p11, p12, p13, p14, p15, p16, p17};
    StopPict = stopFrame;
    for (int i = 1; i < MaxFrames; ++i) LoadFrame(i, files[i]);
    // Frames loaded after the preparation ran are prepared at once.
    if (PrepLimit == 255)
        for (int i = 1; i < MaxFrames; ++i)
            if (Pict[i]) {
                SetPictDC(i);
                PrepLimit = 255;
            }
}

void vdRunPictControl::SetPictDC(int frame) {
    if (frame < 0 || frame >= MaxFrames) return;
    PrepLimit = frame;
    Prepared[frame].reset();
    if (!Pict[frame]) return;
    const int cx = PictCx[frame], cy = PictCy[frame];
    auto surface = std::make_unique<TBitmap>(cx, cy);
    {
        TMemoryDC dc(*surface);
        dc.DrawBitmap(*Pict[frame], TRect(0, 0, cx, cy));
        // The picture's background takes the dialog's colour, so that the figure stands on
        // the dialog itself.
        if (cx > 1 && cy > 1) {
            const TColor background = dc.GetPixel(1, 1);
            dc.SelectObject(TBrush(TColor::SysBtnFace));
            dc.ExtFloodFill(1, 1, background, FLOODFILLSURFACE);
        }
    }
    Prepared[frame] = std::move(surface);
}

void vdRunPictControl::ShowPict(int frame) {
    if (frame < 0 || frame >= MaxFrames || frame >= PrepLimit || !Prepared[frame]) return;
    if (!IsWindow()) return;
    TPaintDC dc(*this);
    dc.DrawBitmap(*Prepared[frame], GetClientRect());
    ShownPict = frame;
}

void vdRunPictControl::EvPaint() {
    TTalkControl::EvPaint();
    if (!PrepareStarted) {
        PrepareStarted = true;
        SetTimer(PrepareTimerId, 500);
    }
    ShowPict(Still ? 0 : CurrPict);
}

void vdRunPictControl::EvTimer(unsigned timerId) {
    TTalkControl::EvTimer(timerId);
    if (timerId == PrepareTimerId) {
        KillTimer(PrepareTimerId);
        SetCursor(IDC_WAIT);
        const std::shared_ptr<bool> alive = Alive;
        for (int i = 0; i < MaxFrames; ++i) {
            if (!Pict[i]) continue;
            SetPictDC(i);
            PumpWaitingMessages();
            if (!*alive) break;
        }
        SetCursor(IDC_ARROW);
        if (!*alive) return;
        PrepLimit = 255;
        Invalidate();
    } else if (timerId == RunTimerId) {
        const int next = CurrPict + 1;
        CurrPict = next < MaxFrames && Pict[next] ? next : 2;
        ShowPict(CurrPict);
    }
}

void vdRunPictControl::StartRunning(unsigned interval) {
    Still = false;
    if (Running) return;
    Interval = interval;
    SetTimer(RunTimerId, interval);
    Running = true;
}

bool vdRunPictControl::StopFrameReachable() const {
    if (StopPict < 2 || StopPict >= MaxFrames) return false;
    for (int i = 2; i <= StopPict; ++i)
        if (!Pict[i]) return false;
    return IsWindow();
}

void vdRunPictControl::StopRunning(bool immediate) {
    SetCursor(IDC_WAIT);
    if (!immediate && Running && StopFrameReachable()) {
        // The animation goes on until the stop frame has been shown; a stop frame the cycle
        // can reach comes round within one cycle, so the wait is bounded.
        const std::shared_ptr<bool> alive = Alive;
        const unsigned long start = GetTickCount();
        const unsigned long limit = (unsigned long)(Interval) * (MaxFrames + 2) + 2000;
        while (*alive && CurrPict != StopPict && IsWindow() && GetTickCount() - start < limit) {
            PumpWaitingMessages();
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
        if (!*alive) {
            SetCursor(IDC_ARROW);
            return;
        }
        ShowPict(1);
        CurrPict = 1;
    }
    KillTimer(RunTimerId);
    Running = false;
    SetCursor(IDC_ARROW);
}

// ---- TTalkButtonMeta ------------------------------------------------------------------------

TTalkButtonMeta::TTalkButtonMeta(TWindow* parent, int id, const char*, int infoId,
                                 const char* infoText, const char* altCaption,
                                 const char* altInfoText, TModule* module)
    : TTalkButton(parent, id, infoId, infoText, altCaption, altInfoText, module) {}
