// The base of every dialog window: one static procedure stores the window's
// object at WM_INITDIALOG, offers each message to the host's dialog message
// handler first (where the window has one), dispatches to small named
// handlers and catches every exception at the boundary.
#pragma once

#include <windows.h>

#include <memory>

#include "win/host_interface.h"

namespace coverhall {

class DialogBase {
  public:
    DialogBase() = default;
    virtual ~DialogBase() = default;
    DialogBase(const DialogBase&) = delete;
    DialogBase& operator=(const DialogBase&) = delete;

    // A modeless dialog that owns its object: the object is deleted when the
    // window is. Null (and the object gone) when the window cannot be made.
    static HWND createModeless(std::unique_ptr<DialogBase> dialog, HINSTANCE instance,
                               int templateId, HWND parent);
    // A modal dialog on this object; DialogBoxParamA's result.
    INT_PTR runModal(HINSTANCE instance, int templateId, HWND owner);

    // The dialog window; null before WM_INITDIALOG and after WM_NCDESTROY.
    HWND window() const { return window_; }
    // The object of a window made by this base, or null.
    static DialogBase* of(HWND window);

  protected:
    // Each handler's result is the procedure's: FALSE leaves the message to
    // the default dialog handling.
    virtual INT_PTR onInitDialog() { return TRUE; }
    virtual INT_PTR onCommand(int /*id*/, int /*code*/, HWND /*control*/) { return FALSE; }
    // Answer through setMessageResult and return TRUE where a result counts.
    virtual INT_PTR onNotify(NMHDR& /*header*/) { return FALSE; }
    virtual INT_PTR onTimer(UINT_PTR /*id*/) { return FALSE; }
    virtual INT_PTR onSize(UINT /*type*/, int /*width*/, int /*height*/) { return FALSE; }
    virtual INT_PTR onPaint() { return FALSE; }
    virtual INT_PTR onDestroy() { return FALSE; }
    // Every other message.
    virtual INT_PTR onOtherMessage(UINT /*message*/, WPARAM, LPARAM) { return FALSE; }
    // The host's dialog message handler, offered every message first.
    virtual HostDialogHook hostHook() const { return nullptr; }

    // The notification result of the message being handled (DWLP_MSGRESULT).
    void setMessageResult(LRESULT result) const;

  private:
    static INT_PTR CALLBACK procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    INT_PTR dispatch(UINT message, WPARAM wParam, LPARAM lParam);
    // Forgets the window; deletes the object when the window owned it.
    static void release(DialogBase* dialog);

    HWND window_ = nullptr;
    bool ownedByWindow_ = false;
    bool* adopted_ = nullptr;  // set at WM_INITDIALOG while createModeless waits
};

}  // namespace coverhall
