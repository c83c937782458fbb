#!/bin/sh
# Runs the activation tests of APP_TESTS (ActivationTest.cpp) repeatedly on
# the xcb platform against an X server (Xvfb, on a free display number it
# picks itself) and a window manager (openbox) of the check's own, both
# ended afterwards: the activation they test depends on timing.
#
# Usage: check_activation.sh APP_TESTS OUT_DIR [REPEATS]
# Exits 77 (skipped) when Xvfb or openbox is missing (scripts/setup-debian.sh
# installs them).
set -u
tests=$1
out=$2
repeats=${3:-10}

skip() {
    echo "SKIP: $*"
    exit 77
}
fail() {
    echo "FAIL: $*"
    exit 1
}

for tool in Xvfb openbox; do
    command -v "$tool" >/dev/null 2>&1 || skip "$tool is not installed (scripts/setup-debian.sh installs it)"
done

rm -rf "$out"
mkdir -p "$out"

xvfb=
wm=
trap 'kill $wm $xvfb 2>/dev/null' EXIT
trap 'exit 1' INT TERM HUP

# The server writes the display number it took once it accepts clients.
Xvfb -displayfd 3 -screen 0 1600x1000x24 -nolisten tcp 3>"$out/display" >"$out/xvfb.log" 2>&1 &
xvfb=$!
i=0
until [ -s "$out/display" ]; do
    kill -0 $xvfb 2>/dev/null || fail "Xvfb ended: $(cat "$out/xvfb.log")"
    i=$((i + 1))
    [ $i -gt 100 ] && fail "Xvfb did not come up"
    sleep 0.1
done
DISPLAY=":$(head -n 1 "$out/display")"
export DISPLAY

openbox --sm-disable >"$out/openbox.log" 2>&1 &
wm=$!
# The window manager is up once it has named itself on the root window;
# without xprop to ask, a second's grace.
if command -v xprop >/dev/null 2>&1; then
    i=0
    until xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q "window id"; do
        kill -0 $wm 2>/dev/null || fail "openbox ended: $(cat "$out/openbox.log")"
        i=$((i + 1))
        [ $i -gt 100 ] && fail "openbox did not come up"
        sleep 0.1
    done
else
    sleep 1
fi

# In a sanitizer build: what the xcb platform's libraries never free is theirs.
LSAN_OPTIONS="${LSAN_OPTIONS:+$LSAN_OPTIONS:}suppressions=$(dirname "$0")/xcb_lsan.supp:print_suppressions=0"
export LSAN_OPTIONS
# The keyboard library of xcb copies names with strndup from buffers that
# end at the given length without a NUL, which C allows and AddressSanitizer's
# strict string checks report: they are off for this run.
if [ -n "${ASAN_OPTIONS:-}" ]; then
    ASAN_OPTIONS="$ASAN_OPTIONS:strict_string_checks=0"
    export ASAN_OPTIONS
fi
QT_QPA_PLATFORM=xcb "$tests" --gtest_filter='ActivationTest.*' --gtest_repeat="$repeats" >"$out/tests.log" 2>&1
status=$?
failed=$(grep -c '^\[  FAILED  \] ActivationTest\.[A-Za-z]* (' "$out/tests.log")
ran=$(grep -c '^\[ RUN      \] ActivationTest\.' "$out/tests.log")
if [ $status -ne 0 ] || [ "$ran" -eq 0 ]; then
    cat "$out/tests.log"
    fail "$failed of $ran activation test runs failed"
fi
echo "$ran activation test runs passed on $DISPLAY with openbox"
