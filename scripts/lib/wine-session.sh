# Sourced by the scripts that run Windows programs under wine. Starts a
# virtual display, a private wine prefix inside the build tree and a
# persistent wineserver; wine_session_stop undoes all of it.
#   WINE_SESSION_NAME  prefix name under build/ (default: wineprefix)
#   WINE_SESSION_WINDOW_MANAGER=openbox
#                      runs that window manager on the display and leaves
#                      wine's windows managed, as on an operator's Linux
#                      desktop (for measurements: every hide then waits for
#                      the manager); installed when missing

wine_session_start() {
  local root
  root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
  export WINEPREFIX="$root/build/${WINE_SESSION_NAME:-wineprefix}"
  export WINEDEBUG=-all
  export WINEDLLOVERRIDES="mscoree=;mshtml="
  # Code page 1251 as on a Russian Windows, so the Cyrillic texts show
  # (en_US.UTF-8 gives code page 1252). Handed only to the programs started
  # through wine_run. The locale must be generated (scripts/ensure-deps.sh
  # does it): wine names the Unix files in the locale's character set, and
  # without it a folder with a Cyrillic name is out of wine's reach.
  WINE_SESSION_LOCALE=ru_RU.UTF-8
  locale -a 2>/dev/null | grep -qx 'ru_RU.utf8' ||
    echo "wine-session: locale $WINE_SESSION_LOCALE is not generated; run scripts/ensure-deps.sh as root" >&2

  # A display first: a wine session started without one stays without one.
  # Xvfb picks a free display number itself and writes it once it accepts
  # connections, so sessions started together cannot take the same one.
  local number_file
  number_file=$(mktemp)
  Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$number_file" >/dev/null 2>&1 &
  WINE_SESSION_XVFB=$!
  local n=""
  for _ in $(seq 1 100); do
    n=$(tr -dc '0-9' <"$number_file")
    [ -n "$n" ] && break
    kill -0 "$WINE_SESSION_XVFB" 2>/dev/null || break
    sleep 0.1
  done
  rm -f "$number_file"
  if [ -z "$n" ]; then
    echo "wine-session: the virtual display did not start" >&2
    kill "$WINE_SESSION_XVFB" >/dev/null 2>&1 || true
    WINE_SESSION_XVFB=""
    return 1
  fi
  export DISPLAY=":$n"

  WINE_SESSION_WM_PID=""
  if [ -n "${WINE_SESSION_WINDOW_MANAGER:-}" ]; then
    command -v "$WINE_SESSION_WINDOW_MANAGER" >/dev/null ||
      DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "$WINE_SESSION_WINDOW_MANAGER" >/dev/null
    "$WINE_SESSION_WINDOW_MANAGER" >/dev/null 2>&1 &
    WINE_SESSION_WM_PID=$!
    sleep 1
  fi

  mkdir -p "$WINEPREFIX"
  wine_run wineserver -p >/dev/null 2>&1 </dev/null
  wine_run wine wineboot >/dev/null 2>&1 </dev/null || true
  # Without a window manager every hide or destroy would wait about 2 s;
  # with one, wine's windows are managed as on a desktop.
  local managed=N
  [ -z "$WINE_SESSION_WM_PID" ] || managed=Y
  wine_run wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d "$managed" /f >/dev/null 2>&1 </dev/null || true
  # A crashing test program reports its crash and ends instead of waiting
  # in the debugger's dialog, which nobody would ever answer.
  wine_run wine reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f >/dev/null 2>&1 </dev/null || true
  # This wine does not load the packaged fonts from their own folder.
  local fonts="$WINEPREFIX/drive_c/windows/Fonts"
  if [ -d /usr/share/wine/fonts ] && [ -d "$fonts" ]; then
    cp -n /usr/share/wine/fonts/* "$fonts/" 2>/dev/null || true
  fi
}

# Runs a command (wine itself, or ctest that starts wine) in the session's
# locale.
wine_run() {
  env LC_ALL="${WINE_SESSION_LOCALE:-ru_RU.UTF-8}" "$@"
}

wine_session_stop() {
  wineserver -k >/dev/null 2>&1 || true
  if [ -n "${WINE_SESSION_WM_PID:-}" ]; then
    kill "$WINE_SESSION_WM_PID" >/dev/null 2>&1 || true
    wait "$WINE_SESSION_WM_PID" 2>/dev/null || true
  fi
  if [ -n "${WINE_SESSION_XVFB:-}" ]; then
    kill "$WINE_SESSION_XVFB" >/dev/null 2>&1 || true
    wait "$WINE_SESSION_XVFB" 2>/dev/null || true
  fi
}
