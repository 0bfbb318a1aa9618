// Reads a program's main window through UI Automation as a screen reader
// does, and says exactly what the system's UI Automation could not do: every
// failed call is printed with its HRESULT. It takes the COM client
// (IUIAutomation) where the system has one, else the node functions of
// uiautomationcore.dll (UiaNodeFromHandle, UiaNavigate, UiaGetPropertyValue,
// UiaAddEvent), which are all Wine 8.0 has. The tree is the raw view.
// WINDOW is a program's file name (vorlane.exe) or the start of a window
// title. Prints UTF-8, one tab-separated record a line.
//
//   UiaProbe facts                the system: "wine VERSION", "client API",
//                                 "export FUNCTION yes|no" for what a
//                                 provider resolves from uiautomationcore.dll
//   UiaProbe tree WINDOW [DEPTH]  "element DEPTH TYPE NAME [key=value...]",
//                                 the keys id (AutomationId), focusable,
//                                 help, value, range (value/maximum),
//                                 framework; "end" after the last element
//   UiaProbe watch WINDOW SECS    subscribes to notifications and value
//                                 changes ("listening EVENT"), then prints
//                                 "notification TEXT" and "changed PROPERTY
//                                 VALUE" as they come, until SECS have passed
//                                 or the window is gone; then "end"
//
// "fail CALL HRESULT [MEANING]" says what failed, once for each call; a call
// that has not returned after a while fails with ERROR_TIMEOUT. Exits 0
// when the window was read, 1 when it is not there or could not be read, 2
// on bad usage, 3 on a crash, 4 on a call that never returned.
#include "Utf8Output.h"

#include <windows.h>
#include <ole2.h>
#include <tlhelp32.h>
#include <wrl/client.h>

// Made from Wine's IDL files by tests/wine/build.sh: MinGW's headers lack
// the client interfaces and the node functions.
#include <initguid.h>
#include <uiautomationcore.h>
#include <uiautomationclient.h>
#include <uiautomationcoreapi.h>

#include <atomic>
#include <cstdio>
#include <cwchar>
#include <cwctype>
#include <map>
#include <memory>
#include <mutex>
#include <set>
#include <string>
#include <thread>
#include <vector>

using Microsoft::WRL::ComPtr;

// Windows 10 1709 added it; Wine 8.0's headers only name it.
MIDL_INTERFACE("c7cb2637-e6c2-4d0c-85de-4948c02175c7")
IUIAutomationNotificationEventHandler : public IUnknown
{
    virtual HRESULT STDMETHODCALLTYPE HandleNotificationEvent(IUIAutomationElement *sender, int kind,
                                                              int processing, BSTR displayString,
                                                              BSTR activityId) = 0;
};
__CRT_UUID_DECL(IUIAutomationNotificationEventHandler, 0xc7cb2637, 0xe6c2, 0x4d0c, 0x85, 0xde, 0x49,
                0x48, 0xc0, 0x21, 0x75, 0xc7)

namespace {

constexpr EVENTID notificationEventId = 20035;
// Spelt TreeScope_SubTree by Wine, TreeScope_Subtree by Windows.
constexpr auto subtree = static_cast<TreeScope>(TreeScope_Element | TreeScope_Children | TreeScope_Descendants);
constexpr int unlimitedDepth = 16;
// Calls into another process answer within milliseconds when they answer.
constexpr DWORD callLimitMs = 15000;
// Wine raises this for a function it exports without implementing it.
constexpr DWORD wineStubException = 0x80000100;

// A notification's arguments as UiaAddEvent hands them over.
struct NotificationArgs
{
    EventArgsType type;
    int eventId;
    int kind;
    int processing;
    BSTR displayString;
    BSTR activityId;
};

// ---- Output.

std::wstring clean(std::wstring text)
{
    for (wchar_t &c : text) {
        if (c == L'\t' || c == L'\r' || c == L'\n')
            c = L' ';
    }
    return text;
}

void record(const std::vector<std::wstring> &fields)
{
    std::wstring line;
    for (const std::wstring &field : fields)
        line += (line.empty() ? L"" : L"\t") + clean(field);
    write(line + L"\n");
}

std::wstring hex(HRESULT hr)
{
    wchar_t text[16];
    std::swprintf(text, 16, L"0x%08lX", static_cast<unsigned long>(hr));
    return text;
}

std::wstring wide(const char *ascii)
{
    const std::string text = ascii ? ascii : "";
    return std::wstring(text.begin(), text.end());
}

// The HRESULT's name where it is one UI Automation clients meet, else the
// system's words for it.
std::wstring meaning(HRESULT hr)
{
    static const std::map<HRESULT, const wchar_t *> names = {
        {E_NOTIMPL, L"E_NOTIMPL"},
        {E_NOINTERFACE, L"E_NOINTERFACE"},
        {E_INVALIDARG, L"E_INVALIDARG"},
        {E_POINTER, L"E_POINTER"},
        {E_FAIL, L"E_FAIL"},
        {REGDB_E_CLASSNOTREG, L"REGDB_E_CLASSNOTREG"},
        {static_cast<HRESULT>(UIA_E_ELEMENTNOTAVAILABLE), L"UIA_E_ELEMENTNOTAVAILABLE"},
        {static_cast<HRESULT>(UIA_E_NOTSUPPORTED), L"UIA_E_NOTSUPPORTED"},
    };
    const auto name = names.find(hr);
    if (name != names.end())
        return name->second;
    wchar_t *words = nullptr;
    const DWORD length = FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM
                                            | FORMAT_MESSAGE_IGNORE_INSERTS,
                                        nullptr, static_cast<DWORD>(hr), 0, reinterpret_cast<wchar_t *>(&words),
                                        0, nullptr);
    std::wstring text(words ? words : L"", length);
    LocalFree(words);
    while (!text.empty() && (std::iswspace(text.back()) || text.back() == L'.'))
        text.pop_back();
    return text;
}

// Says that CALL failed with HR and WHAT happened, by default what HR means.
void fail(const std::wstring &call, HRESULT hr, const std::wstring &what = {})
{
    static std::mutex guard;
    static std::set<std::wstring> reported;
    const std::lock_guard<std::mutex> lock(guard);
    if (!reported.insert(call).second)
        return;
    std::vector<std::wstring> fields = {L"fail", call, hex(hr), what.empty() ? meaning(hr) : what};
    if (fields.back().empty())
        fields.pop_back();
    record(fields);
}

std::wstring text(const VARIANT &value)
{
    wchar_t number[32];
    switch (V_VT(&value)) {
    case VT_BSTR:
        return V_BSTR(&value) ? V_BSTR(&value) : L"";
    case VT_I4:
        return std::to_wstring(V_I4(&value));
    case VT_BOOL:
        return V_BOOL(&value) ? L"1" : L"0";
    case VT_R8:
        std::swprintf(number, 32, L"%g", V_R8(&value));
        return number;
    default:
        return L"";
    }
}

LONG WINAPI crashed(EXCEPTION_POINTERS *exception)
{
    const EXCEPTION_RECORD &raised = *exception->ExceptionRecord;
    if (raised.ExceptionCode == wineStubException && raised.NumberParameters >= 2)
        record({L"crash", L"unimplemented " + wide(reinterpret_cast<const char *>(raised.ExceptionInformation[0]))
                              + L"." + wide(reinterpret_cast<const char *>(raised.ExceptionInformation[1]))});
    else
        record({L"crash", hex(static_cast<HRESULT>(raised.ExceptionCode))});
    ExitProcess(3);
}

// ---- Calls that may never return.

// The call into the other program under way, if any, and since when.
class Watchdog
{
public:
    void begin(std::wstring call)
    {
        const std::lock_guard<std::mutex> lock(m_guard);
        m_call = std::move(call);
        m_since = GetTickCount();
        m_busy = true;
    }

    void end()
    {
        const std::lock_guard<std::mutex> lock(m_guard);
        m_busy = false;
    }

    // The call under way for longer than the limit, or nothing.
    std::wstring overdue() const
    {
        const std::lock_guard<std::mutex> lock(m_guard);
        return m_busy && GetTickCount() - m_since > callLimitMs ? m_call : std::wstring();
    }

private:
    mutable std::mutex m_guard;
    std::wstring m_call;
    DWORD m_since = 0;
    bool m_busy = false;
};

Watchdog watchdog;

class Guarded
{
public:
    explicit Guarded(std::wstring call)
    {
        watchdog.begin(std::move(call));
    }

    ~Guarded()
    {
        watchdog.end();
    }

    Guarded(const Guarded &) = delete;
    Guarded &operator=(const Guarded &) = delete;
};

// ---- Finding the window.

bool ranBy(HWND window, const std::wstring &exe)
{
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    const HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    if (snapshot == INVALID_HANDLE_VALUE)
        return false;
    PROCESSENTRY32W entry = {};
    entry.dwSize = sizeof entry;
    bool found = false;
    for (BOOL more = Process32FirstW(snapshot, &entry); more && !found;
         more = Process32NextW(snapshot, &entry))
        found = entry.th32ProcessID == process && _wcsicmp(entry.szExeFile, exe.c_str()) == 0;
    CloseHandle(snapshot);
    return found;
}

bool isExe(const std::wstring &name)
{
    return name.size() > 4 && _wcsicmp(name.c_str() + name.size() - 4, L".exe") == 0;
}

struct Search
{
    std::wstring wanted;
    HWND found = nullptr;
};

// A visible captioned window that is not a dialog box, of the program or
// with the title asked for.
BOOL CALLBACK consider(HWND window, LPARAM search)
{
    auto &s = *reinterpret_cast<Search *>(search);
    wchar_t className[256] = {};
    GetClassNameW(window, className, 256);
    if (!IsWindowVisible(window) || std::wcscmp(className, L"#32770") == 0
        || (GetWindowLongW(window, GWL_STYLE) & WS_CAPTION) != WS_CAPTION)
        return TRUE;
    wchar_t title[1024] = {};
    GetWindowTextW(window, title, 1024);
    const bool match = isExe(s.wanted) ? ranBy(window, s.wanted)
                                       : std::wcsncmp(title, s.wanted.c_str(), s.wanted.size()) == 0;
    if (match)
        s.found = window;
    return !match;
}

HWND findWindow(const std::wstring &wanted)
{
    Search search{wanted};
    EnumWindows(&consider, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

// ---- Elements, through either client API.

class Element
{
public:
    virtual ~Element() = default;
    // VT_EMPTY, or the reserved "not supported" object, when there is none.
    virtual HRESULT property(PROPERTYID id, VARIANT *value) const = 0;
    virtual std::unique_ptr<Element> firstChild() const = 0;
    virtual std::unique_ptr<Element> nextSibling() const = 0;
    // What property() calls, for the failure lines.
    virtual std::wstring propertyCall() const = 0;
};

class Client
{
public:
    virtual ~Client() = default;
    virtual std::wstring name() const = 0;
    virtual std::unique_ptr<Element> fromWindow(HWND window) = 0;
    // Subscribes to notifications and value changes below ROOT, saying
    // "listening EVENT" for each subscription made.
    virtual void subscribe(const Element &root) = 0;
    // Reports what keeps the control view from being walked below ROOT.
    virtual void tryControlView(const Element &) {}
};

class ComElement : public Element
{
public:
    ComElement(ComPtr<IUIAutomationElement> element, ComPtr<IUIAutomationTreeWalker> walker)
        : m_element(std::move(element)), m_walker(std::move(walker))
    {
    }

    HRESULT property(PROPERTYID id, VARIANT *value) const override
    {
        return m_element->GetCurrentPropertyValueEx(id, TRUE, value);
    }

    std::unique_ptr<Element> firstChild() const override
    {
        const wchar_t *call = L"IUIAutomationTreeWalker::GetFirstChildElement";
        const Guarded guard(call);
        ComPtr<IUIAutomationElement> child;
        return wrap(m_walker->GetFirstChildElement(m_element.Get(), &child), child, call);
    }

    std::unique_ptr<Element> nextSibling() const override
    {
        const wchar_t *call = L"IUIAutomationTreeWalker::GetNextSiblingElement";
        const Guarded guard(call);
        ComPtr<IUIAutomationElement> next;
        return wrap(m_walker->GetNextSiblingElement(m_element.Get(), &next), next, call);
    }

    std::wstring propertyCall() const override
    {
        return L"IUIAutomationElement::GetCurrentPropertyValueEx";
    }

    IUIAutomationElement *get() const
    {
        return m_element.Get();
    }

private:
    std::unique_ptr<Element> wrap(HRESULT hr, ComPtr<IUIAutomationElement> element, const wchar_t *call) const
    {
        if (FAILED(hr))
            fail(call, hr);
        if (FAILED(hr) || !element)
            return nullptr;
        return std::make_unique<ComElement>(std::move(element), m_walker);
    }

    ComPtr<IUIAutomationElement> m_element;
    ComPtr<IUIAutomationTreeWalker> m_walker;
};

// Prints what reaches the COM client's event handlers.
class EventPrinter : public IUIAutomationNotificationEventHandler,
                     public IUIAutomationPropertyChangedEventHandler
{
public:
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void **object) override
    {
        if (iid == __uuidof(IUnknown) || iid == __uuidof(IUIAutomationNotificationEventHandler))
            *object = static_cast<IUIAutomationNotificationEventHandler *>(this);
        else if (iid == __uuidof(IUIAutomationPropertyChangedEventHandler))
            *object = static_cast<IUIAutomationPropertyChangedEventHandler *>(this);
        else
            *object = nullptr;
        if (!*object)
            return E_NOINTERFACE;
        AddRef();
        return S_OK;
    }

    // Lives as long as the program.
    ULONG STDMETHODCALLTYPE AddRef() override
    {
        return 2;
    }

    ULONG STDMETHODCALLTYPE Release() override
    {
        return 1;
    }

    HRESULT STDMETHODCALLTYPE HandleNotificationEvent(IUIAutomationElement *, int, int, BSTR displayString,
                                                      BSTR) override
    {
        record({L"notification", displayString ? displayString : L""});
        return S_OK;
    }

    HRESULT STDMETHODCALLTYPE HandlePropertyChangedEvent(IUIAutomationElement *, PROPERTYID id,
                                                         VARIANT value) override
    {
        record({L"changed", std::to_wstring(id), text(value)});
        return S_OK;
    }
};

class ComClient : public Client
{
public:
    explicit ComClient(ComPtr<IUIAutomation> automation) : m_automation(std::move(automation)) {}

    std::wstring name() const override
    {
        return L"IUIAutomation";
    }

    std::unique_ptr<Element> fromWindow(HWND window) override
    {
        ComPtr<IUIAutomationTreeWalker> walker;
        HRESULT hr = m_automation->get_RawViewWalker(&walker);
        if (FAILED(hr)) {
            fail(L"IUIAutomation::get_RawViewWalker", hr);
            return nullptr;
        }
        const Guarded guard(L"IUIAutomation::ElementFromHandle");
        ComPtr<IUIAutomationElement> element;
        hr = m_automation->ElementFromHandle(window, &element);
        if (FAILED(hr) || !element) {
            fail(L"IUIAutomation::ElementFromHandle", FAILED(hr) ? hr : E_POINTER);
            return nullptr;
        }
        return std::make_unique<ComElement>(element, walker);
    }

    void subscribe(const Element &root) override
    {
        IUIAutomationElement *element = static_cast<const ComElement &>(root).get();
        ComPtr<IUIAutomation5> automation5;
        HRESULT hr = m_automation.As(&automation5);
        if (FAILED(hr)) {
            fail(L"QueryInterface(IUIAutomation5)", hr);
        } else {
            const Guarded guard(L"IUIAutomation5::AddNotificationEventHandler");
            hr = automation5->AddNotificationEventHandler(element, subtree, nullptr, &m_printer);
            if (FAILED(hr))
                fail(L"IUIAutomation5::AddNotificationEventHandler", hr);
            else
                record({L"listening", L"notification"});
        }
        const Guarded guard(L"IUIAutomation::AddPropertyChangedEventHandlerNativeArray");
        PROPERTYID value = UIA_ValueValuePropertyId;
        hr = m_automation->AddPropertyChangedEventHandlerNativeArray(element, subtree, nullptr, &m_printer,
                                                                     &value, 1);
        if (FAILED(hr))
            fail(L"IUIAutomation::AddPropertyChangedEventHandlerNativeArray", hr);
        else
            record({L"listening", L"value"});
    }

private:
    ComPtr<IUIAutomation> m_automation;
    EventPrinter m_printer;
};

// The node functions, resolved at run time as a provider resolves its own.
struct NodeApi
{
    decltype(&UiaNodeFromHandle) nodeFromHandle;
    decltype(&UiaNodeRelease) nodeRelease;
    decltype(&UiaNavigate) navigate;
    decltype(&UiaHUiaNodeFromVariant) nodeFromVariant;
    decltype(&UiaGetPropertyValue) getPropertyValue;
    decltype(&UiaAddEvent) addEvent;
};

UiaCondition trueCondition = {ConditionType_True};

UiaCacheRequest elementOnly()
{
    return {&trueCondition, TreeScope_Element, nullptr, 0, nullptr, 0, AutomationElementMode_Full};
}

class NodeElement : public Element
{
public:
    NodeElement(const NodeApi &api, HUIANODE node) : m_api(api), m_node(node) {}

    ~NodeElement() override
    {
        m_api.nodeRelease(m_node);
    }

    NodeElement(const NodeElement &) = delete;
    NodeElement &operator=(const NodeElement &) = delete;

    HRESULT property(PROPERTYID id, VARIANT *value) const override
    {
        return m_api.getPropertyValue(m_node, id, value);
    }

    std::unique_ptr<Element> firstChild() const override
    {
        return step(NavigateDirection_FirstChild, L"UiaNavigate(FirstChild)", &trueCondition);
    }

    std::unique_ptr<Element> nextSibling() const override
    {
        return step(NavigateDirection_NextSibling, L"UiaNavigate(NextSibling)", &trueCondition);
    }

    std::wstring propertyCall() const override
    {
        return L"UiaGetPropertyValue";
    }

    HUIANODE get() const
    {
        return m_node;
    }

    // The first child in the control view, whose condition is IsControlElement.
    void controlViewChild() const
    {
        UiaPropertyCondition control = {ConditionType_Property, UIA_IsControlElementPropertyId, {},
                                        PropertyConditionFlags_None};
        V_VT(&control.Value) = VT_BOOL;
        V_BOOL(&control.Value) = VARIANT_TRUE;
        step(NavigateDirection_FirstChild, L"UiaNavigate(FirstChild, control view)",
             reinterpret_cast<UiaCondition *>(&control));
    }

private:
    std::unique_ptr<Element> step(NavigateDirection direction, const wchar_t *call, UiaCondition *view) const
    {
        UiaCacheRequest request = elementOnly();
        request.pViewCondition = view;
        SAFEARRAY *found = nullptr;
        BSTR tree = nullptr;
        HRESULT hr;
        {
            const Guarded guard(call);
            hr = m_api.navigate(m_node, direction, view, &request, &found, &tree);
        }
        SysFreeString(tree);
        if (FAILED(hr)) {
            fail(call, hr);
            return nullptr;
        }
        return adopt(found);
    }

    // The node in the first cell of a cache request's answer, which holds
    // the one reference to it.
    std::unique_ptr<Element> adopt(SAFEARRAY *found) const
    {
        if (!found)
            return nullptr;
        LONG cell[2] = {0, 0};
        VARIANT value;
        VariantInit(&value);
        HUIANODE node = nullptr;
        HRESULT hr = SafeArrayGetElement(found, cell, &value);
        if (SUCCEEDED(hr) && FAILED(hr = m_api.nodeFromVariant(&value, &node)))
            fail(L"UiaHUiaNodeFromVariant", hr);
        VariantClear(&value);
        SafeArrayDestroy(found);
        if (!node)
            return nullptr;
        return std::make_unique<NodeElement>(m_api, node);
    }

    const NodeApi &m_api;
    HUIANODE m_node;
};

void WINAPI printEvent(UiaEventArgs *args, SAFEARRAY *, BSTR)
{
    if (args->Type == EventArgsType_Notification) {
        const BSTR displayString = reinterpret_cast<NotificationArgs *>(args)->displayString;
        record({L"notification", displayString ? displayString : L""});
    } else if (args->Type == EventArgsType_PropertyChanged) {
        const auto *changed = reinterpret_cast<UiaPropertyChangedEventArgs *>(args);
        record({L"changed", std::to_wstring(changed->PropertyId), text(changed->NewValue)});
    } else {
        record({L"event", std::to_wstring(args->EventId)});
    }
}

class NodeClient : public Client
{
public:
    explicit NodeClient(const NodeApi &api) : m_api(api) {}

    std::wstring name() const override
    {
        return L"uiautomationcore nodes";
    }

    std::unique_ptr<Element> fromWindow(HWND window) override
    {
        HUIANODE node = nullptr;
        HRESULT hr;
        {
            const Guarded guard(L"UiaNodeFromHandle");
            hr = m_api.nodeFromHandle(window, &node);
        }
        if (FAILED(hr) || !node) {
            fail(L"UiaNodeFromHandle", FAILED(hr) ? hr : E_POINTER);
            return nullptr;
        }
        return std::make_unique<NodeElement>(m_api, node);
    }

    void subscribe(const Element &root) override
    {
        const HUIANODE node = static_cast<const NodeElement &>(root).get();
        listen(node, notificationEventId, nullptr, 0, L"notification", L"UiaAddEvent(Notification)");
        PROPERTYID value = UIA_ValueValuePropertyId;
        listen(node, UIA_AutomationPropertyChangedEventId, &value, 1, L"value",
               L"UiaAddEvent(AutomationPropertyChanged, ValueValue)");
    }

    void tryControlView(const Element &root) override
    {
        static_cast<const NodeElement &>(root).controlViewChild();
    }

private:
    void listen(HUIANODE node, EVENTID event, PROPERTYID *properties, int count, const wchar_t *what,
                const wchar_t *call)
    {
        const Guarded guard(call);
        UiaCacheRequest request = elementOnly();
        HUIAEVENT handle = nullptr;
        const HRESULT hr =
            m_api.addEvent(node, event, &printEvent, subtree, properties, count, &request, &handle);
        if (FAILED(hr))
            fail(call, hr);
        else
            record({L"listening", what});
    }

    const NodeApi &m_api;
};

// ---- Reading elements.

const wchar_t *const controlTypes[] = {
    L"Button", L"Calendar", L"CheckBox", L"ComboBox", L"Edit", L"Hyperlink", L"Image", L"ListItem",
    L"List", L"Menu", L"MenuBar", L"MenuItem", L"ProgressBar", L"RadioButton", L"ScrollBar", L"Slider",
    L"Spinner", L"StatusBar", L"Tab", L"TabItem", L"Text", L"ToolBar", L"ToolTip", L"Tree", L"TreeItem",
    L"Custom", L"Group", L"Thumb", L"DataGrid", L"DataItem", L"Document", L"SplitButton", L"Window",
    L"Pane", L"Header", L"HeaderItem", L"Table", L"TitleBar", L"Separator", L"SemanticZoom", L"AppBar"};

std::wstring controlTypeName(const std::wstring &id)
{
    const long index = std::wcstol(id.c_str(), nullptr, 10) - UIA_ButtonControlTypeId;
    if (index >= 0 && index < static_cast<long>(std::size(controlTypes)))
        return controlTypes[index];
    return id.empty() ? L"?" : id;
}

// The property's value as text; false when the element has none or the
// read failed, which is reported.
bool read(const Element &element, PROPERTYID id, const wchar_t *name, std::wstring &out)
{
    const std::wstring call = element.propertyCall() + L"(" + name + L")";
    VARIANT value;
    VariantInit(&value);
    HRESULT hr;
    {
        const Guarded guard(call);
        hr = element.property(id, &value);
    }
    if (FAILED(hr))
        fail(call, hr);
    const bool got = SUCCEEDED(hr) && V_VT(&value) != VT_EMPTY && V_VT(&value) != VT_UNKNOWN;
    if (got)
        out = text(value);
    VariantClear(&value);
    return got;
}

void addField(std::vector<std::wstring> &fields, const Element &element, PROPERTYID id, const wchar_t *name,
              const wchar_t *key)
{
    std::wstring value;
    if (read(element, id, name, value) && !value.empty())
        fields.push_back(std::wstring(key) + L"=" + value);
}

void addRange(std::vector<std::wstring> &fields, const Element &element)
{
    std::wstring value;
    std::wstring maximum;
    const bool gotValue = read(element, UIA_RangeValueValuePropertyId, L"RangeValueValue", value);
    const bool gotMaximum = read(element, UIA_RangeValueMaximumPropertyId, L"RangeValueMaximum", maximum);
    if (gotValue && gotMaximum)
        fields.push_back(L"range=" + value + L"/" + maximum);
}

void printElement(const Element &element, int depth)
{
    std::wstring type;
    std::wstring name;
    read(element, UIA_ControlTypePropertyId, L"ControlType", type);
    read(element, UIA_NamePropertyId, L"Name", name);
    std::vector<std::wstring> fields = {L"element", std::to_wstring(depth), controlTypeName(type), name};
    addField(fields, element, UIA_AutomationIdPropertyId, L"AutomationId", L"id");
    addField(fields, element, UIA_IsKeyboardFocusablePropertyId, L"IsKeyboardFocusable", L"focusable");
    addField(fields, element, UIA_HelpTextPropertyId, L"HelpText", L"help");
    addField(fields, element, UIA_ValueValuePropertyId, L"ValueValue", L"value");
    addRange(fields, element);
    addField(fields, element, UIA_FrameworkIdPropertyId, L"FrameworkId", L"framework");
    record(fields);
}

void printTree(const Element &element, int depth, int maxDepth)
{
    printElement(element, depth);
    if (depth >= maxDepth)
        return;
    for (std::unique_ptr<Element> child = element.firstChild(); child; child = child->nextSibling())
        printTree(*child, depth + 1, maxDepth);
}

// ---- The system's UI Automation.

HMODULE core()
{
    static const HMODULE module = LoadLibraryW(L"uiautomationcore.dll");
    return module;
}

template <typename Function>
bool resolve(Function &function, const char *name)
{
    function = reinterpret_cast<Function>(reinterpret_cast<void *>(GetProcAddress(core(), name)));
    return function != nullptr;
}

bool resolve(NodeApi &api)
{
    return resolve(api.nodeFromHandle, "UiaNodeFromHandle") && resolve(api.nodeRelease, "UiaNodeRelease")
           && resolve(api.navigate, "UiaNavigate") && resolve(api.nodeFromVariant, "UiaHUiaNodeFromVariant")
           && resolve(api.getPropertyValue, "UiaGetPropertyValue") && resolve(api.addEvent, "UiaAddEvent");
}

// The COM client where there is one, else the node functions.
std::unique_ptr<Client> client()
{
    ComPtr<IUIAutomation> automation;
    const HRESULT hr =
        CoCreateInstance(CLSID_CUIAutomation, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(&automation));
    if (SUCCEEDED(hr))
        return std::make_unique<ComClient>(automation);
    fail(L"CoCreateInstance(CUIAutomation)", hr);
    static NodeApi api;
    if (resolve(api))
        return std::make_unique<NodeClient>(api);
    fail(L"GetProcAddress(uiautomationcore.dll node functions)", HRESULT_FROM_WIN32(ERROR_PROC_NOT_FOUND));
    return nullptr;
}

void printFacts()
{
    using WineVersion = const char *(CDECL *)();
    const auto wineVersion = reinterpret_cast<WineVersion>(
        reinterpret_cast<void *>(GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "wine_get_version")));
    if (wineVersion)
        record({L"wine", wide(wineVersion())});
    if (const std::unique_ptr<Client> c = client())
        record({L"client", c->name()});
    // What Qt's provider resolves from uiautomationcore.dll.
    for (const char *name : {"UiaReturnRawElementProvider", "UiaHostProviderFromHwnd", "UiaRaiseAutomationEvent",
                             "UiaRaiseAutomationPropertyChangedEvent", "UiaRaiseNotificationEvent",
                             "UiaClientsAreListening"})
        record({L"export", wide(name), GetProcAddress(core(), name) ? L"yes" : L"no"});
}

// Events come onto this thread through its message queue.
void pumpUntil(HWND window, DWORD seconds)
{
    const DWORD start = GetTickCount();
    MSG message;
    while (IsWindow(window) && GetTickCount() - start < seconds * 1000) {
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE))
            DispatchMessageW(&message);
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 100, QS_ALLINPUT);
    }
}

void watch(Client &c, const Element &root, HWND window, DWORD seconds)
{
    c.subscribe(root);
    using Listening = BOOL(WINAPI *)();
    Listening listening = nullptr;
    if (resolve(listening, "UiaClientsAreListening"))
        record({L"clients-listening", listening() ? L"1" : L"0"});
    pumpUntil(window, seconds);
}

int usage()
{
    std::fprintf(stderr, "usage: UiaProbe facts | tree WINDOW [DEPTH] | watch WINDOW SECS\n");
    return 2;
}

int run(int argc, wchar_t **argv)
{
    const std::wstring mode = argc > 1 ? argv[1] : L"";
    if (mode == L"facts" && argc == 2) {
        printFacts();
        return 0;
    }
    if (!((mode == L"tree" && (argc == 3 || argc == 4)) || (mode == L"watch" && argc == 4)))
        return usage();
    const HWND window = findWindow(argv[2]);
    if (!window) {
        fail(L"no window of " + std::wstring(argv[2]), HRESULT_FROM_WIN32(ERROR_NOT_FOUND));
        return 1;
    }
    const std::unique_ptr<Client> c = client();
    if (!c)
        return 1;
    record({L"client", c->name()});
    const std::unique_ptr<Element> root = c->fromWindow(window);
    if (!root)
        return 1;
    if (mode == L"watch") {
        watch(*c, *root, window, std::wcstoul(argv[3], nullptr, 10));
    } else {
        const int maxDepth = argc == 4 ? std::wcstol(argv[3], nullptr, 10) : unlimitedDepth;
        if (maxDepth > 0)
            c->tryControlView(*root);
        printTree(*root, 0, maxDepth);
    }
    record({L"end"});
    return 0;
}

} // namespace

int wmain(int argc, wchar_t **argv)
{
    SetUnhandledExceptionFilter(&crashed);
    std::atomic<int> status{-1};
    std::thread worker([&] {
        CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
        status = run(argc, argv);
        CoUninitialize();
    });
    // A call stuck in another process cannot be taken back: say which it
    // was and leave.
    while (status < 0) {
        const std::wstring stuck = watchdog.overdue();
        if (!stuck.empty()) {
            fail(stuck, HRESULT_FROM_WIN32(ERROR_TIMEOUT),
                 L"no answer in " + std::to_wstring(callLimitMs / 1000) + L" s");
            ExitProcess(4);
        }
        Sleep(100);
    }
    worker.join();
    return status;
}
