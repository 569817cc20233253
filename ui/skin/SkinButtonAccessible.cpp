#include "ui/skin/SkinButtonAccessible.h"

#include "framework/ResourceString.h"
#include "framework/WideText.h"
#include "resources/resource.h"
#include "ui/skin/SkinButton.h"

#include <oleacc.h>

namespace {

class SkinButtonAccessible final : public IAccessible {
  public:
    SkinButtonAccessible(HWND button, IAccessible* standard) : m_button(button), m_standard(standard) {}
    SkinButtonAccessible(const SkinButtonAccessible&) = delete;
    SkinButtonAccessible& operator=(const SkinButtonAccessible&) = delete;

    // IUnknown
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID id, void** object) override
    {
        if (!object)
            return E_POINTER;
        *object = nullptr;
        if (id != IID_IUnknown && id != IID_IDispatch && id != IID_IAccessible)
            return E_NOINTERFACE;
        *object = static_cast<IAccessible*>(this);
        AddRef();
        return S_OK;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return InterlockedIncrement(&m_references); }
    ULONG STDMETHODCALLTYPE Release() override
    {
        const LONG left = InterlockedDecrement(&m_references);
        if (left == 0)
            delete this;
        return static_cast<ULONG>(left);
    }

    // IDispatch: clients of this object call it through its vtable.
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override
    {
        *count = 0;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*) override
    {
        return E_NOTIMPL;
    }

    // IAccessible: the button's own facts.
    HRESULT STDMETHODCALLTYPE get_accChildCount(long* count) override
    {
        *count = 0;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE get_accChild(VARIANT, IDispatch** child) override
    {
        *child = nullptr;
        return E_INVALIDARG;
    }
    HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* name) override
    {
        const CSkinButton* button = Button(child);
        if (!button)
            return E_INVALIDARG;
        *name = SysAllocString(Widen(button->ToolTipText()).c_str());
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT* role) override
    {
        if (!Button(child))
            return E_INVALIDARG;
        role->vt = VT_I4;
        role->lVal = ROLE_SYSTEM_PUSHBUTTON;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE get_accState(VARIANT child, VARIANT* state) override
    {
        const CSkinButton* button = Button(child);
        if (!button)
            return E_INVALIDARG;
        state->vt = VT_I4;
        state->lVal = STATE_SYSTEM_FOCUSABLE;
        if (GetFocus() == m_button)
            state->lVal |= STATE_SYSTEM_FOCUSED;
        if (!button->IsEnabled())
            state->lVal |= STATE_SYSTEM_UNAVAILABLE;
        if (!IsWindowVisible(m_button))
            state->lVal |= STATE_SYSTEM_INVISIBLE;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT child, BSTR* action) override
    {
        if (!Button(child))
            return E_INVALIDARG;
        const std::string text = LoadResourceString(IDS_ACTION_PRESS);
        *action = SysAllocString(text.empty() ? L"Press" : Widen(text).c_str());
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT child) override
    {
        const CSkinButton* button = Button(child);
        if (!button)
            return E_INVALIDARG;
        if (!button->IsEnabled())
            return E_FAIL;
        // Posted: the click may open a modal box, which must not hold the
        // screen reader's call.
        PostMessageA(m_button, BM_CLICK, 0, 0);
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE get_accValue(VARIANT, BSTR* value) override { return Nothing(value); }
    HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT, BSTR* text) override { return Nothing(text); }
    HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT, BSTR* text) override { return Nothing(text); }
    HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR* file, VARIANT, long*) override { return Nothing(file); }
    HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT, BSTR* text) override { return Nothing(text); }
    HRESULT STDMETHODCALLTYPE put_accName(VARIANT, BSTR) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE put_accValue(VARIANT, BSTR) override { return E_NOTIMPL; }

    // IAccessible: the window's place among the others, as the system has it.
    HRESULT STDMETHODCALLTYPE get_accParent(IDispatch** parent) override { return m_standard->get_accParent(parent); }
    HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* focus) override { return m_standard->get_accFocus(focus); }
    HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* selection) override
    {
        return m_standard->get_accSelection(selection);
    }
    HRESULT STDMETHODCALLTYPE accSelect(long flags, VARIANT child) override
    {
        return m_standard->accSelect(flags, child);
    }
    HRESULT STDMETHODCALLTYPE accLocation(long* left, long* top, long* width, long* height, VARIANT child) override
    {
        return m_standard->accLocation(left, top, width, height, child);
    }
    HRESULT STDMETHODCALLTYPE accNavigate(long direction, VARIANT start, VARIANT* end) override
    {
        return m_standard->accNavigate(direction, start, end);
    }
    HRESULT STDMETHODCALLTYPE accHitTest(long x, long y, VARIANT* child) override
    {
        return m_standard->accHitTest(x, y, child);
    }

  private:
    ~SkinButtonAccessible() { m_standard->Release(); }

    // The button while its window lives, for the object itself only.
    const CSkinButton* Button(const VARIANT& child) const
    {
        if (child.vt != VT_I4 || child.lVal != CHILDID_SELF)
            return nullptr;
        return dynamic_cast<const CSkinButton*>(CWnd::FromHandle(m_button));
    }
    static HRESULT Nothing(BSTR* text)
    {
        *text = nullptr;
        return S_FALSE;
    }

    LONG m_references = 1;
    HWND m_button;
    IAccessible* m_standard;
};

} // namespace

LRESULT AnswerSkinButtonObject(HWND button, WPARAM flags)
{
    IAccessible* standard = nullptr;
    if (FAILED(CreateStdAccessibleObject(button, OBJID_CLIENT, IID_IAccessible, reinterpret_cast<void**>(&standard))))
        return 0;
    auto* object = new SkinButtonAccessible(button, standard);
    const LRESULT result = LresultFromObject(IID_IAccessible, flags, object);
    object->Release();
    return result;
}
