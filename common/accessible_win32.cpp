#include "common/accessible_win32.h"

#include <memory>
#include <utility>

// The interfaces' ids by __uuidof: the import library's IID_IAccessible
// resolves to a thunk, not to the GUID.
namespace quorbel {

namespace {

struct UnknownReleaser {
  void operator()(IUnknown* object) const { object->Release(); }
};
using unique_accessible = std::unique_ptr<IAccessible, UnknownReleaser>;

bool IsSelf(const VARIANT& child) { return child.vt == VT_I4 && child.lVal == CHILDID_SELF; }

HRESULT ReturnText(const Text& text, BSTR* out) {
  if (!out) return E_POINTER;
  *out = SysAllocStringLen(reinterpret_cast<const OLECHAR*>(text.data()), static_cast<UINT>(text.size()));
  return *out ? S_OK : E_OUTOFMEMORY;
}

HRESULT ReturnLong(long value, VARIANT* out) {
  if (!out) return E_POINTER;
  VariantInit(out);
  out->vt = VT_I4;
  out->lVal = value;
  return S_OK;
}

}  // namespace

// The standard object with the window's own answers laid over it. Created
// with one reference, which its host holds; it frees itself when the last
// reference goes.
class AccessibleObject final : public IAccessible {
 public:
  AccessibleObject(HWND window, unique_accessible standard, const AccessibleContent& content)
      : window_(window), standard_(std::move(standard)), content_(&content) {}

  // The window is going: every later call answers "not connected".
  void Disconnect() {
    content_ = nullptr;
    standard_.reset();
  }

  // IUnknown.
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID id, void** out) override {
    if (!out) return E_POINTER;
    *out = nullptr;
    if (id != __uuidof(IUnknown) && id != __uuidof(IDispatch) && id != __uuidof(IAccessible)) return E_NOINTERFACE;
    *out = static_cast<IAccessible*>(this);
    AddRef();
    return S_OK;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return ++references_; }
  ULONG STDMETHODCALLTYPE Release() override {
    const ULONG left = --references_;
    if (left == 0) std::unique_ptr<AccessibleObject>{this};  // the count's own ownership ends
    return left;
  }

  // IDispatch: not offered; clients call IAccessible directly.
  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
    if (count) *count = 0;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*,
                                   UINT*) override {
    return E_NOTIMPL;
  }

  // IAccessible.
  HRESULT STDMETHODCALLTYPE get_accParent(IDispatch** parent) override {
    return Connected() ? standard_->get_accParent(parent) : CO_E_OBJNOTCONNECTED;
  }
  HRESULT STDMETHODCALLTYPE get_accChildCount(long* count) override {
    if (!Connected()) return CO_E_OBJNOTCONNECTED;
    if (content_->ItemCount() == 0) return standard_->get_accChildCount(count);
    if (!count) return E_POINTER;
    *count = content_->ItemCount();
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE get_accChild(VARIANT child, IDispatch** out) override {
    if (!Connected()) return CO_E_OBJNOTCONNECTED;
    if (!IsItem(child)) return standard_->get_accChild(child, out);
    if (!out) return E_POINTER;
    *out = nullptr;
    return S_FALSE;  // an item is a simple element of this object
  }
  HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* name) override {
    if (!Connected()) return CO_E_OBJNOTCONNECTED;
    if (IsItem(child)) return ReturnText(content_->ItemName(child.lVal), name);
    if (IsSelf(child)) {
      if (const auto own = content_->Name()) return ReturnText(*own, name);
    }
    return standard_->get_accName(child, name);
  }
  HRESULT STDMETHODCALLTYPE get_accValue(VARIANT child, BSTR* value) override {
    if (!Connected()) return CO_E_OBJNOTCONNECTED;
    if (IsItem(child)) return ItemHasNo(value);
    return standard_->get_accValue(child, value);
  }
  HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT child, BSTR* description) override {
    if (!Connected()) return CO_E_OBJNOTCONNECTED;
    if (IsItem(child)) return ItemHasNo(description);
    return standard_->get_accDescription(child, description);
  }
  HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT* role) override {
    if (!Connected()) return CO_E_OBJNOTCONNECTED;
    if (IsItem(child)) return ReturnLong(ROLE_SYSTEM_LISTITEM, role);
    if (IsSelf(child)) {
      if (const auto own = content_->Role()) return ReturnLong(*own, role);
    }
    return standard_->get_accRole(child, role);
  }
  HRESULT STDMETHODCALLTYPE get_accState(VARIANT child, VARIANT* state) override {
    if (!Connected()) return CO_E_OBJNOTCONNECTED;
    if (!IsItem(child)) return standard_->get_accState(child, state);
    long flags = STATE_SYSTEM_SELECTABLE | STATE_SYSTEM_FOCUSABLE;
    if (child.lVal == content_->SelectedItem()) {
      flags |= STATE_SYSTEM_SELECTED;
      if (GetFocus() == Window()) flags |= STATE_SYSTEM_FOCUSED;
    }
    return ReturnLong(flags, state);
  }
  HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT child, BSTR* help) override {
    if (!Connected()) return CO_E_OBJNOTCONNECTED;
    if (IsItem(child)) return ItemHasNo(help);
    return standard_->get_accHelp(child, help);
  }
  HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR* file, VARIANT child, long* topic) override {
    if (!Connected()) return CO_E_OBJNOTCONNECTED;
    if (IsItem(child)) return ItemHasNo(file);
    return standard_->get_accHelpTopic(file, child, topic);
  }
  HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT child, BSTR* shortcut) override {
    if (!Connected()) return CO_E_OBJNOTCONNECTED;
    if (IsItem(child)) return ItemHasNo(shortcut);
    return standard_->get_accKeyboardShortcut(child, shortcut);
  }
  HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* focus) override {
    if (!Connected()) return CO_E_OBJNOTCONNECTED;
    if (content_->ItemCount() == 0 || content_->SelectedItem() == 0 || GetFocus() != Window()) {
      return standard_->get_accFocus(focus);
    }
    return ReturnLong(content_->SelectedItem(), focus);
  }
  HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* selection) override {
    if (!Connected()) return CO_E_OBJNOTCONNECTED;
    if (content_->ItemCount() == 0) return standard_->get_accSelection(selection);
    if (!selection) return E_POINTER;
    VariantInit(selection);
    if (content_->SelectedItem() == 0) return S_FALSE;
    return ReturnLong(content_->SelectedItem(), selection);
  }
  HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT child, BSTR* action) override {
    if (!Connected()) return CO_E_OBJNOTCONNECTED;
    if (IsItem(child)) return ItemHasNo(action);
    return standard_->get_accDefaultAction(child, action);
  }
  HRESULT STDMETHODCALLTYPE accSelect(long flags, VARIANT child) override {
    if (!Connected()) return CO_E_OBJNOTCONNECTED;
    if (IsItem(child)) return DISP_E_MEMBERNOTFOUND;
    return standard_->accSelect(flags, child);
  }
  HRESULT STDMETHODCALLTYPE accLocation(long* left, long* top, long* width, long* height,
                                        VARIANT child) override {
    if (!Connected()) return CO_E_OBJNOTCONNECTED;
    if (!IsItem(child)) return standard_->accLocation(left, top, width, height, child);
    if (!left || !top || !width || !height) return E_POINTER;
    const RECT rect = content_->ItemRect(child.lVal);
    *left = rect.left;
    *top = rect.top;
    *width = rect.right - rect.left;
    *height = rect.bottom - rect.top;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE accNavigate(long direction, VARIANT start, VARIANT* end) override {
    if (!Connected()) return CO_E_OBJNOTCONNECTED;
    if (IsItem(start)) return DISP_E_MEMBERNOTFOUND;
    return standard_->accNavigate(direction, start, end);
  }
  HRESULT STDMETHODCALLTYPE accHitTest(long x, long y, VARIANT* child) override {
    if (!Connected()) return CO_E_OBJNOTCONNECTED;
    for (long item = 1; item <= content_->ItemCount(); ++item) {
      const RECT rect = content_->ItemRect(item);
      if (PtInRect(&rect, POINT{x, y})) return ReturnLong(item, child);
    }
    return standard_->accHitTest(x, y, child);
  }
  HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT child) override {
    if (!Connected()) return CO_E_OBJNOTCONNECTED;
    if (IsItem(child)) return DISP_E_MEMBERNOTFOUND;
    return standard_->accDoDefaultAction(child);
  }
  HRESULT STDMETHODCALLTYPE put_accName(VARIANT, BSTR) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE put_accValue(VARIANT, BSTR) override { return E_NOTIMPL; }

 private:
  ~AccessibleObject() = default;
  friend struct std::default_delete<AccessibleObject>;

  bool Connected() const { return content_ && standard_; }
  bool IsItem(const VARIANT& child) const {
    return child.vt == VT_I4 && child.lVal >= 1 && child.lVal <= content_->ItemCount();
  }
  static HRESULT ItemHasNo(BSTR* out) {
    if (out) *out = nullptr;
    return S_FALSE;
  }
  HWND Window() const { return window_; }

  ULONG references_ = 1;
  HWND window_;
  unique_accessible standard_;
  const AccessibleContent* content_;
};

void AccessibleObjectReleaser::operator()(AccessibleObject* object) const {
  object->Disconnect();
  object->Release();
}

AccessibleHost::~AccessibleHost() = default;

std::optional<LRESULT> AccessibleHost::Answer(HWND window, WPARAM wparam, LPARAM lparam) {
  if (static_cast<DWORD>(lparam) != static_cast<DWORD>(OBJID_CLIENT)) return std::nullopt;
  if (!object_) {
    IAccessible* standard = nullptr;
    if (FAILED(CreateStdAccessibleObject(window, OBJID_CLIENT, __uuidof(IAccessible),
                                         reinterpret_cast<void**>(&standard)))) {
      return 0;
    }
    object_.reset(
        std::make_unique<AccessibleObject>(window, unique_accessible(standard), content_).release());
  }
  return LresultFromObject(__uuidof(IAccessible), wparam, object_.get());
}

}  // namespace quorbel
