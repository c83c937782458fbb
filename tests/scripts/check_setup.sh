#!/bin/sh
# Runs scripts/setup-debian.sh against a made-up set of installed packages
# (stand-ins for dpkg-query, apt-get and sudo on PATH) and checks what it
# asks apt-get to install: only what is missing, an installed alternative
# or a package provided by another counting as present, and never with
# leave to remove anything.
set -eu
setup=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir "$work/bin"
cat >"$work/bin/dpkg-query" <<'STUB'
#!/bin/sh
cat "$FAKE_INSTALLED"
STUB
cat >"$work/bin/apt-get" <<'STUB'
#!/bin/sh
echo "$*" >>"$FAKE_APT_LOG"
STUB
cat >"$work/bin/localedef" <<'STUB'
#!/bin/sh
STUB
cat >"$work/bin/sudo" <<'STUB'
#!/bin/sh
exec "$@"
STUB
chmod +x "$work/bin/"*

fail() { echo "check_setup: $*" >&2; exit 1; }

# Every package of the full set, one installed line each, but those named.
all="qt6-base-dev cmake ninja-build g++ libgtest-dev fonts-liberation2 proj-bin poppler-utils
geographiclib-tools python3-ezdxf libwmf-bin imagemagick libreoffice-draw libreoffice-impress
libreoffice-writer-nogui fonts-urw-base35 cups-daemon cups-client printer-driver-cups-pdf
libbenchmark-dev libproj-dev locales clang-format-14 clang-14 libclang-rt-14-dev llvm-14 xvfb openbox x11-utils"
installed_but() {
  for p in $all; do
    case " $* " in *" $p "*) ;; *) echo "ii  $p " ;; esac
  done
}

# run GROUP: the apt-get install line, empty when none was asked for.
run() {
  : >"$work/apt.log"
  FAKE_INSTALLED=$work/installed FAKE_APT_LOG=$work/apt.log PATH="$work/bin:$PATH" bash "$setup" "$1" >/dev/null ||
    fail "setup-debian.sh $1 failed"
  grep -E '(^| )install ' "$work/apt.log" || true
}

# The user has the full writer: it stands for the headless one.
{ installed_but libreoffice-writer-nogui; echo "ii  libreoffice-writer "; } >"$work/installed"
[ -z "$(run test)" ] || fail "an installed libreoffice-writer was to be replaced: $(run test)"

# A package provided by another installed one counts as present.
{ installed_but libproj-dev; echo "ii  other-proj libproj-dev (= 9.1), libproj-api"; } >"$work/installed"
[ -z "$(run test)" ] || fail "a provided package was asked for: $(run test)"

# What is missing is asked for, the first alternative of a choice, never with removals.
installed_but proj-bin libreoffice-writer-nogui >"$work/installed"
line=$(run test)
case "$line" in *" proj-bin "*) ;; *) fail "proj-bin missing from: $line" ;; esac
case "$line" in *"libreoffice-writer-nogui"*) ;; *) fail "the writer missing from: $line" ;; esac
case "$line" in *"--no-remove"*) ;; *) fail "apt-get may remove packages: $line" ;; esac

# Building or fuzzing asks for no test oracle.
installed_but proj-bin libreoffice-draw clang-14 >"$work/installed"
case "$(run build)" in *proj-bin* | *libreoffice* | *clang*) fail "build asks for more than it needs: $(run build)" ;; esac
line=$(run fuzz)
case "$line" in *proj-bin* | *libreoffice*) fail "fuzz asks for test oracles: $line" ;; esac
case "$line" in *clang-14*) ;; *) fail "fuzz does not ask for clang-14: $line" ;; esac
echo "check_setup: passed"
