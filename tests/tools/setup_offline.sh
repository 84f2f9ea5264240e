#!/bin/sh
# The set-up script on a machine with every package, and on one that lacks a package:
# apt-get, sudo and id are replaced by recorders, so nothing is installed and no network is used.
set -u
script="$1"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

mkdir -p "$work/bin"
cat > "$work/bin/apt-get" <<'REC'
#!/bin/sh
echo "apt-get DEBIAN_FRONTEND=${DEBIAN_FRONTEND:-} $*" >> "$CALLS"
exit 0
REC
cat > "$work/bin/sudo" <<'REC'
#!/bin/sh
echo "sudo $*" >> "$CALLS"
exec env "$@"
REC
chmod +x "$work/bin/apt-get" "$work/bin/sudo"
export CALLS="$work/calls"

# 1. Everything installed (this machine built the program): twice, no apt-get at all.
for run in 1 2; do
  : > "$CALLS"
  PATH="$work/bin:$PATH" sh "$script" || fail "run $run with every package present failed"
  [ -s "$CALLS" ] && fail "run $run called: $(cat "$CALLS")"
done

# 2. A package missing, not root, sudo present: sudo keeps the non-interactive front end.
cat > "$work/bin/dpkg-query" <<'REC'
#!/bin/sh
case "$*" in *qt6-pdf-dev*) echo "unknown ok not-installed" ;; *) echo "install ok installed" ;; esac
REC
printf '#!/bin/sh\necho 1000\n' > "$work/bin/id"
chmod +x "$work/bin/dpkg-query" "$work/bin/id"
: > "$CALLS"
PATH="$work/bin:$PATH" sh "$script" >/dev/null 2>&1
grep -q '^sudo DEBIAN_FRONTEND=noninteractive apt-get install .*qt6-pdf-dev' "$CALLS" \
  || fail "install under sudo: $(cat "$CALLS")"
grep -q '^apt-get DEBIAN_FRONTEND=noninteractive install' "$CALLS" || fail "front end lost under sudo: $(cat "$CALLS")"

# 3. A package missing, not root, no sudo: one line saying what to install, and failure.
rm "$work/bin/sudo"
mkdir -p "$work/nosudo"
for tool in sh dpkg-query grep id cat; do
  src=$(PATH="$work/bin:$PATH" command -v "$tool"); ln -sf "$src" "$work/nosudo/$tool"
done
ln -sf "$work/bin/apt-get" "$work/nosudo/apt-get"
: > "$CALLS"
out=$(PATH="$work/nosudo" sh "$script" 2>&1) && fail "succeeded without root or sudo"
[ "$(printf '%s\n' "$out" | wc -l)" -eq 1 ] || fail "more than one line: $out"
printf '%s' "$out" | grep -q 'apt-get install qt6-pdf-dev' || fail "does not name the package: $out"
[ -s "$CALLS" ] && fail "called apt-get without root: $(cat "$CALLS")"
echo "setup script: all cases passed"
