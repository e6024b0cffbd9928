#pragma once
// Small owners for COM: the per-thread initialisation, interface pointers, VARIANTs and BSTRs,
// and late-bound calls through IDispatch by member name (the automation objects we drive have
// no type library we compile against).
#ifdef _WIN32
#include <windows.h>
#include <objbase.h>
#include <oleauto.h>
#include <wrl/client.h>
#include <algorithm>
#include <initializer_list>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace radar {

template <class T> using ComPtr = Microsoft::WRL::ComPtr<T>;

// CoInitialize for the calling thread, undone when the scope ends, but only when it succeeded
// (S_OK or S_FALSE): a thread that is already in another apartment is left as it was.
class ComInit {
public:
    ComInit() noexcept : result_(CoInitialize(nullptr)) {}
    ~ComInit() {
        if (SUCCEEDED(result_)) CoUninitialize();
    }
    ComInit(const ComInit&) = delete;
    ComInit& operator=(const ComInit&) = delete;

    bool Succeeded() const noexcept { return SUCCEEDED(result_); }
    HRESULT Result() const noexcept { return result_; }

private:
    HRESULT result_;
};

// Owner of one BSTR.
class Bstr {
public:
    Bstr() noexcept = default;
    explicit Bstr(std::u16string_view text)
        : bstr_(SysAllocStringLen(reinterpret_cast<const OLECHAR*>(text.data()), static_cast<UINT>(text.size()))) {}
    explicit Bstr(std::wstring_view text) : bstr_(SysAllocStringLen(text.data(), static_cast<UINT>(text.size()))) {}
    Bstr(Bstr&& other) noexcept : bstr_(std::exchange(other.bstr_, nullptr)) {}
    Bstr& operator=(Bstr&& other) noexcept {
        if (this != &other) {
            SysFreeString(bstr_);
            bstr_ = std::exchange(other.bstr_, nullptr);
        }
        return *this;
    }
    Bstr(const Bstr&) = delete;
    Bstr& operator=(const Bstr&) = delete;
    ~Bstr() { SysFreeString(bstr_); }

    BSTR Get() const noexcept { return bstr_; }
    // Frees the current string and hands out the slot for a function that returns a new one.
    BSTR* Out() noexcept {
        SysFreeString(std::exchange(bstr_, nullptr));
        return &bstr_;
    }
    BSTR Release() noexcept { return std::exchange(bstr_, nullptr); }
    // A BSTR may hold zero units inside; its length is its own, not up to the first zero.
    std::u16string Text() const {
        if (!bstr_) return {};
        return std::u16string(reinterpret_cast<const char16_t*>(bstr_), SysStringLen(bstr_));
    }

private:
    BSTR bstr_ = nullptr;
};

// Owner of one VARIANT: VariantInit when made, VariantClear when replaced or destroyed.
class Variant {
public:
    Variant() noexcept { VariantInit(&v_); }
    Variant(Variant&& other) noexcept : v_(other.v_) { VariantInit(&other.v_); }
    Variant& operator=(Variant&& other) noexcept {
        if (this != &other) {
            VariantClear(&v_);
            v_ = other.v_;
            VariantInit(&other.v_);
        }
        return *this;
    }
    Variant(const Variant&) = delete;
    Variant& operator=(const Variant&) = delete;
    ~Variant() { VariantClear(&v_); }

    static Variant Text(std::u16string_view text) {
        Variant v;
        v.v_.vt = VT_BSTR;
        v.v_.bstrVal = Bstr(text).Release();
        return v;
    }
    static Variant Int(long value) noexcept {
        Variant v;
        v.v_.vt = VT_I4;
        v.v_.lVal = value;
        return v;
    }
    static Variant Bool(bool value) noexcept {
        Variant v;
        v.v_.vt = VT_BOOL;
        v.v_.boolVal = value ? VARIANT_TRUE : VARIANT_FALSE;
        return v;
    }
    // Takes a reference of its own.
    static Variant Object(IUnknown* object) noexcept {
        Variant v;
        if (!object) return v;
        object->AddRef();
        v.v_.vt = VT_UNKNOWN;
        v.v_.punkVal = object;
        return v;
    }

    const VARIANT& Ref() const noexcept { return v_; }
    VARIANT* Get() noexcept { return &v_; }
    // Clears the value and hands out the slot for a function that fills it.
    VARIANT* Out() noexcept {
        VariantClear(&v_);
        return &v_;
    }
    VARTYPE Type() const noexcept { return v_.vt; }

    // The value as text by the system's conversion; empty for Empty, Null or what does not convert.
    std::u16string ToText() const {
        if (v_.vt == VT_BSTR) return Read(v_.bstrVal);
        Variant text;
        if (FAILED(VariantChangeType(text.Get(), const_cast<VARIANT*>(&v_), 0, VT_BSTR))) return {};
        return Read(text.v_.bstrVal);
    }
    // The value as a 32-bit integer; 0 when it does not convert.
    long ToInt() const noexcept {
        Variant number;
        if (FAILED(VariantChangeType(number.Get(), const_cast<VARIANT*>(&v_), 0, VT_I4))) return 0;
        return number.v_.lVal;
    }
    // The object the value holds as IDispatch; empty when it holds none.
    ComPtr<IDispatch> ToDispatch() const noexcept {
        ComPtr<IDispatch> object;
        if ((v_.vt == VT_DISPATCH || v_.vt == VT_UNKNOWN) && v_.punkVal)
            v_.punkVal->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(object.GetAddressOf()));
        return object;
    }

private:
    static std::u16string Read(BSTR text) {
        if (!text) return {};
        return std::u16string(reinterpret_cast<const char16_t*>(text), SysStringLen(text));
    }

    VARIANT v_;
};

// Invokes member 'name' of 'object' late-bound. 'args' are in the member's own order (they are
// passed reversed, as IDispatch expects); a property put passes its value as the one argument.
// The result is written to 'result' when given. Returns the failure of the name lookup or of
// the call (DISP_E_EXCEPTION when the object raised an error).
inline HRESULT DispatchInvoke(IDispatch* object, const wchar_t* name, WORD flags, std::initializer_list<VARIANT> args,
                              Variant* result = nullptr) {
    if (!object) return E_POINTER;
    DISPID id = DISPID_UNKNOWN;
    LPOLESTR names[] = {const_cast<LPOLESTR>(name)};
    HRESULT hr = object->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id);
    if (FAILED(hr)) return hr;
    std::vector<VARIANT> reversed(args.begin(), args.end());
    std::reverse(reversed.begin(), reversed.end());
    DISPID putId = DISPID_PROPERTYPUT;
    DISPPARAMS params{};
    params.rgvarg = reversed.empty() ? nullptr : reversed.data();
    params.cArgs = static_cast<UINT>(reversed.size());
    if (flags & (DISPATCH_PROPERTYPUT | DISPATCH_PROPERTYPUTREF)) {
        params.rgdispidNamedArgs = &putId;
        params.cNamedArgs = 1;
    }
    EXCEPINFO exception{};
    UINT badArg = 0;
    Variant ignored;
    hr = object->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, flags, &params, result ? result->Out() : ignored.Get(),
                        &exception, &badArg);
    SysFreeString(exception.bstrSource);
    SysFreeString(exception.bstrDescription);
    SysFreeString(exception.bstrHelpFile);
    return hr;
}

// Reads a property (or calls a parameterised one such as a collection's Item).
inline HRESULT DispatchGet(IDispatch* object, const wchar_t* name, Variant& result,
                           std::initializer_list<VARIANT> args = {}) {
    return DispatchInvoke(object, name, DISPATCH_PROPERTYGET | DISPATCH_METHOD, args, &result);
}

inline HRESULT DispatchPut(IDispatch* object, const wchar_t* name, const Variant& value) {
    return DispatchInvoke(object, name, DISPATCH_PROPERTYPUT, {value.Ref()});
}

inline HRESULT DispatchCall(IDispatch* object, const wchar_t* name, std::initializer_list<VARIANT> args,
                            Variant* result = nullptr) {
    return DispatchInvoke(object, name, DISPATCH_METHOD, args, result);
}

} // namespace radar
#endif
