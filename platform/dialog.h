// TDialog: a window whose layout comes from a dialog resource (TDlgResource) of a module.
// Execute() runs it modally and returns what CloseWindow/Destroy was given; Create() shows it
// modeless. The child controls of the layout exist from Create() on; control objects bound to
// their ids (TButton, TEdit, …) may be constructed before that and attach then.
//
// Keys as in a Windows dialog: Enter presses the focused push button or else the default button
// (BS_DEFPUSHBUTTON, else an enabled IDOK); Escape sends IDCANCEL unless the control IDCANCEL is
// disabled; Tab moves the focus. Accelerators (AddAccelerator) are looked at first.
#pragma once

#include "window.h"

struct TDlgResource;

class TDialog : public TWindow {
public:
    TDialog(TWindow* parent, TResId resId, TModule* module = nullptr);
    // A dialog with a layout of its own instead of a registered one.
    TDialog(TWindow* parent, const TDlgResource& layout, TModule* module = nullptr);
    ~TDialog() override;

    bool Create() override;
    int Execute();
    void CloseWindow(int retVal = IDCANCEL) override;
    void Destroy(int retVal = IDCANCEL) override;
    void EvCommand(unsigned id, HWND hWndCtl, unsigned notifyCode) override;

    // IDOK: closes with IDOK when CanClose() agrees. IDCANCEL: closes with IDCANCEL.
    virtual void CmOk();
    virtual void CmCancel();

    // A key (VK_…, `keypad` for the numeric keypad's keys) that sends command `id` as a click.
    void AddAccelerator(int virtualKey, int id);
    // Command id of the accelerator for the key, or 0.
    int FindAccelerator(int virtualKey) const;

    bool IsModal() const { return modal_; }
    TResId GetResId() const { return resId_; }
    // Dialog units to pixels through this dialog's font.
    void MapDialogRect(TRect& rect) const;
    const TDlgResource* GetLayout() const;

private:
    TResId resId_ = 0;
    std::unique_ptr<TDlgResource> ownLayout_;
    std::map<int, int> accelerators_;
    bool modal_ = false;
};
