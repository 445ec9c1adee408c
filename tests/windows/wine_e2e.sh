#!/bin/bash
# The Windows release under Wine on Xvfb. The exe's icon, version information and manifest; its
# --help written for Windows, and shown in a message box when it has no standard output. The
# zip's game, unpacked and started from another folder (it finds its pictures beside its
# executable): the splash, the instructions, play, one dealt piece dragged onto the board, F11
# filling the screen and F11 again giving back the 800 by 600 window in its place (twice), Esc
# ending it with status 0, and its sound written by OpenAL Soft's wave writer. Then the installer,
# installed silently (/S), its Apps entry with icon, publisher and size, the game started from the
# installed folder, and the uninstaller taking it all away again.
# Usage: wine_e2e.sh ZIP SETUP.EXE SOURCE-DIR (ctest in the Windows build, after
# tools/build-windows.sh). Set E2E_KEEP=DIR to keep the screenshots.
set -euo pipefail
. "$(dirname "$0")/../../tools/lib.sh"
. "$(dirname "$0")/../e2e/player.sh"
[ $# -eq 3 ] || fail "usage: $0 ZIP SETUP.EXE SOURCE-DIR"
ZIP=$(realpath "$1")
SETUP=$(realpath "$2")
SOURCE=$(realpath "$3")
need_tools unzip wine xdotool import convert compare sox
WINE="$SOURCE/tools/wine.sh"
# The frame probe is preloaded into Linux programs only. In play the window's picture changes
# with every frame the game draws (the chain moves, the board fades), so a Windows game has drawn
# a frame once a screenshot differs from the one before it.
wait_frames() {
    local n
    for ((n = 0; n < ${1:-2}; n++)); do
        screenshot frame-before
        wait_until "${2:-30}" picture_changed ||
            fail "the game did not draw ${1:-2} frames in ${2:-30} s$(game_errors)"
    done
}

picture_changed() {
    screenshot frame-after
    [ "$(compare -metric AE "$WORK/frame-before.png" "$WORK/frame-after.png" null: 2>&1)" != 0 ]
}
PREFIX="${GRIDLUME_WINEPREFIX:-${XDG_CACHE_HOME:-$HOME/.cache}/gridlume/wine}"
# shellcheck disable=SC2034 # both are read by start_game in tools/lib.sh
PRELOAD=""        # the Linux shims have no place in a Windows program
# shellcheck disable=SC2034
WINDOW_SECONDS=60 # the first Wine start of a session takes a while

unzip -q "$ZIP" -d "$WORK/zip"
GAME=$(echo "$WORK"/zip/gridlume-*-windows-x64)
[ -f "$GAME/gridlume.exe" ] || fail "no gridlume.exe in the zip's folder"

# The resources Explorer shows, in the shipped (stripped) exe: the kinds at the top of its
# resource tree are icons (3), their group (14), the version (16) and the manifest (24).
need_tools x86_64-w64-mingw32-objdump strings
x86_64-w64-mingw32-objdump -p "$GAME/gridlume.exe" >"$WORK/pe.txt"
kinds=$(sed -n 's/^[0-9a-f]*   Entry: ID: 0x0*\([0-9a-f]*\),.*/\1/p' "$WORK/pe.txt" | tr '\n' ' ')
[ "$kinds" = "3 e 10 18 " ] ||
    fail "the exe's resources are of the kinds $kinds, not icon, version, manifest"
strings -e l "$GAME/gridlume.exe" >"$WORK/wide-strings.txt"
version=$(sed -n 's/^project(Gridlume VERSION \([0-9.]*\).*/\1/p' "$SOURCE/CMakeLists.txt")
for text in "$version" "The Gridlume developers" gridlume.exe; do
    grep -qxF "$text" "$WORK/wide-strings.txt" || fail "the version information lacks '$text'"
done
grep -q "PerMonitorV2" "$GAME/gridlume.exe" || fail "the manifest does not make the game DPI-aware"

printf '[wave]\nfile=%s\n' "$WORK/sound.wav" >"$WORK/alsoft.conf"
export ALSOFT_DRIVERS=wave ALSOFT_CONF="$WORK/alsoft.conf"

# shows_picture NAME: a screenshot that holds a drawn picture (the first frame comes a little after
# the log line of its texture).
shows_picture() {
    screenshot "$1"
    [ "$(convert "$WORK/$1.png" -format %k info:)" -ge 3 ]
}

# window_place: where the game's window is on the screen, as X,Y.
window_place() {
    xdotool getwindowgeometry "$WINDOW" | sed -n 's/.*Position: \([0-9-]*,[0-9-]*\).*/\1/p'
}

# A Wine session keeps the display it started with: wait for one still running (the unit tests'),
# so that this one starts on ours.
WINEPREFIX="$PREFIX" wineserver -w 2>/dev/null || true
start_display
mkdir "$WORK/elsewhere"

# --help in Windows' words, to standard output when there is one.
"$WINE" "$GAME/gridlume.exe" --help >"$WORK/help.txt"
grep -qF '%APPDATA%\gridlume\records' "$WORK/help.txt" ||
    fail "--help does not say where the records are"
if grep -qE 'XDG|-display' "$WORK/help.txt"; then
    fail "--help speaks of Linux on Windows"
fi
# Started as Explorer starts it, with no standard output, the game shows --version in a message
# box instead; Return closes it, and the game ends with status 0.
"$WINE" start /wait /unix "$GAME/gridlume.exe" --version >/dev/null 2>&1 &
box_pid=$!
find_box() {
    BOX=$(xdotool search --name '^Gridlume$' 2>/dev/null | head -n 1)
    [ -n "$BOX" ]
}
wait_until 30 find_box || fail "--version without standard output showed no message box"
sleep 0.5
WINDOW=$BOX screenshot version-box
xdotool mousemove --window "$BOX" 20 20 key Return
box_closed() { ! running "$box_pid"; }
wait_until 10 box_closed || fail "Return did not close the message box"
wait "$box_pid" || fail "the game ended with status $? after its message box"
start_game "$WORK/elsewhere" "$WINE" "$GAME/gridlume.exe"
wait_for_output "Loaded texture ./img/splash.jpg" 30
wait_until 15 shows_picture splash || fail "the splash was never drawn"
click 400 300
wait_for_output "Loaded texture ./img/instructions.jpg"
xdotool mousemove --window "$WINDOW" 400 300 mousedown 1 mouseup 1
wait_for_output "Loaded texture ./img/square.jpg" 20
wait_frames
screenshot before
grab_dealt_piece
drag_to 650 150
wait_frames
screenshot placed
at_least "$(difference before placed 620 120 60 60)" 0.08 "the dragged piece did not arrive"
place=$(window_place)
key F11
wait_until 10 window_is 1024x768 || fail "F11 did not fill the screen ($(window_geometry))"
wait_frames
screenshot full
expect_drawn full
# F11 again gives the 800 by 600 window back in its place and keeps it so (no second toggle
# follows); then a second round, as a player's would be.
back_in_place() {
    wait_until 10 window_is 800x600 || fail "F11 again left the window at $(window_geometry) ($1)"
    sleep 1
    window_is 800x600 || fail "the window went on to $(window_geometry) after F11 ($1)"
    [ "$(window_place)" = "$place" ] || fail "the window came back at $(window_place), not $place"
}
key F11
back_in_place "first round"
key F11
wait_until 10 window_is 1024x768 || fail "F11 did not fill the screen again ($(window_geometry))"
key F11
back_in_place "second round"
screenshot windowed
expect_drawn windowed
key Escape
expect_exit "Esc in play" 20
# The game (a drag, full screen twice, Esc) was recorded; it plays the same game again here and
# in the Linux build, if there is one beside this build.
REPLAYS="$PREFIX/drive_c/users/${USER:-$(id -un)}/AppData/Roaming/gridlume/replays"
replay=$(ls -t "$REPLAYS"/*-normal-quit.gridlume-replay 2>/dev/null | head -n 1)
[ -n "$replay" ] || fail "the game was not recorded in %APPDATA%\\gridlume\\replays"
(cd "$GAME" && ALSOFT_DRIVERS=null "$WINE" gridlume.exe --verify-replay "Z:$replay" >"$WORK/verify.out" 2>&1) ||
    fail "the replay did not play the same game: $(tr -d '\r' <"$WORK/verify.out" | tail -n 4)"
if [ -x "$SOURCE/build/gridlume" ]; then
    ALSOFT_DRIVERS=null "$SOURCE/build/gridlume" --data "$SOURCE" --verify-replay "$replay" \
        >"$WORK/verify-linux.out" || fail "the Linux build plays the Windows replay otherwise"
fi
# Windows ends the log lines with CR LF.
tr -d '\r' <"$WORK/game.out" >"$WORK/game.lf"
expect_sound_log "$WORK/game.lf"
peak=$(sox "$WORK/sound.wav" -n stat 2>&1 | sed -n 's/^Maximum amplitude: *//p')
at_least "${peak:-0}" 0.01 "the loudest sample the wave writer recorded"

# Installed silently into a folder of the test's own; Start menu and uninstaller are per-user.
installed="$WORK/installed"
"$WINE" "$SETUP" /S "/D=Z:${installed//\//\\}" || fail "the installer failed"
if [ ! -f "$installed/gridlume.exe" ] || [ ! -f "$installed/uninstall.exe" ]; then
    fail "the installer left no game or uninstaller in $installed"
fi
menu=$(find "$PREFIX/drive_c/users" -path '*Start Menu/Programs/Gridlume/Gridlume.lnk' | head -n 1)
[ -n "$menu" ] || fail "no Start-menu entry"
# The Apps list's entry: the game's icon, the publisher, the size.
"$WINE" reg query 'HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\Gridlume' |
    tr -d '\r' >"$WORK/apps-entry.txt"
grep -qF 'gridlume.exe",0' "$WORK/apps-entry.txt" || fail "the Apps entry has no icon"
grep -q 'Publisher.*The Gridlume developers' "$WORK/apps-entry.txt" || fail "no publisher"
size=$(sed -n 's/.*EstimatedSize *REG_DWORD *0x\([0-9a-f]*\).*/\1/p' "$WORK/apps-entry.txt")
at_least "$((16#${size:-0}))" 1000 "the size in KiB the Apps entry gives"
start_game "$installed" "$WINE" "$installed/gridlume.exe"
wait_for_output "Loaded texture ./img/splash.jpg" 30
wait_until 15 shows_picture installed || fail "the installed game drew nothing"
key Escape
expect_exit "Esc on the installed game's splash" 20

# The uninstaller copies itself away and returns at once; what it removes goes soon after.
"$WINE" "$installed/uninstall.exe" /S
gone() { [ ! -e "$installed/gridlume.exe" ] && [ ! -e "$menu" ]; }
wait_until 30 gone || fail "the uninstaller left the game or its Start-menu entry"
WINEPREFIX="$PREFIX" wineserver -w 2>/dev/null || true
echo "PASS: zip game played, installer and uninstaller under Wine"
