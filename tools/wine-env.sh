# Sourced, not run: starts a fresh Wine prefix on its own Xvfb display, set up as a Chinese (PRC)
# system, and leaves its wineserver running. Everything goes when the sourcing shell exits.
#   . tools/wine-env.sh
# Sets DISPLAY, WINEPREFIX, WINEDEBUG, WINEDLLOVERRIDES and LANG, and an EXIT trap. The screen is
# 1024x768 unless WINE_ENV_SCREEN names another (WIDTHxHEIGHTxDEPTH).

wine_env_scratch=$(mktemp -d)
# Xvfb picks a free display itself and writes its number once it takes connections.
Xvfb -displayfd 3 -screen 0 "${WINE_ENV_SCREEN:-1024x768x24}" -nolisten tcp >/dev/null 2>&1 3>"$wine_env_scratch/display" &
wine_env_xvfb=$!
for _ in $(seq 100); do
    [ -s "$wine_env_scratch/display" ] && break
    kill -0 "$wine_env_xvfb" 2>/dev/null || break
    sleep 0.1
done
if ! [ -s "$wine_env_scratch/display" ]; then
    echo "wine-env: Xvfb gave no display within 10 s" >&2
    kill "$wine_env_xvfb" 2>/dev/null || true
    rm -rf "$wine_env_scratch"
    return 1 2>/dev/null || exit 1
fi
export DISPLAY=":$(head -n1 "$wine_env_scratch/display")"
export WINEPREFIX=$wine_env_scratch/prefix
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml=" # no Mono or Gecko installer prompts
export LANG=zh_CN.UTF-8
unset LC_ALL
wine_env_finish() {
    wineserver -k 2>/dev/null || true
    kill "$wine_env_xvfb" 2>/dev/null || true
    rm -rf "$wine_env_scratch"
}
trap wine_env_finish EXIT

wineboot -i >/dev/null 2>&1
# Without a window manager Wine waits 2 s for every managed window that hides; unmanaged windows
# don't wait. The title-bar glyphs come from Marlett, which Debian's Wine leaves out of the prefix.
wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f >/dev/null 2>&1
cp /usr/share/wine/fonts/marlett.ttf /usr/share/wine/fonts/tahoma.ttf \
    /usr/share/wine/fonts/tahomabd.ttf "$WINEPREFIX/drive_c/windows/Fonts/"
wineserver -w
# A running wineserver saves starting one for every program.
wineserver -p
