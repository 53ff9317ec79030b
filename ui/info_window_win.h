#pragma once
// The information window: the small top-most panel whose two boxes open and
// close the Moscow-districts and RDA windows. It owns the link to the host
// and the update timer, and runs the update step on the display thread.
#include <memory>

#include "framework/dialog.h"
#include "platform/win32_handles.h"
#include "ui/display_windows.h"

namespace stats {

class baud : public CDialog, private DisplayWindows {
 public:
  baud();
  ~baud() override;

  // How the window's run on the display thread ended: not yet; closed (by
  // the operator, or stopped to hide); stopped for the unload, which leaves
  // the windows to the system.
  enum class RunEnd { None, Closed, Unload };
  RunEnd Ended() const { return m_runEnd; }
  // The stop has come: nothing is armed, updated or acted on any more.
  bool Stopped() const { return m_bStopped; }

 protected:
  BOOL OnInitDialog() override;
  void DoDataExchange(DataExchange& dx) override;
  void OnOK() override;
  void OnCancel() override;
  bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR& result) override;
  void PostNcDestroy() override;

 private:
  void UseEnglishTexts();
  void AttachToHost();
  void OnStarted();
  void ArmUpdateTimer(UINT delayMs);
  template <typename Window>
  void ToggleWindow(std::unique_ptr<Window>& window, const char* shownKey);
  template <typename Window>
  void ReopenWindow(std::unique_ptr<Window>& window, int& shownBox);
  void OnShowMoscowClicked();
  void OnShowRdaClicked();
  void OnTimer();
  void RetryWhatWentUnanswered();
  void OnStop(WPARAM why);
  void EndRun(RunEnd how);

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
  bool m_bHostFound = false;      // the start-up reached the host's automation object
  bool m_bAttachPending = false;  // the host did not answer the start-up in time
  bool m_bStopped = false;        // the stop came; nothing is armed or updated any more
  bool m_bAskingHost = false;     // a step or the start-up waits for the host's answers
  RunEnd m_runEnd = RunEnd::None;
};

}  // namespace stats
