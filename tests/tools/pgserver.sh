#!/bin/sh
# A PostgreSQL 15 server of the tests' own: "start DIR" makes a fresh cluster
# in DIR and starts it listening on a Unix socket in DIR only (no TCP port);
# "stop DIR" stops it and removes DIR. The server never runs as root: under
# root it runs as the postgres user that Debian's package makes. The
# maintenance address for the tests is written to DIR/url. Server settings
# in QUORVEL_PG_OPTIONS (as for postgres -c) hold for every start of DIR.
set -eu
action=$1
dir=$2
bin=/usr/lib/postgresql/15/bin
as_server() {
  if [ "$(id -u)" = 0 ]; then runuser -u postgres -- "$@"; else "$@"; fi
}
case $action in
start)
  rm -rf "$dir"
  mkdir -p "$dir"
  [ "$(id -u)" = 0 ] && chown postgres: "$dir"
  as_server "$bin/initdb" -D "$dir/data" -U quorvel --auth=trust -E UTF8 --locale=C.UTF-8 >"$dir/initdb.log" 2>&1 \
    || { cat "$dir/initdb.log"; exit 1; }
  echo "-c listen_addresses='' -k $dir -c fsync=on -c max_connections=60 ${QUORVEL_PG_OPTIONS:-}" >"$dir/options"
  as_server "$bin/pg_ctl" -D "$dir/data" -l "$dir/server.log" -w -t 60 -o "$(cat "$dir/options")" start >/dev/null \
    || { cat "$dir/server.log"; exit 1; }
  echo "postgresql://quorvel@localhost/postgres?host=$dir" >"$dir/url"
  ;;
stop)
  if [ -d "$dir/data" ]; then as_server "$bin/pg_ctl" -D "$dir/data" -m fast -w stop >/dev/null || true; fi
  rm -rf "$dir"
  ;;
stop-only)
  # Stopped in the mode given third (immediate, as by a failure, when none is given); the cluster stays for start-again.
  as_server "$bin/pg_ctl" -D "$dir/data" -m "${3:-immediate}" -w -t 120 stop >/dev/null
  ;;
start-again)
  as_server "$bin/pg_ctl" -D "$dir/data" -l "$dir/server.log" -w -t 60 -o "$(cat "$dir/options")" start >/dev/null
  ;;
restart)
  as_server "$bin/pg_ctl" -D "$dir/data" -l "$dir/server.log" -m fast -w -t 60 -o "$(cat "$dir/options")" restart >/dev/null
  ;;
terminate)
  # Ends every session of the program as an administrator's pg_terminate_backend does.
  # The sessions end a moment after the call returns: it waits until they have.
  as_server "$bin/psql" -h "$dir" -U quorvel -d postgres -qAt \
    -c "SELECT count(pg_terminate_backend(pid)) FROM pg_stat_activity WHERE application_name = 'quorvel'" >/dev/null
  tries=0
  while [ "$(as_server "$bin/psql" -h "$dir" -U quorvel -d postgres -qAt \
      -c "SELECT count(*) FROM pg_stat_activity WHERE application_name = 'quorvel'")" != 0 ] && [ $tries -lt 100 ]; do
    sleep 0.1
    tries=$((tries + 1))
  done
  ;;
*)
  echo "usage: $0 start|stop|stop-only|start-again|restart|terminate DIR [MODE]" >&2
  exit 2
  ;;
esac
