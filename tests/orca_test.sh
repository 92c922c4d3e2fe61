#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# The Linux program as a blind pupil meets it: Orca, the screen reader, on a private X display
# with its own D-Bus session and accessibility bus. Tab to the age box, type 45, Tab to
# "Изведи", Space: Orca must say the answer unasked; Tab to "Чисти", Space: the prompt. What
# Orca says is read from its debug log. ORCA_TEST_KEEP=1 keeps the log, in the folder named.
# Usage: orca_test.sh PROGRAM; exits 77 (skipped) where Orca already runs for this user, whom
# a second one would disturb.
set -euo pipefail
program=$1
if pgrep -u "$(id -u)" -f "python3 /usr/bin/orca" >/dev/null; then
    echo "skipped: Orca runs for this user already" >&2
    exit 77
fi
work=$(mktemp -d)
keep=${ORCA_TEST_KEEP:-}
cleanup() {
    kill "${pids[@]}" 2>/dev/null || true
    # Until script has collected Orca, Orca's process stays in the table, and an Orca started
    # next (a rerun of this test) would take it for one already running and exit.
    wait "${pids[@]}" 2>/dev/null || true
    [ -n "${DBUS_SESSION_BUS_PID:-}" ] && kill "$DBUS_SESSION_BUS_PID" 2>/dev/null
    if [ -n "$keep" ]; then echo "orca_test: kept $work" >&2; else rm -rf "$work"; fi
}
pids=()
trap cleanup EXIT
fail() { echo "orca_test: $*" >&2; grep "SPEECH OUTPUT" "$work/orca.log" >&2 || true; exit 1; }
# runs a command every tenth of a second until it succeeds, at most TRIES times
within() {
    local tries=$1
    shift
    for _ in $(seq "$tries"); do "$@" && return 0; sleep 0.1; done
    return 1
}

# A display of its own, on a number the server picks free and writes once it is ready.
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$work/display" >/dev/null 2>&1 &
pids+=($!)
within 100 test -s "$work/display" || fail "Xvfb did not start"
export DISPLAY=:$(cat "$work/display")
eval "$(dbus-launch --sh-syntax)"
/usr/libexec/at-spi-bus-launcher --launch-immediately >/dev/null 2>&1 &
pids+=($!)
sleep 1  # the accessibility bus registers itself on the session bus
# Orca's settings start afresh, apart from the user's. Orca writes its log line by line only
# to a terminal: script gives it one, and copies each line to the log as it comes.
HOME=$work script -qfec "orca --debug-file=/dev/stdout" "$work/orca.log" \
    >/dev/null 2>&1 </dev/null &
pids+=($!)

# Orca's log since the last mark
since=1
mark() { since=$(($(wc -l < "$work/orca.log") + 1)); }
said_since_mark() { tail -n "+$since" "$work/orca.log" 2>/dev/null; }
said() { said_since_mark | grep -q "SPEECH OUTPUT: '$1"; }
# waits until Orca has said something matching the pattern, since the last mark, or fails
# saying what was missing
heard() { within "${2:-100}" said "$1" || fail "Orca did not say \"$1\""; }
heard "Screen reader on" 300  # Orca looks for speech and braille first; none are here
QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 "$program" >/dev/null 2>&1 &
pids+=($!)
# No window manager here: the window is given the keyboard focus by hand.
window_shown() { window=$(xdotool search --onlyvisible --name Vrenkodal 2>/dev/null | head -1) && [ -n "$window" ]; }
within 50 window_shown || fail "the window did not show"
xdotool windowfocus --sync "$window"
heard "Отчет read only text"
xdotool key Tab
heard "Възраст \[1..70\]: text"
xdotool type 45
# The echo of the digit: Orca 43 writes '5 ', Orca 48 '5'.
heard "5[ ']"
xdotool key Tab
# Orca 43 calls a button a "push button", Orca 48 a "button".
heard "Изведи \(push \)\?button"
mark
xdotool key space
# Orca 43 names what it speaks as a notification; an announcement, from Qt 6.8, it only says.
heard "\(notification \)\?Въведени години: 45"
# The answer's two lines reach the log one at a time: the kind may come a moment after the age.
said_kind() { said_since_mark | grep -A1 "Въведени години: 45" | grep -q "тип: Волски"; }
within 50 said_kind || fail "Orca said the age but not the kind"
xdotool key Tab
heard "Чисти \(push \)\?button"
mark
xdotool key space
heard "\(notification \)\?Въведете възраст!"
echo "orca_test: Orca says the answer after \"Изведи\" and the prompt after \"Чисти\""
