#include "ui/display_state.h"

namespace stats {

std::string g_strCurCall;
int g_nCurBand = -1;
double g_dLastMacroFreq = 0.0;
SharedButtonContent g_buttonContent;

void RestoreDisplayLoadState() {
  g_strCurCall.clear();
  g_nCurBand = -1;
  g_dLastMacroFreq = 0.0;
  g_buttonContent.reset();
}

}  // namespace stats
