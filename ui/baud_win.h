#pragma once
// The information window: the small top-most panel whose two boxes open and
// close the Moscow-districts and RDA windows. It owns the link to the host
// and the update timer, and runs the update step on the display thread.
#include <atomic>
#include <memory>

#include "framework/dialog.h"
#include "platform/win32_handles.h"
#include "ui/display_windows.h"
#include "ui/host_automation_win.h"

namespace stats {

class oblast;
class DXCC;

// Messages the host's thread posts to the window; their handlers run on the
// display thread, which owns the timer and the windows.
inline constexpr UINT kArmUpdateTimerMessage = WM_APP + 1;  // wParam: delay in ms
inline constexpr UINT kStopDisplayMessage = WM_APP + 2;
inline constexpr UINT_PTR kUpdateTimerId = 1500;

class baud : public CDialog, private DisplayWindows {
 public:
  baud();
  ~baud() override;

  // True when the start-up initialised COM on this thread (the display
  // thread then uninitialises it after the modal run).
  bool InitialisedCom() const { return m_bComInitialised; }

  // Ends the link to the host on the display thread. At unload the host's
  // thread cannot answer, so the link is only forgotten.
  void ReleaseHostLink(bool hostCanAnswer);

 protected:
  BOOL OnInitDialog() override;
  void DoDataExchange(DataExchange& dx) override;
  bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR& result) override;
  void PostNcDestroy() override;

 private:
  void UseEnglishTexts();
  void AttachToHost();
  void ArmUpdateTimer(UINT delayMs);
  template <typename Window>
  void ToggleWindow(std::unique_ptr<Window>& window, const char* shownKey);
  template <typename Window>
  void ReopenWindow(std::unique_ptr<Window>& window, int& shownBox);
  void OnShowMoscowClicked();
  void OnShowRdaClicked();
  void OnTimer();
  void OnStop();

  // The window operations of the update step.
  void KillUpdateTimer() override;
  bool IsMoscowWindowOpen() override;
  void OpenMoscowWindow() override;
  bool IsRdaWindowOpen() override;
  void OpenRdaWindow() override;
  void SetMoscowCaption(const std::string& text) override;
  void SetRdaCaption(const std::string& text) override;
  void SetMoscowTicks(const MoscowTicks& ticks) override;
  void RepaintRdaButton() override;

  int m_bShowMoscow = 0;  // box 1121
  int m_bShowRda = 0;     // box 1122
  UniqueBrush m_brBack;
  bool m_bComInitialised = false;
};

// The information window while the display thread owns one; null otherwise.
// Written by the display thread, read by the host's thread.
extern std::atomic<baud*> g_pBaud;
// Its window once it exists (the target of the host thread's messages);
// null before the dialog is created and after it is gone.
extern std::atomic<HWND> g_hBaudWindow;

// The two windows the information window opened; null when not open.
// Display thread only; each object is deleted exactly once, by its owner.
extern std::unique_ptr<oblast> g_pOblast;
extern std::unique_ptr<DXCC> g_pDxcc;

// The link to the host's automation object; empty when no host was found
// and after the display thread has ended its window. Display thread only.
extern HostAutomation g_hostAutomation;

// Destroys the Moscow-districts and RDA windows (display thread).
void CloseDistrictWindows();

// The display thread is gone without cleaning up (the process is ending) or
// would not end in time: its objects are left as they are, so that no
// destructor at unload touches another thread's windows or the host.
void AbandonDisplayObjects();

}  // namespace stats
