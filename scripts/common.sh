# Shared by ./run and ./test: installs what is missing, builds both targets and
# prepares a Wine prefix inside the build folder (never the user's own).
set -euo pipefail

ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
BUILD="$ROOT/build"
NATIVE="$BUILD/native"
WINDOWS="$BUILD/windows"
export WINEPREFIX="$BUILD/wineprefix"
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
# Builds of several checkouts share one compiler cache.
export CCACHE_BASEDIR="$(dirname "$ROOT")" CCACHE_NOHASHDIR=1
LAUNCHER=()
command -v ccache >/dev/null && LAUNCHER=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)

PACKAGES=(cmake g++ make libgtest-dev libbenchmark-dev g++-mingw-w64-x86-64 g++-mingw-w64-i686 mingw-w64-common
          wine wine64 fonts-wine xvfb xauth fonts-wqy-zenhei xdotool x11-utils imagemagick python3 unicode-data ccache
          python3-clang)

log() { printf '\033[1m== %s\033[0m\n' "$*"; }

ensure_packages() {
  local missing=()
  for p in "${PACKAGES[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
  done
  [ ${#missing[@]} -eq 0 ] && return
  log "installing ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
  apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
}

build_native() {
  log "native build"
  cmake -S "$ROOT" -B "$NATIVE" -DCMAKE_BUILD_TYPE=RelWithDebInfo "${LAUNCHER[@]}" >/dev/null
  cmake --build "$NATIVE" -j"$(nproc)"
}

build_windows() {
  log "Windows build"
  cmake -S "$ROOT" -B "$WINDOWS" -DCMAKE_TOOLCHAIN_FILE="$ROOT/cmake/mingw-w64-x86_64.cmake" \
        -DCMAKE_BUILD_TYPE=Release -DEMBED_DATA="$NATIVE/embed_data" "${LAUNCHER[@]}" >/dev/null
  cmake --build "$WINDOWS" -j"$(nproc)"
}

# Made once per prefix; a new marker name rebuilds the prefixes made by an older version.
PREFIX_MARKER=.prefix-ready-3
ensure_wine_prefix() {
  [ -f "$WINEPREFIX/$PREFIX_MARKER" ] && return
  log "making the Wine prefix $WINEPREFIX"
  wineboot -i >/dev/null 2>&1 || true
  wineserver -w || true
  # Wine draws the caption buttons with its own Marlett font, and programs ask for the
  # symbol fonts by name; Debian's Wine does not put them into the prefix by itself.
  local fonts="$WINEPREFIX/drive_c/windows/Fonts"
  mkdir -p "$fonts"
  for font in marlett symbol webdings wingding; do
    ln -sf "/usr/share/wine/fonts/$font.ttf" "$fonts/"
  done
  # Chinese text needs a CJK font. The Windows font names map to WenQuanYi Zen Hei Sharp:
  # at the wizard's sizes (12 and 13 pixels) it draws from hand-made bitmaps, crisp as
  # 宋体 is on Windows, where the outlines of the other faces come out jagged or blurred.
  for font in SimSun 宋体 NSimSun 新宋体 "MS Shell Dlg" "MS Shell Dlg 2" Tahoma "Microsoft YaHei" 微软雅黑 SimHei 黑体; do
    wine reg add 'HKCU\Software\Wine\Fonts\Replacements' /v "$font" /d "WenQuanYi Zen Hei Sharp" /f >/dev/null 2>&1
  done
  # The system's own texts (message boxes, menus, the status bar's default) in 宋体 9 points,
  # as a Chinese Windows has them: Wine's 8 points fall between the bitmaps. Each is a
  # LOGFONTW whose positive height counts points.
  local systemFont
  systemFont=$(python3 -c "import struct; print((struct.pack('<5i8B', 9, 0, 0, 0, 400, 0, 0, 0, 134, 0, 0, 0, 0)
                                                 + 'SimSun'.encode('utf-16-le').ljust(64, b'\0')).hex())")
  for metric in MessageFont MenuFont StatusFont IconFont SmCaptionFont; do
    wine reg add 'HKCU\Control Panel\Desktop\WindowMetrics' /v $metric /t REG_BINARY /d "$systemFont" /f >/dev/null 2>&1
  done
  # Smoothed text, as a Windows desktop shows it; Wine draws the window frames itself
  # (there is no window manager on Xvfb), so the screenshots show the caption.
  wine reg add 'HKCU\Control Panel\Desktop' /v FontSmoothing /d 2 /f >/dev/null 2>&1
  wine reg add 'HKCU\Control Panel\Desktop' /v FontSmoothingType /t REG_DWORD /d 2 /f >/dev/null 2>&1
  wine reg add 'HKCU\Control Panel\Desktop' /v FontSmoothingGamma /t REG_DWORD /d 1400 /f >/dev/null 2>&1
  wine reg add 'HKCU\Control Panel\Desktop' /v FontSmoothingOrientation /t REG_DWORD /d 1 /f >/dev/null 2>&1
  wine reg add 'HKCU\Software\Wine\X11 Driver' /v Decorated /d N /f >/dev/null 2>&1
  wineserver -w || true
  rm -f "$WINEPREFIX"/.prefix-ready*
  touch "$WINEPREFIX/$PREFIX_MARKER"
}

# The folder as the IDE's install has it: the wizard in "wizard" with the examples database
# beside it, the IDE (here the stand-in IDE) one above.
INSTALL="$BUILD/install"
lay_out_install() {
  mkdir -p "$INSTALL/wizard"
  cp "$WINDOWS/app/win32/apiwizard.exe" "$NATIVE/examples/API例程.edb" "$NATIVE/examples/API例程.EDT" \
     "$INSTALL/wizard/"
  cp "$WINDOWS/stand_in_ide/win32/e.exe" "$INSTALL/"
}
