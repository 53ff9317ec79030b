#include "automation_object_win.h"

#include <cstdio>

#include "message_pump_win.h"

namespace orvosim {
namespace {

// {771B7BA5-B4A4-4DBF-9E3C-F1060FD60212}: the simulator's own class.
constexpr CLSID kClassId = {
    0x771b7ba5, 0xb4a4, 0x4dbf, {0x9e, 0x3c, 0xf1, 0x06, 0x0f, 0xd6, 0x02, 0x12}};
constexpr const wchar_t* kProgId = L"Orvo2.Application";
constexpr const wchar_t* kProgIdClassKey = L"Orvo2.Application\\CLSID";
constexpr DWORD kThreadStartMs = 10000;
constexpr DWORD kThreadStopMs = 10000;

using UniqueKey = stats::UniqueHandle<HKEY, nullptr, decltype(&RegCloseKey), &RegCloseKey>;

struct MemberEntry {
  DISPID id;
  HostMember member;
  WORD kind;  // how the member is called
};
constexpr MemberEntry kMembers[] = {
    {kDispidFrequency, HostMember::Frequency, DISPATCH_PROPERTYGET},
    {kDispidEntryField, HostMember::EntryField, DISPATCH_METHOD},
    {kDispidRunMacro, HostMember::RunMacro, DISPATCH_METHOD},
};

const MemberEntry* FindMember(DISPID id) {
  for (const MemberEntry& m : kMembers) {
    if (m.id == id) return &m;
  }
  return nullptr;
}

int Slot(HostMember member) { return static_cast<int>(member); }

// The ProgID where CLSIDFromProgID reads it. This wine reads no per-user
// classes, so it goes to HKEY_CLASSES_ROOT.
bool RegisterProgId(std::string& error) {
  HKEY raw = nullptr;
  LONG rc = RegCreateKeyExW(HKEY_CLASSES_ROOT, kProgIdClassKey, 0, nullptr, 0, KEY_SET_VALUE,
                            nullptr, &raw, nullptr);
  UniqueKey key(raw);
  wchar_t text[40] = {};
  const int chars = StringFromGUID2(kClassId, text, 40);  // terminator included
  if (rc == ERROR_SUCCESS) {
    rc = RegSetValueExW(key.get(), nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(text),
                        static_cast<DWORD>(chars * sizeof(wchar_t)));
  }
  if (rc != ERROR_SUCCESS) {
    error = "cannot register the ProgID (error " + std::to_string(rc) + ")";
    return false;
  }
  return true;
}

void WriteWrongType(VARTYPE type, VARIANT* result) {
  if (result == nullptr) return;
  VariantInit(result);
  result->vt = type;
  switch (type) {
    case VT_BSTR: result->bstrVal = SysAllocString(L"abc"); break;
    case VT_DISPATCH: result->pdispVal = nullptr; break;
    case VT_I4: result->lVal = 0; break;
    case VT_R8: result->dblVal = 0.0; break;
    case VT_NULL: break;
    default: result->vt = VT_EMPTY; break;
  }
}

void DescribeFailure(EXCEPINFO* exception) {
  if (exception == nullptr) return;
  *exception = EXCEPINFO{};
  exception->scode = E_FAIL;
  exception->bstrSource = SysAllocString(kProgId);
  exception->bstrDescription = SysAllocString(L"the host refused the call");
}

std::string HexOf(HRESULT hr) {
  char hex[16];
  std::snprintf(hex, sizeof hex, "0x%08lx", static_cast<unsigned long>(hr));
  return hex;
}

void PrintMacro(const std::wstring& macro) {
  const int n = WideCharToMultiByte(CP_UTF8, 0, macro.data(), static_cast<int>(macro.size()),
                                    nullptr, 0, nullptr, nullptr);
  std::string utf8(n > 0 ? n : 0, '\0');
  if (n > 0) {
    WideCharToMultiByte(CP_UTF8, 0, macro.data(), static_cast<int>(macro.size()), utf8.data(), n,
                        nullptr, nullptr);
  }
  std::printf("macro: %s\n", utf8.c_str());
  std::fflush(stdout);
}

}  // namespace

// ---- the object ----------------------------------------------------------

ComPtr<AutomationObject> AutomationObject::Create() {
  return ComPtr<AutomationObject>(new AutomationObject());
}

HRESULT AutomationObject::QueryInterface(REFIID riid, void** object) {
  if (object == nullptr) return E_POINTER;
  if (riid == IID_IUnknown || riid == IID_IDispatch) {
    *object = static_cast<IDispatch*>(this);
    AddRef();
    return S_OK;
  }
  *object = nullptr;
  return E_NOINTERFACE;
}

ULONG AutomationObject::AddRef() { return ++m_nRefs; }

ULONG AutomationObject::Release() {
  const ULONG left = --m_nRefs;
  if (left == 0) delete this;
  return left;
}

HRESULT AutomationObject::GetTypeInfoCount(UINT* count) {
  if (count == nullptr) return E_POINTER;
  *count = 0;
  return S_OK;
}

HRESULT AutomationObject::GetTypeInfo(UINT, LCID, ITypeInfo** info) {
  if (info != nullptr) *info = nullptr;
  return DISP_E_BADINDEX;
}

HRESULT AutomationObject::GetIDsOfNames(REFIID, LPOLESTR*, UINT names, LCID, DISPID* ids) {
  for (UINT i = 0; ids != nullptr && i < names; ++i) ids[i] = DISPID_UNKNOWN;
  return DISP_E_UNKNOWNNAME;
}

HRESULT AutomationObject::Invoke(DISPID id, REFIID riid, LCID, WORD flags, DISPPARAMS* params,
                                 VARIANT* result, EXCEPINFO* exception, UINT* argError) {
  if (riid != IID_NULL) return DISP_E_UNKNOWNINTERFACE;
  const DISPPARAMS none{};
  const DISPPARAMS& p = params != nullptr ? *params : none;
  const MemberEntry* entry = FindMember(id);
  if (entry == nullptr || (flags & entry->kind) == 0) return DISP_E_MEMBERNOTFOUND;
  if (p.cNamedArgs != 0) return DISP_E_NONAMEDARGS;
  ++m_nInProgress;
  Pace(entry->member);
  const HRESULT hr = Answer(entry->member, p, result, exception, argError);
  --m_nInProgress;
  return hr;
}

HRESULT AutomationObject::Answer(HostMember member, const DISPPARAMS& p, VARIANT* result,
                                 EXCEPINFO* exception, UINT* argError) {
  HRESULT hr = S_OK;
  MemberFault fault;
  if (Faulted(member, exception, hr, fault)) return hr;
  if (fault.kind == MemberFault::Kind::WrongType && member != HostMember::RunMacro) {
    // The arguments are still checked: a wrong call stays wrong.
    UniqueVariant ignored;
    hr = member == HostMember::Frequency ? ReadFrequency(p, ignored.Get())
                                         : ReadEntryField(p, ignored.Get(), argError);
    if (SUCCEEDED(hr)) WriteWrongType(fault.wrongType, result);
    return hr;
  }
  switch (member) {
    case HostMember::Frequency: return ReadFrequency(p, result);
    case HostMember::EntryField: return ReadEntryField(p, result, argError);
    case HostMember::RunMacro:
      hr = RunMacro(p, result, argError);
      if (SUCCEEDED(hr) && fault.kind == MemberFault::Kind::WrongType) {
        WriteWrongType(fault.wrongType, result);
      }
      return hr;
  }
  return E_UNEXPECTED;
}

void AutomationObject::Pace(HostMember member) {
  MemberPace pace;
  std::function<void()> action;
  {
    std::lock_guard<std::mutex> lock(m_mutex);
    pace = m_paces[Slot(member)];
    action = std::move(m_insideMemberAction);
    m_insideMemberAction = nullptr;
  }
  // The action comes halfway through the wait.
  const DWORD first = pace.ms / 2;
  switch (pace.kind) {
    case MemberPace::Kind::Prompt:
      if (action) action();
      return;
    case MemberPace::Kind::Blocking:
      Sleep(first);
      if (action) action();
      Sleep(pace.ms - first);
      return;
    case MemberPace::Kind::OwnLoop:
      if (action) {
        PumpForWithTimer(pace.ms, first, std::move(action));
      } else {
        PumpFor(pace.ms);
      }
      return;
  }
}

bool AutomationObject::Faulted(HostMember member, EXCEPINFO* exception, HRESULT& hr,
                               MemberFault& fault) {
  {
    std::lock_guard<std::mutex> lock(m_mutex);
    ++m_nCalls[Slot(member)];
    fault = m_faults[Slot(member)];
  }
  if (fault.kind != MemberFault::Kind::Failure) return false;
  hr = fault.failure;
  if (hr == DISP_E_EXCEPTION) DescribeFailure(exception);
  return true;
}

HRESULT AutomationObject::ReadFrequency(const DISPPARAMS& params, VARIANT* result) {
  if (params.cArgs != 0) return DISP_E_BADPARAMCOUNT;
  if (result == nullptr) return S_OK;
  VariantInit(result);
  result->vt = VT_R8;
  std::lock_guard<std::mutex> lock(m_mutex);
  result->dblVal = m_dFrequency;
  return S_OK;
}

HRESULT AutomationObject::ReadEntryField(const DISPPARAMS& params, VARIANT* result,
                                         UINT* argError) {
  if (params.cArgs != 1) return DISP_E_BADPARAMCOUNT;
  if (params.rgvarg[0].vt != VT_I4) {
    if (argError != nullptr) *argError = 0;
    return DISP_E_TYPEMISMATCH;
  }
  std::wstring text;
  {
    std::lock_guard<std::mutex> lock(m_mutex);
    m_nLastEntryIndex = params.rgvarg[0].lVal;
    // Only the call field is simulated; the other fields are empty.
    if (m_nLastEntryIndex == kEntryFieldCall) text = m_strEntryField;
  }
  if (result == nullptr) return S_OK;
  UniqueBstr bstr(text);
  if (bstr.Get() == nullptr) return E_OUTOFMEMORY;
  VariantInit(result);
  result->vt = VT_BSTR;
  result->bstrVal = bstr.Release();
  return S_OK;
}

HRESULT AutomationObject::RunMacro(const DISPPARAMS& params, VARIANT* result, UINT* argError) {
  if (params.cArgs != 1) return DISP_E_BADPARAMCOUNT;
  if (params.rgvarg[0].vt != VT_BSTR) {
    if (argError != nullptr) *argError = 0;
    return DISP_E_TYPEMISMATCH;
  }
  const std::wstring macro = TextOf(params.rgvarg[0].bstrVal);
  {
    std::lock_guard<std::mutex> lock(m_mutex);
    m_arrMacros.push_back(macro);
  }
  PrintMacro(macro);
  if (result != nullptr) VariantInit(result);
  return S_OK;
}

void AutomationObject::SetEntryField(const std::wstring& call) {
  std::lock_guard<std::mutex> lock(m_mutex);
  m_strEntryField = call;
}

void AutomationObject::SetFrequency(double hz) {
  std::lock_guard<std::mutex> lock(m_mutex);
  m_dFrequency = hz;
}

void AutomationObject::SetFault(HostMember member, MemberFault fault) {
  std::lock_guard<std::mutex> lock(m_mutex);
  m_faults[Slot(member)] = fault;
}

std::vector<std::wstring> AutomationObject::Macros() const {
  std::lock_guard<std::mutex> lock(m_mutex);
  return m_arrMacros;
}

int AutomationObject::Calls(HostMember member) const {
  std::lock_guard<std::mutex> lock(m_mutex);
  return m_nCalls[Slot(member)];
}

LONG AutomationObject::LastEntryFieldIndex() const {
  std::lock_guard<std::mutex> lock(m_mutex);
  return m_nLastEntryIndex;
}

void AutomationObject::SetPace(MemberPace pace) {
  std::lock_guard<std::mutex> lock(m_mutex);
  for (MemberPace& each : m_paces) each = pace;
}

void AutomationObject::SetPace(HostMember member, MemberPace pace) {
  std::lock_guard<std::mutex> lock(m_mutex);
  m_paces[Slot(member)] = pace;
}

void AutomationObject::SetInsideMemberAction(std::function<void()> action) {
  std::lock_guard<std::mutex> lock(m_mutex);
  m_insideMemberAction = std::move(action);
}

int AutomationObject::CallsInProgress() const { return m_nInProgress; }

// ---- the host ------------------------------------------------------------

AutomationHost::AutomationHost() : m_object(AutomationObject::Create()) {}

AutomationHost::~AutomationHost() { Stop(); }

const CLSID& AutomationHost::ClassId() { return kClassId; }

const wchar_t* AutomationHost::ProgId() { return kProgId; }

bool AutomationHost::StartOnThisThread(std::string& error) {
  if (m_hThread || m_bOnThisThread) return true;
  if (!RegisterProgId(error)) return false;
  // S_FALSE: the thread already is a single-threaded apartment; the call
  // is balanced all the same.
  const HRESULT init = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  if (FAILED(init)) {
    error = "this thread cannot serve the object (" + HexOf(init) + ")";
    return false;
  }
  const HRESULT hr = RegisterActiveObject(m_object.Get(), kClassId, ACTIVEOBJECT_STRONG, &m_cookie);
  if (FAILED(hr)) {
    CoUninitialize();
    error = "cannot register the running object (" + HexOf(hr) + ")";
    return false;
  }
  m_bOnThisThread = true;
  return true;
}

bool AutomationHost::Start(std::string& error) {
  if (m_hThread || m_bOnThisThread) return true;
  if (!RegisterProgId(error)) return false;
  m_hReady.reset(CreateEventW(nullptr, TRUE, FALSE, nullptr));
  if (!m_hReady) {
    error = "cannot create an event";
    return false;
  }
  m_hThread.reset(CreateThread(nullptr, 0, &ThreadMain, this, 0, &m_threadId));
  if (!m_hThread) {
    error = "cannot start the automation thread";
    return false;
  }
  if (!PumpUntilSignalled(m_hReady.get(), kThreadStartMs) || FAILED(m_registerResult)) {
    error = "cannot register the running object (" + HexOf(m_registerResult) + ")";
    Stop();
    return false;
  }
  return true;
}

void AutomationHost::Stop() {
  if (m_bOnThisThread) {
    StopOnThisThread();
    return;
  }
  if (!m_hThread) return;
  PostThreadMessageW(m_threadId, WM_QUIT, 0, 0);
  PumpUntilSignalled(m_hThread.get(), kThreadStopMs);
  m_hThread.reset();
  m_hReady.reset();
  m_threadId = 0;
}

void AutomationHost::StopOnThisThread() {
  RevokeActiveObject(m_cookie, nullptr);
  m_cookie = 0;
  CoUninitialize();
  m_bOnThisThread = false;
}

DWORD WINAPI AutomationHost::ThreadMain(void* self) {
  static_cast<AutomationHost*>(self)->Serve();
  return 0;
}

void AutomationHost::Serve() {
  const HRESULT init = CoInitialize(nullptr);
  if (FAILED(init)) {
    m_registerResult = init;
    SetEvent(m_hReady.get());
    return;
  }
  MSG msg;
  // The queue exists before anyone can post the quit message.
  PeekMessageW(&msg, nullptr, WM_USER, WM_USER, PM_NOREMOVE);
  DWORD cookie = 0;
  m_registerResult = RegisterActiveObject(m_object.Get(), kClassId, ACTIVEOBJECT_STRONG, &cookie);
  const bool registered = SUCCEEDED(m_registerResult);
  SetEvent(m_hReady.get());
  while (registered && GetMessageW(&msg, nullptr, 0, 0) > 0) {
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
  if (registered) RevokeActiveObject(cookie, nullptr);
  CoUninitialize();
}

}  // namespace orvosim
