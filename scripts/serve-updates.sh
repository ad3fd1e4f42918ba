#!/usr/bin/env bash
# Usage: serve-updates.sh FOLDER [PORT]
# Serves the files of FOLDER on http://127.0.0.1:PORT/ (default 8080) with
# nginx in the foreground until Ctrl-C (or SIGTERM); each request is logged on
# standard output.
#
# The wizard asks for its files by GBK names ("/Tavrimo - 安装向导.txt" and
# ".zip"), and the Windows HTTP client sends those bytes raw (a space as %20).
# So the files are served from a temporary copy whose names are the GBK bytes
# of FOLDER's UTF-8 names; FOLDER itself is left as it is.
set -eu
if [ $# -lt 1 ] || [ $# -gt 2 ] || [ ! -d "$1" ]; then
    echo "usage: $0 FOLDER [PORT]" >&2
    exit 2
fi
folder=$(cd "$1" && pwd)
port=${2:-8080}

work=$(mktemp -d "${TMPDIR:-/tmp}/serve-updates.XXXXXX")
nginx_pid=
stop() {
    trap - EXIT INT TERM
    [ -n "$nginx_pid" ] && kill "$nginx_pid" 2>/dev/null && wait "$nginx_pid" 2>/dev/null
    rm -rf "$work"
}
trap stop EXIT
trap 'exit 130' INT
trap 'exit 143' TERM

mkdir -p "$work/root" "$work/temp"
(cd "$folder" && find . -mindepth 1 -print0) | while IFS= read -r -d '' name; do
    if ! gbk=$(printf '%s' "$name" | iconv -f UTF-8 -t GBK); then
        echo "$0: no GBK name for $name" >&2
        exit 1
    fi
    if [ -d "$folder/$name" ]; then
        mkdir -p "$work/root/$gbk"
    else
        cp -p "$folder/$name" "$work/root/$gbk"
    fi
done
chmod -R a+rX "$work"

# nginx drops root to the named user for its workers; as anyone else it runs as that user.
user_line=
[ "$(id -u)" = 0 ] && user_line="user $(id -un) $(id -gn);"
cat > "$work/nginx.conf" <<CONF
daemon off;
$user_line
worker_processes 1;
pid $work/nginx.pid;
# Opened by name, like the access log on /dev/stdout, so both append: through
# the inherited descriptor, error lines would overwrite requests when standard
# output and error go to the same file.
error_log /dev/stderr warn;
events { worker_connections 64; }
http {
    access_log /dev/stdout;
    client_body_temp_path $work/temp/body;
    proxy_temp_path $work/temp/proxy;
    fastcgi_temp_path $work/temp/fastcgi;
    uwsgi_temp_path $work/temp/uwsgi;
    scgi_temp_path $work/temp/scgi;
    default_type application/octet-stream;
    server {
        listen 127.0.0.1:$port;
        root $work/root;
    }
}
CONF

echo "serving $folder on http://127.0.0.1:$port/ (Ctrl-C stops)" >&2
nginx -p "$work" -c "$work/nginx.conf" -e stderr &
nginx_pid=$!
wait "$nginx_pid"
