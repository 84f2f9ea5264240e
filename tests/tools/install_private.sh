#!/bin/sh
# Installs the program folder with a permissive umask and checks that the
# database and its folder are the owner's alone.
set -u
build="$1"
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }
umask 000
cmake --install "$build" --prefix "$prefix" >/dev/null || fail "install failed"
[ "$(stat -c %a "$prefix/DBQORV/DBQORV.mdb")" = 600 ] || fail "database is $(stat -c %a "$prefix/DBQORV/DBQORV.mdb")"
[ "$(stat -c %a "$prefix/DBQORV")" = 700 ] || fail "database folder is $(stat -c %a "$prefix/DBQORV")"
# A reinstall keeps the operator's database and leaves it private.
echo changed >> "$prefix/DBQORV/DBQORV.mdb"
cmake --install "$build" --prefix "$prefix" >/dev/null || fail "reinstall failed"
tail -c 8 "$prefix/DBQORV/DBQORV.mdb" | grep -q changed || fail "reinstall replaced the database"
[ "$(stat -c %a "$prefix/DBQORV/DBQORV.mdb")" = 600 ] || fail "database after reinstall is $(stat -c %a "$prefix/DBQORV/DBQORV.mdb")"
echo "install: database private"
