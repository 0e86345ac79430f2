#!/usr/bin/env bash
# Runs installer.exe end to end under Wine, headless, in a prefix of its own that reports Windows NT 4.0:
# first installation, a second run cancelled at the "Modem Already Installed" dialog, "-u" answered No,
# and a refusal on another Windows version. installer_ui_test.exe drives the windows and checks what
# the installer left behind.
#   usage: installer_e2e.sh <payload folder> <installer_ui_test.exe> <modem.cpl stand-in>
# The prefix's architecture follows installer_ui_test.exe's (i686 or x86_64). Exit status 0 when every
# check passed.
set -euo pipefail

payload=$(realpath "$1")
uitest=$(realpath "$2")
cpl=$(realpath "$3")
for f in "$payload/installer.exe" "$payload/TarvoK41.sys" "$uitest" "$cpl"; do
  [ -e "$f" ] || { echo "installer_e2e: missing $f" >&2; exit 2; }
done

# The PE header's machine field: 0x14c i386, 0x8664 x86_64.
pe_offset=$(od -An -t u4 -j 60 -N 4 "$uitest" | tr -d ' ')
machine=$(od -An -t x2 -j $((pe_offset + 4)) -N 2 "$uitest" | tr -d ' ')
if [ "$machine" = "8664" ]; then
  export WINEARCH=win64 WINELOADER=/usr/lib/wine/wine64
else
  export WINEARCH=win32 WINELOADER=/usr/lib/wine/wine
fi
wine=$WINELOADER
wineserver=/usr/lib/wine/wineserver

scratch=$(mktemp -d /tmp/kiv-installer-e2e.XXXXXX)
export HOME=$scratch/home XDG_CONFIG_HOME=$scratch/home/.config XDG_DATA_HOME=$scratch/home/.local/share \
  XDG_CACHE_HOME=$scratch/home/.cache
export WINEPREFIX=$scratch/prefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml,winemenubuilder.exe="
mkdir -p "$HOME"

xvfb_pid=""
cleanup() {
  "$wineserver" -k 2>/dev/null || true
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null || true
  rm -rf "$scratch"
}
trap cleanup EXIT

# Xvfb picks a free display and writes its number to fd 3.
exec 3<> "$scratch/display"
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
xvfb_pid=$!
for _ in $(seq 100); do
  [ -s "$scratch/display" ] && break
  sleep 0.1
done
export DISPLAY=":$(head -n1 "$scratch/display")"
for _ in $(seq 100); do
  xdotool getdisplaygeometry >/dev/null 2>&1 && break
  sleep 0.1
done

"$wine" wineboot -i >/dev/null 2>&1 || true
"$wineserver" -w
windows="$WINEPREFIX/drive_c/windows"
cp /usr/share/wine/fonts/* "$windows/Fonts/" 2>/dev/null || true
cat > "$scratch/setup.reg" <<'REG'
REGEDIT4

[HKEY_CURRENT_USER\Software\Wine]
"Version"="nt40"

[HKEY_CURRENT_USER\Software\Wine\Explorer]
"Desktop"="Default"

[HKEY_CURRENT_USER\Software\Wine\Explorer\Desktops]
"Default"="1024x768"
REG
"$wine" regedit "$scratch/setup.reg"
"$wineserver" -w

# What NT 4 has and a fresh prefix lacks: the shared start menu under the Windows folder.
mkdir -p "$windows/Profiles/All Users/Start Menu/Programs"
cp "$cpl" "$windows/system32/modem.cpl"
cp -r "$payload" "$WINEPREFIX/drive_c/payload"
cp "$uitest" "$WINEPREFIX/drive_c/installer_ui_test.exe"

# Keep the server, and so the started driver, alive between the runs.
"$wineserver" -p
failed=0
for scenario in install cancel uninstall-no wrong-version; do
  if ! "$wine" 'C:\installer_ui_test.exe' "$scenario" 'C:\payload'; then
    echo "installer_e2e: scenario $scenario failed"
    failed=1
  fi
done
exit $failed
