#include "EventWindow.h"

#include "com/ComError.h"
#include "EchoLinkEvents.h"

namespace {

const wchar_t windowClassName[] = L"VorlaneEchoLinkEvents";
const UINT eventMessage = WM_APP + 1;

} // namespace

EventWindow::EventWindow(EchoLinkEvents &receiver)
    : receiver_(&receiver)
{
    const HINSTANCE instance = GetModuleHandleW(nullptr);
    WNDCLASSEXW windowClass = {};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = &EventWindow::procedure;
    windowClass.hInstance = instance;
    windowClass.lpszClassName = windowClassName;
    if (!RegisterClassExW(&windowClass) && GetLastError() != ERROR_CLASS_ALREADY_EXISTS)
        throw ComError(HRESULT_FROM_WIN32(GetLastError()), "RegisterClassEx");

    window_ = CreateWindowExW(0, windowClassName, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                              instance, nullptr);
    if (!window_)
        throw ComError(HRESULT_FROM_WIN32(GetLastError()), "CreateWindowEx");
    SetWindowLongPtrW(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
}

EventWindow::~EventWindow() = default;

void EventWindow::post(HWND window, std::unique_ptr<EchoLinkEvent> event)
{
    if (PostMessageW(window, eventMessage, 0, reinterpret_cast<LPARAM>(event.get())))
        event.release();
}

void EventWindow::closeAfterCallbacks(std::function<void()> teardown)
{
    receiver_ = nullptr;
    teardown_ = std::move(teardown);
    if (callbackDepth_ == 0)
        close();
}

LRESULT CALLBACK EventWindow::procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    auto *self = reinterpret_cast<EventWindow *>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (message == eventMessage) {
        std::unique_ptr<EchoLinkEvent> event(reinterpret_cast<EchoLinkEvent *>(lParam));
        if (self)
            self->deliver(std::move(event));
        return 0;
    }
    if (message == WM_NCDESTROY && self) {
        // Events still queued die with the window.
        MSG pending;
        while (PeekMessageW(&pending, window, eventMessage, eventMessage, PM_REMOVE))
            delete reinterpret_cast<EchoLinkEvent *>(pending.lParam);
        SetWindowLongPtrW(window, GWLP_USERDATA, 0);
        delete self;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

void EventWindow::deliver(std::unique_ptr<EchoLinkEvent> event)
{
    if (!receiver_)
        return;
    ++callbackDepth_;
    try {
        event->deliverTo(*receiver_);
    } catch (...) {
        // Event handlers leave silently; nothing may unwind through the
        // window procedure.
    }
    if (--callbackDepth_ == 0 && teardown_)
        close();
}

void EventWindow::close()
{
    const auto teardown = std::move(teardown_);
    teardown_ = nullptr;
    if (teardown)
        teardown();
    DestroyWindow(window_); // deletes this
}
