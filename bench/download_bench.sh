#!/usr/bin/env bash
# Download-stage timings of the three downloaders over loopback, against
# curl -o of the same file and, with a per-connection rate limit on the
# server, of the multi-connection downloader against aria2c -x2 -s2.
#
#   bash bench/download_bench.sh [BUILD_DIR]      (default: build/win32)
#
# Needs QuelvoxPipeline.exe built in BUILD_DIR/bin, python3, curl, aria2c and
# Wine. Uses port 18310 and a 256 MiB package generated under BUILD_DIR/bench.
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
src="$(cd "$here/.." && pwd)"
build="$(cd "${1:-$src/build/win32}" && pwd)"
port=18310
size=$((256 * 1048576))
rate=${QV_BENCH_RATE:-16000000}   # bytes per second per connection for the rate-limited pair
work="$build/bench/download"
mkdir -p "$work/served" "$work/out"
export QV_WINEPREFIX="${QV_WINEPREFIX:-$build/wineprefix}"

python3 "$src/tools/download_server/download_server.py" --port $port --root "$work/served" \
  --pidfile "$work/server.pid" --logfile "$work/server.log" --daemon
trap 'python3 "$src/tools/download_server/download_server.py" --stop "$work/server.pid"' EXIT

name="blob-$size.bin"
base="http://127.0.0.1:$port"
md5=$(curl -s "$base/_md5?name=$name")   # generates the package on first use
final="$base/files/$md5/$name"

python3 - "$src" "$build" "$work" "$base" "$final" "$name" "$rate" <<'PY'
import os, subprocess, sys, time
src, build, work, base, final, name, rate = sys.argv[1:]
wine = os.path.join(src, "cmake", "wine-run.sh")
pipeline = os.path.join(build, "bin", "QuelvoxPipeline.exe")
out = os.path.join(work, "out")

def winpath(p):
    return "Z:" + p.replace("/", "\\")

def pipeline_stage(kind, query=""):
    """Seconds from the 1001 report to the 1003 report of one download."""
    folder = os.path.join(out, "type%d" % kind)
    os.makedirs(folder, exist_ok=True)
    url = "%s/software/%s%s" % (base, name, query)
    cmd = [wine, pipeline, "-isenableapptelemetry=false", "-downloadurl=" + url,
           "-downloadtype=%d" % kind, "-instdir=" + winpath(folder)]
    p = subprocess.Popen(cmd, stdout=subprocess.PIPE, text=True, errors="replace")
    start = end = None
    for line in p.stdout:
        code = line.split(" ", 1)[0]
        if code == "1001" and start is None:
            start = time.monotonic()
        elif code == "1003":
            end = time.monotonic()
        elif code == "1004":
            break
    p.wait()
    if start is None or end is None:
        raise SystemExit("download type %d did not complete" % kind)
    return end - start

def timed(cmd):
    t = time.monotonic()
    subprocess.run(cmd, check=True, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    return time.monotonic() - t

target = os.path.join(out, "ref.bin")
def clean():
    for f in os.listdir(out):
        p = os.path.join(out, f)
        if os.path.isfile(p):
            os.unlink(p)

size_mib = os.path.getsize(os.path.join(work, "served", name)) / 1048576
print("package: %s (%.0f MiB), loopback" % (name, size_mib))
clean()
curl_t = timed(["curl", "-s", "-o", target, final]); clean()
print("%-44s %8.2f s  %7.1f MiB/s" % ("curl -o", curl_t, size_mib / curl_t))
for kind, label in ((1, "CCurlDownloader (DownloadType 1)"), (2, "CWinDownloader (DownloadType 2)"),
                    (3, "CMTCurlDownloader (DownloadType 3)")):
    t = pipeline_stage(kind)
    print("%-44s %8.2f s  %7.1f MiB/s  ratio to curl -o %.2f" % (label, t, size_mib / t, t / curl_t))

print("with a per-connection limit of %.1f MB/s on the server:" % (int(rate) / 1e6))
q = "?rate=%s" % rate
clean()
aria = timed(["aria2c", "-q", "-x2", "-s2", "--allow-overwrite=true", "--file-allocation=none",
              "-d", out, "-o", "aria.bin", final + q]); clean()
print("%-44s %8.2f s  %7.1f MiB/s" % ("aria2c -x2 -s2", aria, size_mib / aria))
t = pipeline_stage(3, q)
print("%-44s %8.2f s  %7.1f MiB/s  ratio to aria2c %.2f" % ("CMTCurlDownloader (DownloadType 3)", t, size_mib / t, t / aria))
curl_r = timed(["curl", "-s", "-o", target, final + q]); clean()
print("%-44s %8.2f s  %7.1f MiB/s" % ("curl -o (one connection)", curl_r, size_mib / curl_r))
PY
