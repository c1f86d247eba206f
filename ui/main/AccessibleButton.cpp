#include "main/AccessibleButton.h"

#include "main/ActiveAccessibility.h"

namespace {


bool IsSelf(const VARIANT& child)
{
    return child.vt == VT_I4 && child.lVal == CHILDID_SELF;
}

// One object per request. COM calls it on the menu's thread only (the thread
// is a single-threaded apartment), so the count needs no interlocking.
class AccessibleButton final : public IAccessible, public IOleWindow {
public:
    AccessibleButton(const ActiveAccessibility& system, IAccessible* standard, HWND button,
                     const ButtonWords& words, UINT pressMessage)
        : system_(system), standard_(standard), button_(button), words_(words), pressMessage_(pressMessage)
    {
    }
    AccessibleButton(const AccessibleButton&) = delete;
    AccessibleButton& operator=(const AccessibleButton&) = delete;

    // IUnknown
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override
    {
        if (!object) return E_POINTER;
        if (iid == __uuidof(IUnknown) || iid == __uuidof(IDispatch) || iid == __uuidof(IAccessible))
            *object = static_cast<IAccessible*>(this);
        else if (iid == __uuidof(IOleWindow))
            *object = static_cast<IOleWindow*>(this);
        else {
            *object = nullptr;
            return E_NOINTERFACE;
        }
        AddRef();
        return S_OK;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++references_; }
    ULONG STDMETHODCALLTYPE Release() override
    {
        const ULONG left = --references_;
        if (left == 0) delete this;
        return left;
    }

    // IDispatch, through the system's description of IAccessible, so that a
    // late-bound caller reaches the same answers as a direct one.
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override
    {
        if (!count) return E_POINTER;
        *count = system_.AccessibleTypeInfo() ? 1 : 0;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT index, LCID, ITypeInfo** info) override
    {
        if (!info) return E_POINTER;
        *info = nullptr;
        if (index != 0) return DISP_E_BADINDEX;
        ITypeInfo* description = system_.AccessibleTypeInfo();
        if (!description) return E_NOTIMPL;
        description->AddRef();
        *info = description;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID iid, LPOLESTR* names, UINT count, LCID,
                                            DISPID* ids) override
    {
        if (iid != IID_NULL) return DISP_E_UNKNOWNINTERFACE;
        ITypeInfo* description = system_.AccessibleTypeInfo();
        if (!description) return E_NOTIMPL;
        return description->GetIDsOfNames(names, count, ids);
    }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID iid, LCID, WORD flags, DISPPARAMS* parameters,
                                     VARIANT* result, EXCEPINFO* exception, UINT* wrongArgument) override
    {
        if (iid != IID_NULL) return DISP_E_UNKNOWNINTERFACE;
        ITypeInfo* description = system_.AccessibleTypeInfo();
        if (!description) return E_NOTIMPL;
        return description->Invoke(static_cast<IAccessible*>(this), id, flags, parameters, result, exception,
                                   wrongArgument);
    }

    // IAccessible: what makes it a button.
    HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* name) override
    {
        return Text(child, words_.name.c_str(), name);
    }
    HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT* role) override
    {
        return Number(child, ROLE_SYSTEM_PUSHBUTTON, role);
    }
    HRESULT STDMETHODCALLTYPE get_accState(VARIANT child, VARIANT* state) override
    {
        return Number(child, ButtonState(ReadButtonFacts(button_)), state);
    }
    HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT child, BSTR* action) override
    {
        return Text(child, words_.action.c_str(), action);
    }
    HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT child) override
    {
        if (!IsSelf(child)) return E_INVALIDARG;
        if (!CanPress(ButtonState(ReadButtonFacts(button_)))) return E_FAIL;
        return PostMessageA(button_, pressMessage_, 0, 0) ? S_OK : E_FAIL;
    }

    // IAccessible: the rest is the standard object's.
    HRESULT STDMETHODCALLTYPE get_accParent(IDispatch** parent) override { return standard_->get_accParent(parent); }
    HRESULT STDMETHODCALLTYPE get_accChildCount(LONG* count) override { return standard_->get_accChildCount(count); }
    HRESULT STDMETHODCALLTYPE get_accChild(VARIANT child, IDispatch** object) override
    {
        return standard_->get_accChild(child, object);
    }
    HRESULT STDMETHODCALLTYPE get_accValue(VARIANT child, BSTR* value) override
    {
        return standard_->get_accValue(child, value);
    }
    HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT child, BSTR* description) override
    {
        return standard_->get_accDescription(child, description);
    }
    HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT child, BSTR* help) override
    {
        return standard_->get_accHelp(child, help);
    }
    HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR* file, VARIANT child, LONG* topic) override
    {
        return standard_->get_accHelpTopic(file, child, topic);
    }
    HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT child, BSTR* shortcut) override
    {
        return standard_->get_accKeyboardShortcut(child, shortcut);
    }
    HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* focused) override { return standard_->get_accFocus(focused); }
    HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* selected) override
    {
        return standard_->get_accSelection(selected);
    }
    HRESULT STDMETHODCALLTYPE accSelect(long flags, VARIANT child) override
    {
        return standard_->accSelect(flags, child);
    }
    HRESULT STDMETHODCALLTYPE accLocation(long* left, long* top, long* width, long* height, VARIANT child) override
    {
        return standard_->accLocation(left, top, width, height, child);
    }
    HRESULT STDMETHODCALLTYPE accNavigate(long direction, VARIANT start, VARIANT* end) override
    {
        return standard_->accNavigate(direction, start, end);
    }
    HRESULT STDMETHODCALLTYPE accHitTest(long x, long y, VARIANT* child) override
    {
        return standard_->accHitTest(x, y, child);
    }
    HRESULT STDMETHODCALLTYPE put_accName(VARIANT child, BSTR name) override
    {
        return standard_->put_accName(child, name);
    }
    HRESULT STDMETHODCALLTYPE put_accValue(VARIANT child, BSTR value) override
    {
        return standard_->put_accValue(child, value);
    }

    // IOleWindow: the window behind the object, as the standard objects tell.
    HRESULT STDMETHODCALLTYPE GetWindow(HWND* window) override
    {
        if (!window) return E_POINTER;
        *window = button_;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE ContextSensitiveHelp(BOOL) override { return E_NOTIMPL; }

private:
    ~AccessibleButton() { standard_->Release(); }

    HRESULT Text(const VARIANT& child, const wchar_t* text, BSTR* out) const
    {
        if (!out) return E_POINTER;
        *out = nullptr;
        if (!IsSelf(child)) return E_INVALIDARG;
        *out = system_.SysAllocString(text);
        return *out ? S_OK : E_OUTOFMEMORY;
    }
    static HRESULT Number(const VARIANT& child, LONG value, VARIANT* out)
    {
        if (!out) return E_POINTER;
        out->vt = VT_EMPTY;
        if (!IsSelf(child)) return E_INVALIDARG;
        out->vt = VT_I4;
        out->lVal = value;
        return S_OK;
    }

    const ActiveAccessibility& system_;
    IAccessible* const standard_;
    const HWND button_;
    const ButtonWords words_;
    const UINT pressMessage_;
    ULONG references_ = 1;
};

} // namespace

ButtonFacts ReadButtonFacts(HWND button)
{
    const HWND menu = GetParent(button);
    ButtonFacts facts;
    facts.visible = (GetWindowLongA(button, GWL_STYLE) & WS_VISIBLE) != 0;
    facts.enabled = IsWindowEnabled(button) != FALSE;
    facts.menuEnabled = !menu || IsWindowEnabled(menu) != FALSE;
    facts.focused = GetFocus() == button;
    return facts;
}

LONG ButtonState(const ButtonFacts& facts)
{
    LONG state = 0;
    if (!facts.visible) state |= STATE_SYSTEM_INVISIBLE;
    state |= facts.enabled && facts.menuEnabled ? STATE_SYSTEM_FOCUSABLE : STATE_SYSTEM_UNAVAILABLE;
    if (facts.focused) state |= STATE_SYSTEM_FOCUSED;
    return state;
}

bool CanPress(LONG state)
{
    return (state & (STATE_SYSTEM_INVISIBLE | STATE_SYSTEM_UNAVAILABLE)) == 0;
}

bool AsksForClientObject(LPARAM objectId)
{
    // The identifier arrives as a 32-bit value, not sign-extended on 64-bit.
    return static_cast<LONG>(static_cast<DWORD>(objectId)) == OBJID_CLIENT;
}

namespace {

// Holds a reference to the standard object it delegates to.
IAccessible* CreateAccessibleButton(HWND button, const ButtonWords& words, UINT pressMessage)
{
    const ActiveAccessibility* system = ActiveAccessibility::Get();
    if (!system) return nullptr;
    IAccessible* standard = nullptr;
    if (FAILED(system->CreateStdAccessibleObject(button, OBJID_CLIENT, __uuidof(IAccessible),
                                                 reinterpret_cast<void**>(&standard))) ||
        !standard)
        return nullptr;
    return new AccessibleButton(*system, standard, button, words, pressMessage);
}

} // namespace

LRESULT AnswerButtonObjectRequest(HWND button, const ButtonWords& words, UINT pressMessage, WPARAM wParam)
{
    IAccessible* object = CreateAccessibleButton(button, words, pressMessage);
    if (!object) return 0;
    const LRESULT result = ActiveAccessibility::Get()->LresultFromObject(__uuidof(IAccessible), wParam, object);
    object->Release();
    return FAILED(static_cast<HRESULT>(result)) ? 0 : result;
}
