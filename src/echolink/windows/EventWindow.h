#pragma once

#include "EchoLinkEvent.h"

#include <windows.h>

#include <functional>
#include <memory>

class EchoLinkEvents;

// A hidden message-only window on the binding's thread. EchoLink's events
// are posted to it and reach the receiver from the message loop, so never
// inside a COM call or a binding call. It outlives the binding when the
// binding is released from inside an event: the teardown then waits until
// that event's callback has returned.
class EventWindow
{
public:
    // Throws ComError when the window cannot be created.
    explicit EventWindow(EchoLinkEvents &receiver);
    EventWindow(const EventWindow &) = delete;
    EventWindow &operator=(const EventWindow &) = delete;

    HWND handle() const { return window_; }

    // Safe from any thread; the event is dropped when the window is gone.
    static void post(HWND window, std::unique_ptr<EchoLinkEvent> event);

    // Stops delivering, then runs teardown and destroys the window: now, or
    // when the callback in progress returns. The object is gone afterwards.
    void closeAfterCallbacks(std::function<void()> teardown);

private:
    ~EventWindow();
    static LRESULT CALLBACK procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    void deliver(std::unique_ptr<EchoLinkEvent> event);
    void close();

    HWND window_ = nullptr;
    EchoLinkEvents *receiver_;
    int callbackDepth_ = 0;
    std::function<void()> teardown_;
};
