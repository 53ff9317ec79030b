#pragma once
// Owners for what automation calls hand out: an interface pointer, a BSTR
// and a VARIANT. Each gives its resource back exactly once.
#include <oleauto.h>
#include <windows.h>

#include <string>
#include <utility>

namespace stats {

template <typename Interface>
class ComPtr {
 public:
  ComPtr() = default;
  // Takes over a reference the caller already holds.
  explicit ComPtr(Interface* owned) : m_p(owned) {}
  ComPtr(ComPtr&& other) noexcept : m_p(std::exchange(other.m_p, nullptr)) {}
  ComPtr& operator=(ComPtr&& other) noexcept {
    if (this != &other) Reset(std::exchange(other.m_p, nullptr));
    return *this;
  }
  ComPtr(const ComPtr&) = delete;
  ComPtr& operator=(const ComPtr&) = delete;
  ~ComPtr() { Reset(); }

  Interface* Get() const { return m_p; }
  Interface* operator->() const { return m_p; }
  explicit operator bool() const { return m_p != nullptr; }
  // For the out parameter of a call that returns a new reference.
  Interface** Put() {
    Reset();
    return &m_p;
  }
  void** PutVoid() { return reinterpret_cast<void**>(Put()); }
  void Reset(Interface* owned = nullptr) {
    if (m_p != nullptr) m_p->Release();
    m_p = owned;
  }

 private:
  Interface* m_p = nullptr;
};

class UniqueBstr {
 public:
  UniqueBstr() = default;
  explicit UniqueBstr(const std::wstring& text)
      : m_b(SysAllocStringLen(text.data(), static_cast<UINT>(text.size()))) {}
  UniqueBstr(const UniqueBstr&) = delete;
  UniqueBstr& operator=(const UniqueBstr&) = delete;
  ~UniqueBstr() { SysFreeString(m_b); }
  BSTR Get() const { return m_b; }
  // Hands the string to a VARIANT or an out parameter that frees it.
  BSTR Release() { return std::exchange(m_b, nullptr); }

 private:
  BSTR m_b = nullptr;
};

class UniqueVariant {
 public:
  UniqueVariant() { VariantInit(&m_v); }
  UniqueVariant(const UniqueVariant&) = delete;
  UniqueVariant& operator=(const UniqueVariant&) = delete;
  ~UniqueVariant() { VariantClear(&m_v); }
  VARIANT* Get() { return &m_v; }
  const VARIANT& operator*() const { return m_v; }

 private:
  VARIANT m_v;
};

// The text of a BSTR, embedded zeros included; a null BSTR is the empty text.
inline std::wstring TextOf(BSTR text) {
  return text == nullptr ? std::wstring() : std::wstring(text, SysStringLen(text));
}

}  // namespace stats
