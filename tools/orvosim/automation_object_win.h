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
// type, and can pace every member as a slow host does: answer at once,
// block its thread, or wait while serving its thread's messages.
//
// AutomationHost registers the object where GetActiveObject finds it and
// serves it on the calling thread, as a host's main window thread does, or
// from a thread of its own.
#include <windows.h>

#include <atomic>
#include <functional>
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
inline constexpr int kHostMemberCount = 3;

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

// How long each member takes before it answers, and what its thread does
// meanwhile. Blocking sleeps and serves nothing; OwnLoop runs a message
// loop of its own for the time (as a host waiting for its radio does), so
// the thread's timers, posted messages and incoming calls run inside the
// member.
struct MemberPace {
  enum class Kind { Prompt, Blocking, OwnLoop };
  Kind kind = Kind::Prompt;
  DWORD ms = 0;
};

class AutomationObject final : public IDispatch {
 public:
  using MemberPace = orvosim::MemberPace;

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

  // Every member from now on takes this pace.
  void SetPace(MemberPace pace);
  // One member from now on takes this pace.
  void SetPace(HostMember member, MemberPace pace);
  // Runs `action` once, inside the next member call, on the thread serving
  // the object, in the middle of the member's wait: for OwnLoop from a
  // thread timer that fires in the member's own loop (as a host's "switch
  // contest" timer would), otherwise directly. Then it is cleared.
  void SetInsideMemberAction(std::function<void()> action);
  // Member calls running now, nested ones counted.
  int CallsInProgress() const;

 private:
  AutomationObject() = default;
  HRESULT Answer(HostMember member, const DISPPARAMS& p, VARIANT* result, EXCEPINFO* exception,
                 UINT* argError);
  // The member's wait, with the inside-member action if one is set.
  void Pace(HostMember member);
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
  MemberFault m_faults[kHostMemberCount];  // by HostMember
  int m_nCalls[kHostMemberCount] = {};
  LONG m_nLastEntryIndex = -1;
  MemberPace m_paces[kHostMemberCount];
  std::function<void()> m_insideMemberAction;
  std::atomic<int> m_nInProgress{0};
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

  // Serves the object on the calling thread, which then has to serve its
  // messages for calls from other apartments to be answered. The thread
  // becomes a single-threaded apartment unless it already is one; a thread
  // of the multithreaded apartment is refused. False with the reason in
  // `error` when the ProgID cannot be written or the object cannot be
  // registered.
  bool StartOnThisThread(std::string& error);
  // Serves the object from a thread of its own. Returns once the object is
  // reachable; false with the reason in `error` as above.
  bool Start(std::string& error);
  // Revokes the object, and ends the serving thread or leaves the calling
  // thread's apartment as StartOnThisThread found it. Called on the thread
  // that started the host; nothing when not started.
  void Stop();
  AutomationObject& Object() { return *m_object.Get(); }

  static const CLSID& ClassId();
  static const wchar_t* ProgId();

 private:
  static DWORD WINAPI ThreadMain(void* self);
  void Serve();
  void StopOnThisThread();

  ComPtr<AutomationObject> m_object;
  stats::UniqueKernelObject m_hThread;
  DWORD m_threadId = 0;
  stats::UniqueKernelObject m_hReady;  // set once the object is registered (or failed to be)
  HRESULT m_registerResult = E_FAIL;  // written by the thread before m_hReady is set
  // Served on the thread that started it (whose COM it initialised once
  // more), with its running-object cookie.
  bool m_bOnThisThread = false;
  DWORD m_cookie = 0;
};

}  // namespace orvosim
