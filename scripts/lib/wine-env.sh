# Shared by scripts/run, scripts/test and scripts/lib/wine-run: the Wine
# environment the program is exercised in. Source it; it defines functions only.

repo_root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
win64_dir=${PELLORAN_WIN64_DIR:-$repo_root/build/win64}

wine_env_export() {
  # $1: the prefix folder. Code pages 936 come from the zh_CN.UTF-8 locale;
  # the Mono and Gecko overrides keep wineboot from asking to install them.
  export WINEPREFIX=$1
  export WINEARCH=win64
  export WINEDEBUG=${WINEDEBUG:--all}
  export WINEDLLOVERRIDES="mscoree,mshtml=;dism.exe=n"
  export LANG=zh_CN.UTF-8 LC_ALL=zh_CN.UTF-8
}

wine_prefix_ensure() {
  # Makes the prefix once, without any prompt, and waits until it is ready.
  if [ ! -f "$WINEPREFIX/system.reg" ]; then
    mkdir -p "$WINEPREFIX"
    wineboot -i >/dev/null 2>&1
    wineserver -w
  fi
}

wine_standins_install() {
  # The stand-ins go where the program finds the real ones: Dism.exe on the
  # system path, in place of Wine's own placeholder.
  # Wine's placeholder is named in lower case and, the Linux file system being
  # case-sensitive, would stay beside a copy named Dism.exe: replace it.
  local sys32=$WINEPREFIX/drive_c/windows/system32
  rm -f "$sys32/dism.exe" "$sys32/Dism.exe"
  cp -f "$win64_dir/bin/Dism.exe" "$sys32/dism.exe"
}

xvfb_start() {
  # Starts a private virtual display and exports DISPLAY; xvfb_stop ends it.
  local n
  for n in $(seq 90 140); do
    [ -e /tmp/.X11-unix/X$n ] || [ -e /tmp/.X$n-lock ] && continue
    Xvfb :$n -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
    xvfb_pid=$!
    local i
    for i in $(seq 1 100); do
      [ -e /tmp/.X11-unix/X$n ] && { export DISPLAY=:$n; return 0; }
      kill -0 $xvfb_pid 2>/dev/null || break
      sleep 0.1
    done
  done
  echo "could not start Xvfb" >&2
  return 1
}

xvfb_stop() {
  [ -n "${xvfb_pid:-}" ] && kill $xvfb_pid 2>/dev/null && wait $xvfb_pid 2>/dev/null
  xvfb_pid=
}
