#include "ui/host_automation_win.h"

#include <windows.h>

namespace stats {
namespace {

constexpr wchar_t kHostProgId[] = L"Orvo2.Application";
constexpr DISPID kDispidFrequency = 2;
constexpr DISPID kDispidEntryField = 8;
constexpr DISPID kDispidRunMacro = 16;
constexpr LONG kCallEntryField = 5;

bool IsNumeric(VARTYPE type) {
  switch (type) {
    case VT_I1:
    case VT_I2:
    case VT_I4:
    case VT_I8:
    case VT_INT:
    case VT_UI1:
    case VT_UI2:
    case VT_UI4:
    case VT_UI8:
    case VT_UINT:
    case VT_R4:
    case VT_R8:
    case VT_CY:
    case VT_DECIMAL: return true;
    default: return false;
  }
}

// The host's wide text in the module's ANSI code page.
std::string AnsiOf(const wchar_t* text, UINT length) {
  if (length == 0) return std::string();
  const int size =
      WideCharToMultiByte(CP_ACP, 0, text, static_cast<int>(length), nullptr, 0, nullptr, nullptr);
  if (size <= 0) return std::string();
  std::string ansi(static_cast<std::size_t>(size), '\0');
  WideCharToMultiByte(CP_ACP, 0, text, static_cast<int>(length), ansi.data(), size, nullptr,
                      nullptr);
  return ansi;
}

std::wstring WideOf(const std::string& text) {
  if (text.empty()) return std::wstring();
  const int size =
      MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
  if (size <= 0) return std::wstring();
  std::wstring wide(static_cast<std::size_t>(size), L'\0');
  MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), wide.data(), size);
  return wide;
}

}  // namespace

bool HostAutomation::Attach() {
  m_pDispatch.Reset();
  CLSID clsid;
  if (FAILED(CLSIDFromProgID(kHostProgId, &clsid))) return false;
  ComPtr<IUnknown> running;
  if (FAILED(GetActiveObject(clsid, nullptr, running.Put())) || !running) return false;
  if (FAILED(running->QueryInterface(IID_IDispatch, m_pDispatch.PutVoid()))) {
    m_pDispatch.Reset();
    return false;
  }
  return IsAttached();
}

bool HostAutomation::Invoke(DISPID id, WORD flags, VARIANT* args, UINT argCount, VARIANT* result) {
  if (!m_pDispatch) return false;
  DISPPARAMS params = {args, nullptr, argCount, 0};
  EXCEPINFO exception = {};
  UINT badArgument = 0;
  const HRESULT hr = m_pDispatch->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, flags, &params, result,
                                         &exception, &badArgument);
  // A host that raised an exception hands us its texts to free.
  SysFreeString(exception.bstrSource);
  SysFreeString(exception.bstrDescription);
  SysFreeString(exception.bstrHelpFile);
  return SUCCEEDED(hr);
}

bool HostAutomation::ReadEntryField(std::string& call) {
  UniqueVariant argument;
  argument.Get()->vt = VT_I4;
  argument.Get()->lVal = kCallEntryField;
  UniqueVariant result;
  if (!Invoke(kDispidEntryField, DISPATCH_METHOD, argument.Get(), 1, result.Get())) return false;
  if ((*result).vt != VT_BSTR) return false;
  const BSTR text = (*result).bstrVal;
  call = AnsiOf(text, text != nullptr ? SysStringLen(text) : 0);
  return true;
}

bool HostAutomation::ReadFrequency(double& hz) {
  UniqueVariant result;
  if (!Invoke(kDispidFrequency, DISPATCH_PROPERTYGET, nullptr, 0, result.Get())) return false;
  if (!IsNumeric((*result).vt)) return false;
  UniqueVariant asDouble;
  if (FAILED(VariantChangeType(asDouble.Get(), result.Get(), 0, VT_R8))) return false;
  hz = (*asDouble).dblVal;
  return true;
}

bool HostAutomation::RunMacro(const std::string& macro) {
  UniqueBstr text(WideOf(macro));
  UniqueVariant argument;
  argument.Get()->vt = VT_BSTR;
  argument.Get()->bstrVal = text.Release();
  return Invoke(kDispidRunMacro, DISPATCH_METHOD, argument.Get(), 1, nullptr);
}

}  // namespace stats
