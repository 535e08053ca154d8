#!/usr/bin/env bash
# Builds the Windows program (scripts/build-windows.sh) and tests it under Wine:
#   - every recorded transcript (tests/transcripts), byte for byte, in UTF-8 and in code page 932
#     (Wine takes its ANSI code page from the Unix locale: a ja_JP locale compiled into a folder of
#     the build gives 932 without touching the system's locales), and in English (--lang=en) in
#     code page 932, the same ASCII bytes as on Linux;
#   - the command line: --help, /?, --version, an option nobody knows;
#   - input that ends early: status 2 and the message; no display: status 1 and the message, in
#     the console's encoding;
#   - the window in a virtual X server: 800 x 800, the system's title, 's' changes the picture,
#     'e' draws the energy panel, 'p' saves an 800 x 800 PNG and the CSV in the folder the program
#     was started from (and names it), Escape ends the program with status 0, and nothing but the
#     program's own messages reaches standard error (none, in this run);
#   - Wine's real console, typed at from a pseudo-terminal (tests/windows_console.py), in code
#     pages 437 and 932: full-width values and 'ｙ', Ctrl-Z and Enter, Ctrl-C, and 'n' or an arrow
#     key at the yes/no question.
# Prints one line per check and a closing "N passed, N failed".
set -uo pipefail
cd "$(dirname "$0")/.."
root="$PWD"
./scripts/build-windows.sh || exit 1

./scripts/setup.sh wine || exit 1

work="$root/build-windows/wine-test"
mkdir -p "$work"
exe="$root/build-windows/program/spring-chain.exe"
export WINEPREFIX="$work/prefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
unset DISPLAY
locales="$work/locales"
if [ ! -d "$locales/ja_JP.UTF-8" ]; then
    mkdir -p "$locales"
    localedef -i ja_JP -f UTF-8 "$locales/ja_JP.UTF-8" 2> /dev/null
fi

. scripts/checks.sh
stop_wine() { wineserver -k 2> /dev/null; wineserver -w 2> /dev/null; }
trap 'stop_wine; [ -n "${xvfb_pid:-}" ] && kill "$xvfb_pid" 2> /dev/null' EXIT

# The first start of a fresh prefix sets it up (about 12 s); the server then stays up.
wineboot -i > /dev/null 2>&1
wineserver -p 2> /dev/null

run_utf8() { LANG=C.UTF-8 wine "$exe" < "$1" 2> /dev/null; }
run_932() { LOCPATH="$locales" LANG=ja_JP.UTF-8 wine "$exe" < "$1" 2> /dev/null; }
same_utf8() { cmp -s <(run_utf8 "$1") "$2"; }
same_932() { cmp -s <(run_932 "$1") <(iconv -f UTF-8 -t CP932 "$2"); }

english_932() { cmp -s <(LOCPATH="$locales" LANG=ja_JP.UTF-8 wine "$exe" --lang=en < "$1" 2> /dev/null) "$2"; }
for expected in tests/transcripts/*.out; do
    name="$(basename "$expected" .out)"
    [ "${name%.en}" = "$name" ] || continue
    input="examples/$name.txt"
    [ -f "$input" ] || input="tests/transcripts/$name.in"
    check "transcript $name, UTF-8" same_utf8 "$input" "$expected"
    check "transcript $name, code page 932" same_932 "$input" "$expected"
    check "transcript $name, English in code page 932" english_932 "$input" \
        "tests/transcripts/$name.en.out"
done

# The command line: help and version on standard output with status 0, before any question; an
# option nobody knows refused in one line with status 2.
option() { # EXPECTED_STATUS OUTPUT_START ERROR_START ARGUMENTS...
    local status="$1" out="$2" err="$3"
    shift 3
    LANG=C.UTF-8 wine "$exe" "$@" < /dev/null > "$work/option.out" 2> "$work/option.err"
    [ $? -eq "$status" ] && [[ "$(cat "$work/option.out")" == "$out"* ]] &&
        [[ "$(cat "$work/option.err")" == "$err"* ]]
}
check "--help: the usage, status 0" option 0 "書式" "" --help
check "/?: the usage, status 0" option 0 "書式" "" "/?"
check "--lang=en --help: the usage in English" option 0 "SYNOPSIS" "" --lang=en --help
check "--version, status 0" option 0 "spring-chain 1." "" --version
check "--foo: refused with status 2" option 2 "" "spring-chain: 「--foo」というオプションはありません" --foo
english_shortcut() {
    (cd "$root/build-windows/zip/spring-chain" &&
        LANG=C.UTF-8 wine cmd /c spring-chain-english.bat --help < /dev/null 2> /dev/null) |
        grep -q '^SYNOPSIS'
}
check "the zip's spring-chain-english.bat starts the program in English" english_shortcut

head -c 12 examples/two_masses_typed_start.txt > "$work/cut.txt"
ends_early() {
    LANG=C.UTF-8 wine "$exe" < "$work/cut.txt" > /dev/null 2> "$work/cut.err"
    local status=$?
    [ "$status" -eq 2 ] && grep -q '入力が終わったため終了します' "$work/cut.err"
}
check "input that ends early: status 2 and the message" ends_early

no_window_message="ウィンドウを開く画面（ディスプレイ）に接続できないため終了します"
no_display() { # RUN ENCODING
    "$1" examples/two_masses_typed_start.txt > /dev/null 2> "$work/no-display.err"
    local status=$?
    [ "$status" -eq 1 ] &&
        cmp -s "$work/no-display.err" <(printf '%s\n' "$no_window_message" | iconv -f UTF-8 -t "$2")
}
run_utf8_err() { LANG=C.UTF-8 wine "$exe" < "$1"; }
run_932_err() { LOCPATH="$locales" LANG=ja_JP.UTF-8 wine "$exe" < "$1"; }
check "no display: status 1 and the message, UTF-8" no_display run_utf8_err UTF-8
check "no display: status 1 and the message, code page 932" no_display run_932_err CP932

# A server that ran programs without a display keeps later windows from opening: start afresh.
stop_wine
rm -f "$work/display"
Xvfb -displayfd 5 -screen 0 1024x1024x24 -nolisten tcp 5> "$work/display" > /dev/null 2>&1 &
xvfb_pid=$!
for _ in $(seq 200); do [ -s "$work/display" ] && break; sleep 0.1; done
export DISPLAY=":$(head -1 "$work/display")"
mkfifo "$work/input" 2> /dev/null || true
rm -rf "$work/saved"
mkdir -p "$work/saved"
(cd "$work/saved" && exec env LANG=C.UTF-8 wine "$exe") < "$work/input" > "$work/window.out" \
    2> "$work/window.err" &
program=$!
exec 3> "$work/input"
cat examples/two_masses_typed_start.txt >&3
window="$(timeout 120 xdotool search --sync --name 'n-DOF' | head -1)"
check "the window opens" test -n "$window"
geometry="$(xdotool getwindowgeometry "$window" 2> /dev/null | sed -n 's/ *Geometry: //p')"
check "the window is 800 x 800 ($geometry)" test "$geometry" = "800x800"
# The window is found by its ASCII start while Wine may still show the title GLUT gave it in the
# ANSI code page; the program then sets its own, which must arrive.
expected_title='_NET_WM_NAME(UTF8_STRING) = "n-DOF自由振動　キー=n:自由度, =m:マスばね, =j:初期条件 =c:描画曲線数　変更"'
titled() {
    for _ in $(seq 600); do
        title="$(xprop -id "$window" _NET_WM_NAME 2> /dev/null)"
        [ "$title" = "$expected_title" ] && return 0
        sleep 0.1
    done
    echo "        last seen: $title"
    return 1
}
check "the window's title" titled
picture() { xwd -silent -id "$window" 2> /dev/null | md5sum; }
# The white background shows once the first frame is drawn; before it the window is black. The
# last 640,000 bytes of the dump are pixels, past its header.
first_paint() {
    for _ in $(seq 600); do
        local white
        white="$(xwd -silent -id "$window" 2> /dev/null | tail -c 640000 | od -An -v -tx1 |
            grep -c 'ff ff ff')"
        [ "${white:-0}" -gt 0 ] && return 0
        sleep 0.1
    done
    return 1
}
check "the first frame is drawn" first_paint
changes_with() { # KEY
    local before after
    before="$(picture)"
    xdotool windowfocus --sync "$window" key "$1" 2> /dev/null
    for _ in $(seq 600); do
        after="$(picture)"
        [ "$after" != "$before" ] && return 0
        sleep 0.1
    done
    return 1
}
check "'s' changes the picture" changes_with s
check "'e' draws the energy panel" changes_with e
# The PNG's header gives its size: width and height at bytes 17 to 24, 0x320 = 800 each.
saves_with_p() {
    xdotool windowfocus --sync "$window" key p 2> /dev/null
    for _ in $(seq 600); do
        grep -q '画像と応答データを保存しました：.*\\saved\\spring-chain-' "$work/window.out" && break
        sleep 0.1
    done
    local png csv
    png="$(ls "$work"/saved/spring-chain-*.png 2> /dev/null | head -1)"
    csv="${png%.png}.csv"
    [ -n "$png" ] && [ -f "$csv" ] &&
        [ "$(od -An -tx1 -j16 -N8 "$png" | tr -d ' \n')" = "0000032000000320" ] &&
        grep -q '^t \[s\],x1 \[m\],x2 \[m\]' "$csv"
}
check "'p' saves the picture and the record" saves_with_p
quits_with_escape() {
    xdotool windowfocus --sync "$window" key Escape 2> /dev/null
    wait "$program"
}
check "Escape ends the program with status 0" quits_with_escape
check "nothing on standard error but the program's own" test ! -s "$work/window.err"
exec 3>&-

for case in full-width ctrl-z ctrl-c not-yes; do
    check "at the console, code page 437: $case" \
        env LANG=en_US.UTF-8 python3 tests/windows_console.py "$exe" "$case"
    check "at the console, code page 932: $case" \
        env LOCPATH="$locales" LANG=ja_JP.UTF-8 python3 tests/windows_console.py "$exe" "$case"
done

checks_summary
