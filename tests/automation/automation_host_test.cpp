// The simulator's automation object, reached the way the plug-in reaches
// it: a thread of its own apartment turns the ProgID into the class, finds
// the running object, asks for IDispatch and invokes by dispatch id.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "automation_object_win.h"
#include "message_pump_win.h"
#include "platform/win32_handles.h"

namespace orvosim {
namespace {

// One argument of a call: a number or a text.
struct Arg {
  VARTYPE vt;
  LONG number = 0;
  const wchar_t* text = L"";
};

struct Answer {
  HRESULT hr = E_UNEXPECTED;
  VARTYPE vt = VT_ILLEGAL;
  double number = 0.0;
  std::wstring text;
  bool nullDispatch = false;
  SCODE exceptionCode = S_OK;
};

std::string Hex(HRESULT hr) {
  char text[16];
  std::snprintf(text, sizeof text, "0x%08lx", static_cast<unsigned long>(hr));
  return text;
}

std::string Narrow(const std::wstring& text) { return std::string(text.begin(), text.end()); }

HRESULT Attach(ComPtr<IDispatch>& dispatch) {
  CLSID clsid{};
  HRESULT hr = CLSIDFromProgID(L"Orvo2.Application", &clsid);
  if (FAILED(hr)) return hr;
  ComPtr<IUnknown> unknown;
  hr = GetActiveObject(clsid, nullptr, unknown.Put());
  if (FAILED(hr)) return hr;
  return unknown->QueryInterface(IID_IDispatch, dispatch.PutVoid());
}

Answer Call(IDispatch* dispatch, DISPID id, WORD flags, const std::vector<Arg>& args) {
  std::vector<UniqueVariant> owned(args.size());
  std::vector<VARIANT> packed(args.size());
  for (std::size_t i = 0; i < args.size(); ++i) {
    VARIANT* v = owned[args.size() - 1 - i].Get();  // right to left
    v->vt = args[i].vt;
    if (args[i].vt == VT_I4) v->lVal = args[i].number;
    if (args[i].vt == VT_BSTR) v->bstrVal = UniqueBstr(args[i].text).Release();
  }
  for (std::size_t i = 0; i < owned.size(); ++i) packed[i] = *owned[i];
  DISPPARAMS params{packed.data(), nullptr, static_cast<UINT>(packed.size()), 0};
  UniqueVariant result;
  EXCEPINFO exception{};
  UINT argError = 0;
  Answer a;
  a.hr = dispatch->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, flags, &params, result.Get(),
                          &exception, &argError);
  a.vt = (*result).vt;
  if (a.vt == VT_R8) a.number = (*result).dblVal;
  if (a.vt == VT_BSTR) a.text = TextOf((*result).bstrVal);
  if (a.vt == VT_DISPATCH) a.nullDispatch = (*result).pdispVal == nullptr;
  a.exceptionCode = exception.scode;
  SysFreeString(exception.bstrSource);
  SysFreeString(exception.bstrDescription);
  SysFreeString(exception.bstrHelpFile);
  return a;
}

void RunAsClient(const std::function<void(IDispatch*)>& body) {
  CoInitialize(nullptr);
  {
    ComPtr<IDispatch> dispatch;
    const HRESULT hr = Attach(dispatch);
    EXPECT_EQ(hr, S_OK) << "attach: " << Hex(hr);
    if (dispatch) body(dispatch.Get());
  }
  CoUninitialize();
}

// Runs `body` with the host's object on a thread of its own apartment, as
// the plug-in's display thread does.
void AsClient(const std::function<void(IDispatch*)>& body) {
  std::thread client([&] { RunAsClient(body); });
  client.join();
}

Answer ClientCall(DISPID id, WORD flags, const std::vector<Arg>& args) {
  Answer a;
  AsClient([&](IDispatch* d) { a = Call(d, id, flags, args); });
  return a;
}

Answer ReadFrequency() { return ClientCall(kDispidFrequency, DISPATCH_PROPERTYGET, {}); }
Answer ReadCall() { return ClientCall(kDispidEntryField, DISPATCH_METHOD, {{VT_I4, 5}}); }

class AutomationHostTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string error;
    ASSERT_TRUE(m_host.Start(error)) << error;
  }
  void TearDown() override { m_host.Stop(); }
  AutomationHost m_host;
};

TEST_F(AutomationHostTest, AnswersTheFrequencyInHertz) {
  for (double hz : {0.0, 3520000.0, 7030000.5, 29000000.0}) {
    m_host.Object().SetFrequency(hz);
    const Answer a = ReadFrequency();
    EXPECT_EQ(a.hr, S_OK) << hz;
    EXPECT_EQ(a.vt, VT_R8) << hz;
    EXPECT_EQ(a.number, hz) << hz;
  }
}

TEST_F(AutomationHostTest, AnswersTheCallBeingEntered) {
  for (const wchar_t* call : {L"", L"R6SLW", L"UA9ABC/P", L"\x0420\x0033"}) {
    m_host.Object().SetEntryField(call);
    const Answer a = ReadCall();
    EXPECT_EQ(a.hr, S_OK) << Narrow(call);
    EXPECT_EQ(a.vt, VT_BSTR) << Narrow(call);
    EXPECT_EQ(a.text, call) << Narrow(call);
  }
  EXPECT_EQ(m_host.Object().LastEntryFieldIndex(), 5);
}

TEST_F(AutomationHostTest, KeepsTheMacrosInOrder) {
  AsClient([](IDispatch* d) {
    for (const wchar_t* m : {L"<MODE:RTTY>", L"<BAUDRATE:45.45>", L"<SP1>"}) {
      EXPECT_EQ(Call(d, kDispidRunMacro, DISPATCH_METHOD, {{VT_BSTR, 0, m}}).hr, S_OK) << Narrow(m);
    }
  });
  EXPECT_EQ(m_host.Object().Macros(),
            (std::vector<std::wstring>{L"<MODE:RTTY>", L"<BAUDRATE:45.45>", L"<SP1>"}));
  EXPECT_EQ(m_host.Object().Calls(HostMember::RunMacro), 3);
}

struct WrongCall {
  const char* what;
  DISPID id;
  WORD flags;
  std::vector<Arg> args;
  HRESULT expected;
};

TEST_F(AutomationHostTest, RefusesCallsOfTheWrongShape) {
  const WrongCall cases[] = {
      {"frequency with an argument", 2, DISPATCH_PROPERTYGET, {{VT_I4, 5}}, DISP_E_BADPARAMCOUNT},
      {"frequency as a put", 2, DISPATCH_PROPERTYPUT, {{VT_I4, 5}}, DISP_E_MEMBERNOTFOUND},
      {"entry field without index", 8, DISPATCH_METHOD, {}, DISP_E_BADPARAMCOUNT},
      {"entry field with two", 8, DISPATCH_METHOD, {{VT_I4, 5}, {VT_I4, 5}}, DISP_E_BADPARAMCOUNT},
      {"entry field by text", 8, DISPATCH_METHOD, {{VT_BSTR, 0, L"5"}}, DISP_E_TYPEMISMATCH},
      {"macro without text", 16, DISPATCH_METHOD, {}, DISP_E_BADPARAMCOUNT},
      {"macro as a number", 16, DISPATCH_METHOD, {{VT_I4, 1}}, DISP_E_TYPEMISMATCH},
      {"unknown member", 3, DISPATCH_METHOD, {}, DISP_E_MEMBERNOTFOUND},
  };
  for (const WrongCall& c : cases) {
    EXPECT_EQ(Hex(ClientCall(c.id, c.flags, c.args).hr), Hex(c.expected)) << c.what;
  }
  EXPECT_TRUE(m_host.Object().Macros().empty());
}

struct FaultCase {
  const char* what;
  HostMember member;
  MemberFault fault;
  HRESULT hr;
  VARTYPE vt;
};

TEST_F(AutomationHostTest, EachMemberFailsAsItIsTold) {
  const FaultCase cases[] = {
      {"frequency disconnected", HostMember::Frequency, MemberFault::Fail(RPC_E_DISCONNECTED),
       RPC_E_DISCONNECTED, VT_EMPTY},
      {"frequency as text", HostMember::Frequency, MemberFault::WrongType(VT_BSTR), S_OK, VT_BSTR},
      {"frequency empty", HostMember::Frequency, MemberFault::WrongType(VT_EMPTY), S_OK, VT_EMPTY},
      {"call disconnected", HostMember::EntryField, MemberFault::Fail(RPC_E_DISCONNECTED),
       RPC_E_DISCONNECTED, VT_EMPTY},
      {"call as null object", HostMember::EntryField, MemberFault::WrongType(VT_DISPATCH), S_OK,
       VT_DISPATCH},
      {"call empty", HostMember::EntryField, MemberFault::WrongType(VT_EMPTY), S_OK, VT_EMPTY},
      {"call as number", HostMember::EntryField, MemberFault::WrongType(VT_I4), S_OK, VT_I4},
  };
  for (const FaultCase& c : cases) {
    m_host.Object().SetFault(c.member, c.fault);
    const Answer a = c.member == HostMember::Frequency ? ReadFrequency() : ReadCall();
    m_host.Object().SetFault(c.member, MemberFault::Succeed());
    EXPECT_EQ(Hex(a.hr), Hex(c.hr)) << c.what;
    if (SUCCEEDED(c.hr)) {
      EXPECT_EQ(a.vt, c.vt) << c.what;
    }
    if (c.vt == VT_BSTR) {
      EXPECT_EQ(a.text, L"abc") << c.what;
    }
    if (c.vt == VT_DISPATCH) {
      EXPECT_TRUE(a.nullDispatch) << c.what;
    }
  }
  EXPECT_EQ(ReadFrequency().vt, VT_R8) << "back to normal";
}

TEST_F(AutomationHostTest, GoneAfterStopAndBackAfterStart) {
  m_host.Stop();
  std::thread client([] {
    CoInitialize(nullptr);
    {
      ComPtr<IDispatch> dispatch;
      EXPECT_TRUE(FAILED(Attach(dispatch))) << "the object is still registered";
    }
    CoUninitialize();
  });
  client.join();
  std::string error;
  ASSERT_TRUE(m_host.Start(error)) << error;
  EXPECT_EQ(ReadFrequency().hr, S_OK);
}

// The object served as a host's window thread serves it: on the test's own
// thread, which answers other apartments only while it serves its messages.
class ServedOnThisThreadTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string error;
    ASSERT_TRUE(m_host.StartOnThisThread(error)) << error;
  }
  void TearDown() override { m_host.Stop(); }

  // Starts `body` as a client on a thread of its own; `m_done` is set when
  // it has finished.
  void StartClient(std::function<void(IDispatch*)> body) {
    m_done.reset(CreateEventW(nullptr, TRUE, FALSE, nullptr));
    m_client = std::thread([this, body = std::move(body)] {
      RunAsClient(body);
      SetEvent(m_done.get());
    });
  }
  // Serves this thread's messages until the client has finished.
  void ServeUntilClientDone() {
    EXPECT_TRUE(PumpUntilSignalled(m_done.get(), 10000)) << "the client did not finish";
    m_client.join();
  }

  AutomationHost m_host;
  stats::UniqueKernelObject m_done;
  std::thread m_client;
};

TEST_F(ServedOnThisThreadTest, AnswersOnlyWhileThisThreadServesItsMessages) {
  m_host.Object().SetFrequency(7030000.0);
  Answer a;
  StartClient([&a](IDispatch* d) { a = Call(d, kDispidFrequency, DISPATCH_PROPERTYGET, {}); });
  Sleep(300);  // not serving: the client's call waits in this thread's queue
  EXPECT_EQ(WaitForSingleObject(m_done.get(), 0), static_cast<DWORD>(WAIT_TIMEOUT));
  ServeUntilClientDone();
  EXPECT_EQ(a.hr, S_OK);
  EXPECT_EQ(a.number, 7030000.0);
}

struct PaceCase {
  const char* what;
  MemberPace pace;
};

// The action set for inside a member runs once, on the serving thread,
// while that member is in progress; a member with its own loop runs it from
// a timer that loop dispatches.
TEST_F(ServedOnThisThreadTest, RunsTheInsideMemberActionOnceWithinTheNextMember) {
  const PaceCase cases[] = {
      {"prompt", {MemberPace::Kind::Prompt, 0}},
      {"blocking", {MemberPace::Kind::Blocking, 100}},
      {"own loop", {MemberPace::Kind::OwnLoop, 100}},
  };
  const DWORD servingThread = GetCurrentThreadId();
  for (const PaceCase& c : cases) {
    AutomationObject& object = m_host.Object();
    object.SetPace(c.pace);
    int runs = 0;
    int inProgress = -1;
    DWORD thread = 0;
    object.SetInsideMemberAction([&] {
      ++runs;
      inProgress = object.CallsInProgress();
      thread = GetCurrentThreadId();
    });
    StartClient([](IDispatch* d) {
      for (int i = 0; i < 2; ++i) {
        EXPECT_EQ(Call(d, kDispidFrequency, DISPATCH_PROPERTYGET, {}).hr, S_OK);
      }
    });
    ServeUntilClientDone();
    EXPECT_EQ(runs, 1) << c.what;
    EXPECT_EQ(inProgress, 1) << c.what;
    EXPECT_EQ(thread, servingThread) << c.what;
    EXPECT_EQ(object.CallsInProgress(), 0) << c.what;
  }
}

}  // namespace
}  // namespace orvosim
