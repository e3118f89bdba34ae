# Wine sessions for tests and for running the programs. Source this file.
#
# A build has one template prefix, BUILD/wineprefix, made once (about 20 s) and never run in.
# Every test program gets a session of its own, copied from it in a tenth of a second:
#   BUILD/wine-sessions/NAME/prefix   the prefix: hard links, with private copies of the
#                                     files Wine rewrites in place (registry, INI files)
#   BUILD/wine-sessions/NAME/bin      the program folder: hard links to the programs and
#                                     DLLs, copies of the data files
#   BUILD/wine-sessions/NAME/*.pid    its own Xvfb and wineserver
# and its own virtual desktop, so that no two tests ever share a registry, a file in the
# program folder, a window, the focus or the clipboard, and CTest can run them all at once.
#
#   vx_template_ensure BUILD       make the template prefix (idempotent, safe from parallel callers)
#   vx_session_open BUILD NAME     make a session and export WINEPREFIX, DISPLAY and VX_SESSION;
#                                  NAME "" makes a fresh one; a named one is kept and reused
#   vx_session_bin BUILD           give the session its own copy of BUILD/bin
#   vx_session_close [keep]        stop its wineserver and Xvfb; remove it unless keep
#   vx_sessions_reap BUILD         stop what sessions of the build left running

VX_DESKTOP_SIZE=${VX_DESKTOP_SIZE:-1280x1024}

vx__pid_alive() { [ -n "$1" ] && kill -0 "$1" 2>/dev/null; }

vx__env() {
  export WINEARCH=win32
  export WINEDEBUG=-all
  # No Mono or Gecko installer prompts: the programs need neither.
  export WINEDLLOVERRIDES="mscoree=d;mshtml=d;winemenubuilder.exe=d"
}

# Starts an Xvfb on a display it chooses itself (reported on a descriptor, so sessions
# started at the same moment never take one display between them). Writes DIR/xvfb.pid
# and DIR/display.
vx__start_xvfb() {
  local dir=$1 fd="$1/displayfd"
  : >"$fd"
  Xvfb -displayfd 3 -screen 0 ${VX_DESKTOP_SIZE}x24 -nolisten tcp -ac </dev/null >/dev/null 2>&1 3>"$fd" &
  local pid=$! i n=
  for i in $(seq 1 300); do
    n=$(tr -dc 0-9 <"$fd")
    [ -n "$n" ] && [ -e "/tmp/.X11-unix/X$n" ] && break
    vx__pid_alive $pid || break
    sleep 0.05
  done
  if [ -n "$n" ] && vx__pid_alive $pid; then
    echo $pid >"$dir/xvfb.pid"
    echo ":$n" >"$dir/display"
    return 0
  fi
  kill $pid 2>/dev/null
  echo "winesession: could not start Xvfb" >&2
  return 1
}

# A persistent server with its streams on /dev/null: a wineserver that inherits the
# caller's pipe keeps it open and the caller never sees the end of it.
vx__start_wineserver() {
  local dir=$1
  wineserver -f -p </dev/null >/dev/null 2>&1 &
  echo $! >"$dir/wineserver.pid"
}

vx__stop_pidfile() {
  local f=$1 pid
  pid=$(cat "$f" 2>/dev/null)
  if vx__pid_alive "$pid"; then
    kill "$pid" 2>/dev/null
    for _ in $(seq 1 50); do vx__pid_alive "$pid" || break; sleep 0.05; done
    vx__pid_alive "$pid" && kill -9 "$pid" 2>/dev/null
  fi
  rm -f "$f"
}

vx__write_template_reg() {
  cat >"$1" <<'REG'
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
}

vx_template_ensure() {
  local build template lock
  build=$(cd "$1" && pwd) || return 1
  template="$build/wineprefix"
  vx__env
  mkdir -p "$build/wine-sessions"
  lock="$build/wine-sessions/template.lock"
  (
    flock 9
    [ -f "$template/.vornix-ready" ] && exit 0
    echo "winesession: making the template Wine prefix (once per build, about 20 s)" >&2
    rm -rf "$template"
    mkdir -p "$template"
    local work="$build/wine-sessions/template-init"
    rm -rf "$work"; mkdir -p "$work"
    export WINEPREFIX="$template"
    vx__start_xvfb "$work" || exit 1
    export DISPLAY=$(cat "$work/display")
    vx__start_wineserver "$work"
    wineboot -i </dev/null >/dev/null 2>&1
    # Wine drew the caption buttons as letters, the symbol font in its own folder not
    # being picked up; a copy in the prefix's Fonts folder is.
    local f
    for f in /usr/share/wine/fonts/marlett.ttf /usr/lib/wine/fonts/marlett.ttf; do
      [ -f "$f" ] && cp "$f" "$template/drive_c/windows/Fonts/" 2>/dev/null && break
    done
    vx__write_template_reg "$work/vornix.reg"
    wine regedit /S "$(winepath -w "$work/vornix.reg" 2>/dev/null)" </dev/null >/dev/null 2>&1
    # The server writes the registry files when it ends: only then is the template whole.
    wineserver -k </dev/null >/dev/null 2>&1
    wineserver -w </dev/null >/dev/null 2>&1
    vx__stop_pidfile "$work/wineserver.pid"
    vx__stop_pidfile "$work/xvfb.pid"
    rm -rf "$work"
    [ -f "$template/user.reg" ] || { echo "winesession: the template prefix was not made" >&2; exit 1; }
    touch "$template/.vornix-ready"
  ) 9>"$lock"
}

# Copies the template with hard links (a tenth of a second), then gives the copy its own
# registry and INI files, which Wine rewrites in place.
vx__copy_prefix() {
  local template=$1 prefix=$2 f
  cp -al "$template" "$prefix" || return 1
  for f in "$prefix"/*.reg "$prefix"/drive_c/windows/*.ini; do
    [ -f "$f" ] || continue
    cp --remove-destination "$template/${f#$prefix/}" "$f"
  done
}

# Each session draws inside a Wine desktop window of its own: real frames, activation
# and maximised windows without a window manager.
vx__add_desktop() {
  local name=$1
  cat >>"$VX_SESSION/prefix/user.reg" <<REG

[Software\\\\Wine\\\\Explorer]
"Desktop"="$name"

[Software\\\\Wine\\\\Explorer\\\\Desktops]
"$name"="$VX_DESKTOP_SIZE"
REG
}

vx_session_open() {
  local build name
  build=$(cd "$1" && pwd) || return 1
  name=$2
  vx_template_ensure "$build" || return 1
  vx__env
  if [ -n "$name" ]; then
    VX_SESSION="$build/wine-sessions/$name"
    mkdir -p "$VX_SESSION"
  else
    VX_SESSION=$(mktemp -d "$build/wine-sessions/s.XXXXXX") || return 1
  fi
  export VX_SESSION
  export WINEPREFIX="$VX_SESSION/prefix"
  if [ ! -f "$WINEPREFIX/user.reg" ]; then
    rm -rf "$WINEPREFIX"
    vx__copy_prefix "$build/wineprefix" "$WINEPREFIX" || return 1
    [ "${VX_NO_DESKTOP:-}" = 1 ] || vx__add_desktop "Vornix"
  fi
  if [ "${VX_USE_DISPLAY:-}" = 1 ] && [ -n "${DISPLAY:-}" ]; then
    :
  else
    vx__pid_alive "$(cat "$VX_SESSION/xvfb.pid" 2>/dev/null)" || vx__start_xvfb "$VX_SESSION" || return 1
    export DISPLAY=$(cat "$VX_SESSION/display")
  fi
  vx__pid_alive "$(cat "$VX_SESSION/wineserver.pid" 2>/dev/null)" || vx__start_wineserver "$VX_SESSION"
  return 0
}

# The program folder of the session: the build's programs and DLLs linked, its data
# files copied, so that what one test writes there no other test sees.
vx_session_bin() {
  local bin="$1/bin" dest="$VX_SESSION/bin" f
  mkdir -p "$dest"
  for f in "$bin"/*; do
    [ -f "$f" ] || continue
    case "$f" in
      *.exe|*.EXE|*.dll|*.DLL) ln -f "$f" "$dest/" ;;
      *) cp -p "$f" "$dest/" ;;
    esac
  done
}

vx_session_close() {
  local keep=${1:-}
  [ -n "${VX_SESSION:-}" ] && [ -d "$VX_SESSION" ] || return 0
  WINEPREFIX="$VX_SESSION/prefix" wineserver -k </dev/null >/dev/null 2>&1
  vx__stop_pidfile "$VX_SESSION/wineserver.pid"
  vx__stop_pidfile "$VX_SESSION/xvfb.pid"
  [ -n "$keep" ] || rm -rf "$VX_SESSION"
  return 0
}

# What a killed test or an interrupted run left behind: its servers and displays.
vx_sessions_reap() {
  local build d
  build=$(cd "$1" && pwd) || return 0
  for d in "$build"/wine-sessions/*/; do
    [ -d "$d" ] || continue
    [ -f "$d/wineserver.pid" ] && WINEPREFIX="${d%/}/prefix" wineserver -k </dev/null >/dev/null 2>&1
    vx__stop_pidfile "$d/wineserver.pid"
    vx__stop_pidfile "$d/xvfb.pid"
  done
}
