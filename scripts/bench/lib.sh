# The Wine bench: a template prefix made once, copied per run; Xvfb on a free display; a wineserver
# scoped to the run's own prefix. Sourced by the bench commands beside it; sets nothing outside the
# variables it names.

KIV_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
KIV_BENCH_DIR=${KIV_BENCH_DIR:-$KIV_ROOT/build/wine}
# Bump when the template's recipe changes, so that old templates are made anew.
KIV_TEMPLATE_RECIPE=2

kiv_log() { echo "bench: $*" >&2; }

# i686 programs need 32-bit Linux code (wine32); a kernel without IA32 emulation cannot run it, and then
# the bench runs the x86_64 builds in a 64-bit prefix instead.
kiv_bench_arch() {
  if [ -n "${KIV_BENCH_ARCH:-}" ]; then
    echo "$KIV_BENCH_ARCH"
  elif [ -x /usr/lib/wine/wine ] && /usr/lib/wine/wine --version >/dev/null 2>&1; then
    echo win32
  else
    echo win64
  fi
}

# Exports the Wine environment for the prefix $1 under the scratch home $2.
kiv_wine_env() {
  local prefix=$1 home=$2 arch
  arch=$(kiv_bench_arch)
  export WINEPREFIX=$prefix WINEARCH=$arch WINEDEBUG=-all
  export WINEDLLOVERRIDES="mscoree,mshtml,winemenubuilder.exe="
  export HOME=$home XDG_CONFIG_HOME=$home/.config XDG_CACHE_HOME=$home/.cache XDG_DATA_HOME=$home/.local/share
  export XDG_RUNTIME_DIR=$home/.run
  mkdir -p "$HOME" "$XDG_CONFIG_HOME" "$XDG_CACHE_HOME" "$XDG_DATA_HOME" "$XDG_RUNTIME_DIR"
  chmod 700 "$XDG_RUNTIME_DIR"
  if [ "$arch" = win32 ]; then
    export KIV_WINE=/usr/lib/wine/wine WINESERVER=/usr/lib/wine/wineserver32
  else
    export KIV_WINE=/usr/lib/wine/wine64 WINESERVER=/usr/lib/wine/wineserver64
  fi
  export WINELOADER=$KIV_WINE
}

# Makes the template prefix once (NT 4.0 reported, its shared start menu folder, fonts in place, a
# 1024x768 virtual desktop).
kiv_template() {
  local arch template
  arch=$(kiv_bench_arch)
  template=$KIV_BENCH_DIR/template-$arch
  mkdir -p "$KIV_BENCH_DIR"
  (
    flock 9
    [ "$(cat "$template/recipe" 2>/dev/null)" = "$KIV_TEMPLATE_RECIPE" ] && exit 0
    rm -rf "$template"
    mkdir -p "$template"
    kiv_wine_env "$template/prefix" "$template/home"
    kiv_log "making the $arch template prefix (once)"
    timeout 300 "$KIV_WINE" wineboot -i >/dev/null 2>&1 || { kiv_log "wineboot failed"; exit 1; }
    local reg=("$KIV_WINE" reg add)
    "${reg[@]}" 'HKCU\Software\Wine' /v Version /d nt40 /f >/dev/null 2>&1
    "${reg[@]}" 'HKCU\Software\Wine\Explorer' /v Desktop /d Default /f >/dev/null 2>&1
    "${reg[@]}" 'HKCU\Software\Wine\Explorer\Desktops' /v Default /d 1024x768 /f >/dev/null 2>&1
    mkdir -p "$WINEPREFIX/drive_c/windows/Fonts"
    cp /usr/share/wine/fonts/* "$WINEPREFIX/drive_c/windows/Fonts/"
    # NT 4 keeps the shared start menu under the Windows folder; a fresh Wine system lacks it.
    mkdir -p "$WINEPREFIX/drive_c/windows/Profiles/All Users/Start Menu/Programs"
    timeout 60 "$WINESERVER" -w
    echo "$KIV_TEMPLATE_RECIPE" >"$template/recipe"
  ) 9>"$KIV_BENCH_DIR/template.lock"
  echo "$template"
}

# Starts Xvfb on a display it picks itself (-displayfd), so that two benches starting at once never
# share one; echoes "display pid" once the server answers.
kiv_start_xvfb() {
  local fifo pid n="" i
  fifo=$(mktemp -u "${TMPDIR:-/tmp}/kiv-xvfb-XXXXXX")
  mkfifo "$fifo"
  Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$fifo" >/dev/null 2>&1 &
  pid=$!
  read -r -t 30 n <"$fifo" || true
  rm -f "$fifo"
  if [ -n "$n" ]; then
    for i in $(seq 1 100); do
      if DISPLAY=":$n" xdotool getdisplaygeometry >/dev/null 2>&1; then
        echo ":$n $pid"
        return 0
      fi
      sleep 0.1
    done
  fi
  kill "$pid" 2>/dev/null
  kiv_log "no display could be started"
  return 1
}
