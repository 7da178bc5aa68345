#!/usr/bin/env bash
# Prints albums to a real CUPS queue: installs CUPS and cups-pdf when missing, starts cupsd when
# none runs, adds a cups-pdf queue of its own that writes into a temporary folder, runs the
# printing checks (the program given as $1) against it and removes everything it set up again.
# Fails with a message whenever any of that cannot be done.
set -uo pipefail

CHECKS=${1:?usage: run_cups_test.sh CHECKS-PROGRAM [ITS ARGUMENTS]}
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"
QUEUE="krel-test-$$"
CUPS_PDF_CONF="/etc/cups/cups-pdf-$QUEUE.conf"
PPD="lsb/usr/cups-pdf/CUPS-PDF_opt.ppd"
STARTED_CUPSD=""
OUT=""

fail() {
    echo "CUPS printing test: $*" >&2
    exit 1
}

cleanup() {
    lpadmin -x "$QUEUE" >/dev/null 2>&1 || true
    rm -f "$CUPS_PDF_CONF"
    [ -n "$OUT" ] && rm -rf "$OUT"
    if [ -n "$STARTED_CUPSD" ]; then
        kill "$STARTED_CUPSD" 2>/dev/null || true
        for _ in $(seq 50); do kill -0 "$STARTED_CUPSD" 2>/dev/null || break; sleep 0.1; done
        kill -9 "$STARTED_CUPSD" 2>/dev/null || true
    fi
}
trap cleanup EXIT

scheduler_running() {
    timeout 10 lpstat -r 2>/dev/null | grep -q "scheduler is running"
}

# The packages, as scripts/setup.sh installs them.
source "$ROOT/scripts/setup.sh" >/dev/null || fail "scripts/setup.sh failed"
krel_install_missing cups printer-driver-cups-pdf poppler-utils ||
    fail "could not install cups, printer-driver-cups-pdf and poppler-utils"
set +e # setup.sh stops at the first failure; here every failure gets its message
for tool in cupsd lpadmin lpstat pdfinfo pdfimages pdftoppm; do
    command -v "$tool" >/dev/null || fail "$tool is missing after installing the packages"
done
[ -x /usr/lib/cups/backend/cups-pdf ] || fail "the cups-pdf backend is not installed"

if ! scheduler_running; then
    [ "$(id -u)" -eq 0 ] || fail "no cupsd is running, and only root can start one"
    cupsd -f >/dev/null 2>&1 &
    STARTED_CUPSD=$!
    for _ in $(seq 150); do
        scheduler_running && break
        kill -0 "$STARTED_CUPSD" 2>/dev/null || fail "cupsd exited at start"
        sleep 0.2
    done
    scheduler_running || fail "cupsd (pid $STARTED_CUPSD) did not answer within 30 seconds"
fi

# cups-pdf reads the configuration named after the device URI's path: its files go to a folder
# of our own, readable whoever the job's user turns out to be (root's jobs may be mapped to
# another user, anonymous ones go to AnonDirName).
OUT="$(mktemp -d /tmp/krel-cups-XXXXXX)" || fail "no temporary folder"
chmod 1777 "$OUT"
cat >"$CUPS_PDF_CONF" <<CONF || fail "cannot write $CUPS_PDF_CONF (needs root)"
Out $OUT
AnonDirName $OUT
UserUMask 0000
AnonUMask 0000
Label 1
TitlePref 1
Grp lpadmin
CONF
timeout 60 lpadmin -p "$QUEUE" -E -v "cups-pdf:/$QUEUE" -m "$PPD" -o Label=1 -o TitlePref=1 \
    >/dev/null 2>&1 || fail "lpadmin could not add the queue $QUEUE"
timeout 10 lpstat -p "$QUEUE" >/dev/null 2>&1 || fail "the queue $QUEUE is not listed"

KREL_CUPS_QUEUE="$QUEUE" KREL_CUPS_OUT="$OUT" timeout 900 "$CHECKS" "${@:2}"
status=$?
if [ $status -ne 0 ]; then
    echo "--- queue $QUEUE:" >&2
    timeout 10 lpstat -o "$QUEUE" >&2 || true
    tail -n 20 /var/log/cups/error_log 2>/dev/null >&2 || true
    tail -n 20 "/var/log/cups/cups-pdf-${QUEUE}_log" 2>/dev/null >&2 || true
    fail "the printing checks failed (exit $status)"
fi
