#include "win/dialog_base.h"

#include <utility>

#include "win/debug_trace.h"

namespace coverhall {

HWND DialogBase::createModeless(std::unique_ptr<DialogBase> dialog, HINSTANCE instance,
                                int templateId, HWND parent) {
    if (!dialog) return nullptr;
    // From WM_INITDIALOG on the window owns the object and deletes it with
    // itself; a window that never got that far leaves it to us.
    bool adopted = false;
    DialogBase* object = dialog.release();
    object->ownedByWindow_ = true;
    object->adopted_ = &adopted;
    HWND window = CreateDialogParamA(instance, MAKEINTRESOURCEA(templateId), parent, procedure,
                                     reinterpret_cast<LPARAM>(object));
    if (!adopted) delete object;
    return window;
}

INT_PTR DialogBase::runModal(HINSTANCE instance, int templateId, HWND owner) {
    ownedByWindow_ = false;
    return DialogBoxParamA(instance, MAKEINTRESOURCEA(templateId),
                           owner && IsWindow(owner) ? owner : nullptr, procedure,
                           reinterpret_cast<LPARAM>(this));
}

DialogBase* DialogBase::of(HWND window) {
    if (!window || GetWindowLongPtrA(window, DWLP_DLGPROC) !=
                       reinterpret_cast<LONG_PTR>(&DialogBase::procedure))
        return nullptr;
    return reinterpret_cast<DialogBase*>(GetWindowLongPtrA(window, DWLP_USER));
}

void DialogBase::setMessageResult(LRESULT result) const {
    if (window_) SetWindowLongPtrA(window_, DWLP_MSGRESULT, result);
}

void DialogBase::release(DialogBase* dialog) {
    SetWindowLongPtrA(dialog->window_, DWLP_USER, 0);
    dialog->window_ = nullptr;
    if (dialog->ownedByWindow_) delete dialog;
}

INT_PTR CALLBACK DialogBase::procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* dialog = reinterpret_cast<DialogBase*>(GetWindowLongPtrA(window, DWLP_USER));
    if (message == WM_INITDIALOG && !dialog) {
        dialog = reinterpret_cast<DialogBase*>(lParam);
        if (!dialog) return FALSE;
        dialog->window_ = window;
        SetWindowLongPtrA(window, DWLP_USER, lParam);
        if (dialog->adopted_) *std::exchange(dialog->adopted_, nullptr) = true;
    }
    if (!dialog) return FALSE;  // messages before WM_INITDIALOG
    INT_PTR result = FALSE;
    try {
        HostDialogHook hook = dialog->hostHook();
        const INT_PTR hooked = hook ? hook(window, message, wParam, lParam) : 0;
        result = hooked ? hooked : dialog->dispatch(message, wParam, lParam);
    } catch (...) {
        // Nothing may reach the host; the message falls back to the default.
        traceCurrentException("dialog message failed");
        result = FALSE;
    }
    if (message == WM_NCDESTROY) release(dialog);
    return result;
}

INT_PTR DialogBase::dispatch(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_INITDIALOG:
            return onInitDialog();
        case WM_COMMAND:
            return onCommand(LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HWND>(lParam));
        case WM_NOTIFY:
            return lParam ? onNotify(*reinterpret_cast<NMHDR*>(lParam)) : FALSE;
        case WM_TIMER:
            return onTimer(wParam);
        case WM_SIZE:
            return onSize(static_cast<UINT>(wParam), LOWORD(lParam), HIWORD(lParam));
        case WM_PAINT:
            return onPaint();
        case WM_DESTROY:
            return onDestroy();
        default:
            return onOtherMessage(message, wParam, lParam);
    }
}

}  // namespace coverhall
