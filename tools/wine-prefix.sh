# Sourced by tools/test-wine and tools/scenes-wine: a private Xvfb display and a fresh Wine prefix in a
# temporary folder ($wine_work), both gone when the sourcing script exits. Sets DISPLAY and Wine's
# environment; leaves one Wine server and Wine's own services running for the rest of the script.

wine_work=$(mktemp -d /tmp/oxbyte-wine.XXXXXX)
wine_xvfb=
wine_cleanup() {
  [ -n "${WINEPREFIX:-}" ] && /usr/lib/wine/wineserver -k 2>/dev/null || true
  [ -n "$wine_xvfb" ] && kill "$wine_xvfb" 2>/dev/null || true
  rm -rf "$wine_work"
}
trap wine_cleanup EXIT

# Xvfb picks a free display number itself and writes it to fd 3.
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$wine_work/display" 2>/dev/null &
wine_xvfb=$!
for _ in $(seq 100); do [ -s "$wine_work/display" ] && break; sleep 0.1; done
export DISPLAY=:$(head -n1 "$wine_work/display")

# The en-US user locale (Wine takes it from LC_ALL); a test may start a process in another one.
export WINEPREFIX=$wine_work/prefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" LC_ALL=en_US.UTF-8
# Wine also takes every font fontconfig knows, and what a stock font or an absent face name falls to then
# depends on the machine: with fonts-noto-mono installed, SYSTEM_FIXED_FONT became Noto Sans Mono, whose
# "H" is narrower than its average width. An empty configuration hides them all; Wine sees only the fonts
# the prefix's Fonts folder is given below.
printf '<?xml version="1.0"?>\n<fontconfig/>\n' >"$wine_work/fonts.conf"
export FONTCONFIG_FILE=$wine_work/fonts.conf

echo "${0##*/}: creating the Wine prefix"
timeout 300 /usr/lib/wine/wine64 wineboot -i >/dev/null 2>&1
# Wine's own fonts, which Debian keeps where this Wine does not look: Tahoma for menus, captions and
# dialogs, Marlett for the caption buttons. All but Courier: SYSTEM_FIXED_FONT asks for Courier 16 pixels
# high and 8 wide, and Wine's is a bitmap 13 high, so Courier stands for DejaVu Sans Mono, which gives that
# 8×16 cell with every character as wide as the average (the program steps its columns by the average; the
# tests read 8×16 cells). WenQuanYi Micro Hei stands for SimSun (宋体, the dialogs' font) and carries the
# Chinese menu, caption and status texts behind Tahoma.
for font in /usr/share/wine/fonts/* /usr/share/fonts/truetype/dejavu/DejaVuSansMono.ttf \
  /usr/share/fonts/truetype/wqy/wqy-microhei.ttc; do
  case ${font##*/} in cour* | coue*) ;; *) ln -s "$font" "$WINEPREFIX/drive_c/windows/Fonts/" ;; esac
done

# A REG_MULTI_SZ of one string as a .reg file spells it: its UTF-16LE bytes and two NULs, in hex.
wine_multi_sz() {
  printf 'hex(7):'
  { printf '%s' "$1" | iconv -f UTF-8 -t UTF-16LE; printf '\0\0\0\0'; } | od -An -v -tx1 |
    tr -s ' \n' '  ' | sed 's/^ //; s/ $//; s/ /,/g'
}
# The classic look a program without a common-controls manifest gets on Windows, and the one the
# stand-in draws: no theme, menus with raised and sunken edges rather than flat ones (bit 17 of the user
# preferences clear), and the "Windows Standard" colours.
wine_classic_colours() {
  cat <<'COLOURS'
"Scrollbar"="192 192 192"
"Background"="0 128 128"
"ActiveTitle"="0 0 128"
"GradientActiveTitle"="0 0 128"
"InactiveTitle"="128 128 128"
"GradientInactiveTitle"="128 128 128"
"Menu"="192 192 192"
"MenuBar"="192 192 192"
"MenuHilight"="0 0 128"
"Window"="255 255 255"
"WindowFrame"="0 0 0"
"MenuText"="0 0 0"
"WindowText"="0 0 0"
"TitleText"="255 255 255"
"ActiveBorder"="192 192 192"
"InactiveBorder"="192 192 192"
"AppWorkSpace"="128 128 128"
"Hilight"="0 0 128"
"HilightText"="255 255 255"
"ButtonFace"="192 192 192"
"ButtonShadow"="128 128 128"
"GrayText"="128 128 128"
"ButtonText"="0 0 0"
"InactiveTitleText"="192 192 192"
"ButtonHilight"="255 255 255"
"ButtonDkShadow"="0 0 0"
"ButtonLight"="192 192 192"
"InfoText"="0 0 0"
"InfoWindow"="255 255 225"
COLOURS
}
# Windows in a Wine desktop of its own, as on Windows: no X window manager between the tests and their
# windows (activation, focus and stacking are Wine's alone), and no wait for one on every window shown.
# Wine by itself links Tahoma (which MS Shell Dlg stands for) to whatever stands for SimSun, and writes
# Tahoma's entry again whenever the code page changes (the program runs in UTF-8, Wine's own programs in
# 1252); the caption's bold Tahoma is a face of its own, "Tahoma Bold", linked here.
# The file is UTF-16, as regedit reads the Chinese face name right only from that.
{
  printf '\xff\xfe'
  iconv -f UTF-8 -t UTF-16LE <<REG
Windows Registry Editor Version 5.00

[HKEY_CURRENT_USER\\Software\\Wine\\Explorer]
"Desktop"="Default"

[HKEY_CURRENT_USER\\Software\\Wine\\Explorer\\Desktops]
"Default"="1280x1024"

[HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\ThemeManager]
"ThemeActive"="0"

[HKEY_CURRENT_USER\\Control Panel\\Desktop]
"UserPreferencesMask"=hex:30,00,00,80,12,00,00,00

[HKEY_CURRENT_USER\\Control Panel\\Colors]
$(wine_classic_colours)

[HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows NT\\CurrentVersion\\FontSubstitutes]
"Courier"="DejaVu Sans Mono"
"宋体"="WenQuanYi Micro Hei"
"SimSun"="WenQuanYi Micro Hei"

[HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows NT\\CurrentVersion\\FontLink\\SystemLink]
"Tahoma Bold"=$(wine_multi_sz "wqy-microhei.ttc,WenQuanYi Micro Hei")
REG
} >"$wine_work/prefix.reg"
/usr/lib/wine/wine64 regedit "$wine_work/prefix.reg" >/dev/null 2>&1
/usr/lib/wine/wineserver -w
# One Wine server for the whole run, rather than one started for each process.
/usr/lib/wine/wineserver -p
# The first program started brings up Wine's own services, which stay for the run: start them here, so
# that they do not hold on to the output of the first test listing.
/usr/lib/wine/wine64 cmd /c exit >/dev/null 2>&1 </dev/null
