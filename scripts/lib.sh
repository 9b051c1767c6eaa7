# Shared by scripts/run and scripts/test: installs what is missing, builds, prepares the Wine prefix.
set -euo pipefail
ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
BUILD=$ROOT/build
export WINEPREFIX=$BUILD/wineprefix
export WINEDEBUG=-all
# No network here: never let Wine ask for its Mono or Gecko add-ons.
export WINEDLLOVERRIDES="mscoree,mshtml="

PACKAGES=(cmake ninja-build g++ googletest libgtest-dev libssl-dev ccache g++-mingw-w64-x86-64-posix
          wine64 wine xvfb xauth xdotool fonts-wqy-zenhei imagemagick locales)

install_missing() {
    local missing=()
    for p in "${PACKAGES[@]}"; do
        dpkg -s "$p" >/dev/null 2>&1 || missing+=("$p")
    done
    [ ${#missing[@]} -eq 0 ] && return
    echo "installing: ${missing[*]}"
    local sudo=""
    [ "$(id -u)" -eq 0 ] || sudo=sudo
    $sudo apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
}

# Wine runs the program in a Chinese session; without the host's locale it cannot name files in Chinese.
chinese_locale() {
    locale -a 2>/dev/null | grep -qi '^zh_CN\.utf8$' && return
    local sudo=""
    [ "$(id -u)" -eq 0 ] || sudo=sudo
    $sudo sed -i 's/^# *zh_CN.UTF-8 UTF-8/zh_CN.UTF-8 UTF-8/' /etc/locale.gen
    $sudo locale-gen >/dev/null
}

configure_build() {  # $1: native|win
    local dir=$BUILD/$1 args=(-G Ninja -DCMAKE_BUILD_TYPE=Release -DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
    [ "$1" = win ] && args+=(-DCMAKE_TOOLCHAIN_FILE="$ROOT/cmake/mingw-w64.cmake")
    [ -f "$dir/build.ninja" ] || cmake -S "$ROOT" -B "$dir" "${args[@]}" >/dev/null
    cmake --build "$dir" -j 2
}

wine_prefix() {
    [ -f "$WINEPREFIX/.dormora-ready" ] && return
    echo "preparing the Wine prefix in $WINEPREFIX"
    rm -rf "$WINEPREFIX"
    wineboot -i >/dev/null 2>&1
    # Without a window manager Wine waits for one on every window destroyed; unmanaged windows close at once.
    wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f >/dev/null 2>&1
    wineserver -w
    touch "$WINEPREFIX/.dormora-ready"
}
