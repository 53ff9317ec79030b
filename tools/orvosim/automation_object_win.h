#pragma once
// The host's automation object as plug-ins see it: "Orvo2.Application",
// reached with GetActiveObject and called through IDispatch by dispatch id
// (there is no type information and no names):
//   2   property get, no arguments          -> VT_R8, frequency in Hz
//   8   method, one VT_I4 (5: the call)     -> VT_BSTR, the entry field
//   16  method, one VT_BSTR                 runs the text as a macro
// The simulator sets the frequency and the entry field as the operator
// tunes and types; every macro received is kept and printed to stdout as
// "macro: <text>". Tests can make each member fail or answer with a wrong
// type.
//
// AutomationHost registers the object where GetActiveObject finds it and
// serves it from a thread of its own.
#include <windows.h>

#include <atomic>
#include <mutex>
#include <string>
#include <vector>

#include "com_owners_win.h"
#include "platform/win32_handles.h"

namespace orvosim {

inline constexpr DISPID kDispidFrequency = 2;
inline constexpr DISPID kDispidEntryField = 8;
inline constexpr DISPID kDispidRunMacro = 16;
// The entry-field index that names the call being entered.
inline constexpr LONG kEntryFieldCall = 5;

enum class HostMember { Frequency, EntryField, RunMacro };

// How a member answers: as it should, with a failed HRESULT, or with a
// result of the wrong type (VT_EMPTY, VT_NULL, VT_I4 0, VT_R8 0.0,
// VT_BSTR "abc", VT_DISPATCH null). A failing RunMacro keeps no macro.
struct MemberFault {
  enum class Kind { None, Failure, WrongType };
  Kind kind = Kind::None;
  HRESULT failure = S_OK;
  VARTYPE wrongType = VT_EMPTY;

  static MemberFault Succeed() { return {}; }
  static MemberFault Fail(HRESULT hr) { return {Kind::Failure, hr, VT_EMPTY}; }
  static MemberFault WrongType(VARTYPE type) { return {Kind::WrongType, S_OK, type}; }
};

class AutomationObject final : public IDispatch {
 public:
  // Created with one reference, which the caller owns.
  static ComPtr<AutomationObject> Create();

  // IUnknown
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** object) override;
  ULONG STDMETHODCALLTYPE AddRef() override;
  ULONG STDMETHODCALLTYPE Release() override;
  // IDispatch
  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override;
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo** info) override;
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT names, LCID,
                                          DISPID* ids) override;
  HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID riid, LCID, WORD flags, DISPPARAMS* params,
                                   VARIANT* result, EXCEPINFO* exception, UINT* argError) override;

  // The simulator's side; any thread.
  void SetEntryField(const std::wstring& call);
  void SetFrequency(double hz);
  void SetFault(HostMember member, MemberFault fault);
  std::vector<std::wstring> Macros() const;
  // How many calls reached the member, failed ones included.
  int Calls(HostMember member) const;
  // The index of the last entry-field request; -1 before the first.
  LONG LastEntryFieldIndex() const;

 private:
  AutomationObject() = default;
  HRESULT ReadFrequency(const DISPPARAMS& params, VARIANT* result);
  HRESULT ReadEntryField(const DISPPARAMS& params, VARIANT* result, UINT* argError);
  HRESULT RunMacro(const DISPPARAMS& params, VARIANT* result, UINT* argError);
  // Counts the call; true with `hr` set when the member is to fail now.
  bool Faulted(HostMember member, EXCEPINFO* exception, HRESULT& hr, MemberFault& fault);

  std::atomic<ULONG> m_nRefs{1};
  mutable std::mutex m_mutex;
  std::wstring m_strEntryField;
  double m_dFrequency = 0.0;
  std::vector<std::wstring> m_arrMacros;
  MemberFault m_faults[3];
  int m_nCalls[3] = {};
  LONG m_nLastEntryIndex = -1;
};

// Registers "Orvo2.Application" under HKEY_CLASSES_ROOT and keeps the
// object in the running object table while started. The registering thread
// is a single-threaded apartment that pumps messages, so calls from other
// apartments reach the object on it.
class AutomationHost {
 public:
  AutomationHost();
  ~AutomationHost();
  AutomationHost(const AutomationHost&) = delete;
  AutomationHost& operator=(const AutomationHost&) = delete;

  // False with the reason in `error` when the ProgID cannot be written or
  // the object cannot be registered. Returns once the object is reachable.
  bool Start(std::string& error);
  // Revokes the object and ends the thread; nothing when not started.
  void Stop();
  AutomationObject& Object() { return *m_object.Get(); }

  static const CLSID& ClassId();
  static const wchar_t* ProgId();

 private:
  static DWORD WINAPI ThreadMain(void* self);
  void Serve();

  ComPtr<AutomationObject> m_object;
  stats::UniqueKernelObject m_hThread;
  DWORD m_threadId = 0;
  stats::UniqueKernelObject m_hReady;  // set once the object is registered (or failed to be)
  HRESULT m_registerResult = E_FAIL;  // written by the thread before m_hReady is set
};

}  // namespace orvosim
