# Windows session for tests and for running the programs under Wine.
# Source this file, then call vx_session_ensure BUILD_DIR (idempotent, safe from parallel
# callers) and, when done, vx_session_stop BUILD_DIR. The session lives in BUILD_DIR:
#   wineprefix/        the Wine prefix (32-bit), made on first use (about 20 s)
#   wine-session/      process ids and the display of what this session started
# No virtual desktop: its X window belongs to explorer.exe, and where Wine runs through
# user-mode emulation explorer can die and take every later window with it; the root
# window of the session's own Xvfb cannot go away.

vx__pid_alive() { [ -n "$1" ] && kill -0 "$1" 2>/dev/null; }

vx__env() {
  local build=$1
  export WINEPREFIX="$build/wineprefix"
  export WINEARCH=win32
  export WINEDEBUG=-all
  # No Mono or Gecko installer prompts: the programs need neither.
  export WINEDLLOVERRIDES="mscoree=d;mshtml=d;winemenubuilder.exe=d"
  VX_STATE="$build/wine-session"
  mkdir -p "$VX_STATE"
}

vx__start_xvfb() {
  # Xvfb picks a free display number itself and reports it on a descriptor, so two
  # sessions started at the same moment never take one display between them.
  local fd="$VX_STATE/displayfd"
  : >"$fd"
  Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp -ac </dev/null >/dev/null 2>&1 3>"$fd" &
  local pid=$!
  local i n=
  for i in $(seq 1 300); do
    n=$(tr -dc 0-9 <"$fd")
    [ -n "$n" ] && [ -e "/tmp/.X11-unix/X$n" ] && break
    vx__pid_alive $pid || break
    sleep 0.1
  done
  if [ -n "$n" ] && vx__pid_alive $pid; then
    echo $pid >"$VX_STATE/xvfb.pid"
    echo ":$n" >"$VX_STATE/display"
    return 0
  fi
  kill $pid 2>/dev/null
  echo "winesession: could not start Xvfb" >&2
  return 1
}

vx__init_prefix() {
  local reg="$VX_STATE/vornix.reg"
  cat >"$reg" <<'REG'
REGEDIT4

[HKEY_CURRENT_USER\Software\Wine\Fonts\Replacements]
"Times New Roman"="Liberation Serif"
"Courier New"="Liberation Mono"
"Arial"="Liberation Sans"
"MS Sans Serif"="Liberation Sans"

[HKEY_CURRENT_USER\Software\Wine\WineDbg]
"ShowCrashDialog"=dword:00000000

[HKEY_CURRENT_USER\Software\Wine\Drivers]
"Audio"=""
REG
  wineboot -i </dev/null >/dev/null 2>&1
  # Here Wine drew the caption buttons as letters, the symbol font in its own folder not
  # being picked up; a copy in the prefix's Fonts folder is.
  local f
  for f in /usr/share/wine/fonts/marlett.ttf /usr/lib/wine/fonts/marlett.ttf; do
    [ -f "$f" ] && cp "$f" "$WINEPREFIX/drive_c/windows/Fonts/" 2>/dev/null && break
  done
  wine regedit /S "$(winepath -w "$reg" 2>/dev/null)" </dev/null >/dev/null 2>&1
  touch "$WINEPREFIX/.vornix-ready"
}

vx__start_wineserver() {
  # Our own persistent server, its streams on /dev/null: a wineserver that inherits
  # the caller's pipe keeps it open and the caller never sees the end of it.
  wineserver -f -p </dev/null >/dev/null 2>&1 &
  echo $! >"$VX_STATE/wineserver.pid"
  sleep 0.2
}

vx_session_ensure() {
  local build
  build=$(cd "$1" && pwd)
  vx__env "$build"
  exec 9>"$VX_STATE/lock"
  flock 9
  if [ -z "${DISPLAY:-}" ] || [ -f "$VX_STATE/display" ]; then
    local xpid
    xpid=$(cat "$VX_STATE/xvfb.pid" 2>/dev/null)
    if ! vx__pid_alive "$xpid"; then
      rm -f "$VX_STATE/display" "$VX_STATE/xvfb.pid"
      vx__start_xvfb || { flock -u 9; return 1; }
    fi
    export DISPLAY=$(cat "$VX_STATE/display")
  fi
  # The server refuses a prefix folder that does not exist yet; without our persistent
  # server every program starts a short-lived one and the prefix set-up is begun again.
  mkdir -p "$WINEPREFIX"
  local spid
  spid=$(cat "$VX_STATE/wineserver.pid" 2>/dev/null)
  vx__pid_alive "$spid" || vx__start_wineserver
  [ -f "$WINEPREFIX/.vornix-ready" ] || vx__init_prefix
  flock -u 9
  exec 9>&-
}

# The desktop window belongs to the wineserver, its X window to explorer.exe: when explorer
# dies (it can, under user-mode emulation), every later window fails with BadWindow. This
# starts the session's server anew, once per broken generation however many callers saw it.
vx_session_restart() {
  local build seen cur
  build=$(cd "$1" && pwd)
  seen=$2
  vx__env "$build"
  exec 9>"$VX_STATE/lock"
  flock 9
  cur=$(cat "$VX_STATE/generation" 2>/dev/null || echo 0)
  if [ "$cur" = "$seen" ]; then
    wineserver -k </dev/null >/dev/null 2>&1
    local pid
    pid=$(cat "$VX_STATE/wineserver.pid" 2>/dev/null)
    for _ in $(seq 1 100); do vx__pid_alive "$pid" || break; sleep 0.1; done
    vx__pid_alive "$pid" && kill -9 "$pid" 2>/dev/null
    vx__start_wineserver
    echo $((cur + 1)) >"$VX_STATE/generation"
  fi
  flock -u 9
  exec 9>&-
}

vx_session_generation() { cat "$VX_STATE/generation" 2>/dev/null || echo 0; }

vx_session_stop() {
  local build
  build=$(cd "$1" && pwd) || return 0
  vx__env "$build"
  wineserver -k </dev/null >/dev/null 2>&1
  local f pid
  for f in wineserver xvfb; do
    pid=$(cat "$VX_STATE/$f.pid" 2>/dev/null)
    if vx__pid_alive "$pid"; then
      kill "$pid" 2>/dev/null
      for _ in $(seq 1 50); do vx__pid_alive "$pid" || break; sleep 0.1; done
      vx__pid_alive "$pid" && kill -9 "$pid" 2>/dev/null
    fi
    rm -f "$VX_STATE/$f.pid"
  done
  rm -f "$VX_STATE/display"
}
