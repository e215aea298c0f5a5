#!/usr/bin/env bash
# The README's many-machines recipe, run through GNU parallel with a stand-in ssh that "logs in" to
# this machine (into a folder of its own, as a remote home), so the pictures really travel there
# and back by rsync. Every output must equal a direct conversion. Usage: parallel_recipe_test.sh BUILD_DIR
set -euo pipefail
build=$(cd "$1" && pwd)
for tool in parallel rsync; do
  command -v "$tool" >/dev/null || { echo "skipped: $tool is missing (tools/install-deps.sh installs it)"; exit 77; }
done

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"
mkdir -p bin remote scans/a/deep "scans/b c" direct
# The host's one-time preparation from the README: parallel's clean-up also removes the job
# folders' parents when they are empty, which races with another job making them.
mkdir -p remote/.parallel/tmp && touch remote/.parallel/tmp/.keep

cat >bin/ssh <<'SSH'
#!/usr/bin/env bash
# ssh [options] [--] HOST [--] COMMAND...: runs COMMAND with bash in $FAKE_REMOTE, the remote home.
while [ $# -gt 0 ]; do
  case "$1" in
    --) shift; break ;;
    -[46AaCfGgKkMNnqsTtVvXxYy]*) shift ;;
    -*) shift 2 ;;
    *) break ;;
  esac
done
shift
[ "${1:-}" = "--" ] && shift
# A real login sets the remote user's HOME and SHELL; parallel's remote wrapper runs the job with $SHELL.
export HOME="$FAKE_REMOTE" SHELL=/bin/bash
cd "$HOME" || exit 255
exec bash -c "$*"
SSH
chmod +x bin/ssh

# Twelve small 24-bit BMPs of different sizes and contents, folder names with spaces among them.
i=0
for place in scans scans/a scans/a/deep "scans/b c"; do
  for n in 1 2 3; do
    i=$((i + 1))
    python3 - "$place/pic $n.bmp" "$i" <<'PY'
import struct, sys
path, seed = sys.argv[1], int(sys.argv[2])
w, h = 17 + seed, 9 + seed % 4
stride = (3 * w + 3) & ~3
rows = b"".join(bytes((x * seed + y * 13 + seed) & 255 for x in range(3 * w)) + b"\0" * (stride - 3 * w) for y in range(h))
header = struct.pack("<2sIHHI", b"BM", 54 + len(rows), 0, 0, 54) + struct.pack("<IiiHHIIiiII", 40, w, h, 1, 24, 0, len(rows), 0, 0, 0, 0)
open(path, "wb").write(header + rows)
PY
  done
done

export FAKE_REMOTE="$work/remote" PATH="$build:$PATH"
# rsync 3.2.4 and later quote remote names themselves; --old-args keeps parallel's quoting working.
export PARALLEL_RSYNC_OPTS="-rlDzR --old-args"
find scans -name '*.bmp' | parallel --will-cite --ssh "$work/bin/ssh" --sshlogin 2/fakehost,2/otherhost --workdir ... \
  --transferfile {} --return {.}.jpg --cleanup --joblog jobs.log \
  brelvik-cli convert -j 1 -q 85 {}

status=0
count=0
while IFS= read -r -d '' source; do
  count=$((count + 1))
  "$build/brelvik-cli" convert -q 85 "$source" -o direct/expected.jpg
  if ! cmp -s "${source%.bmp}.jpg" direct/expected.jpg; then
    echo "FAIL: ${source%.bmp}.jpg differs from a direct conversion (or is missing)"
    status=1
  fi
done < <(find scans -name '*.bmp' -print0)
[ "$count" -eq 12 ] || { echo "FAIL: $count sources, expected 12"; status=1; }
remote_jobs=$(awk -F'\t' 'NR > 1 && $2 == "fakehost"' jobs.log | wc -l)
[ "$remote_jobs" -gt 0 ] || { echo "FAIL: no job went through the stand-in ssh"; status=1; }
leftover=$(find remote -type f ! -path remote/.parallel/tmp/.keep | head -5)
[ -z "$leftover" ] || { echo "FAIL: left on the remote host: $leftover"; status=1; }
if [ $status -eq 0 ]; then
  echo "parallel recipe: $count outputs equal direct conversions"
else
  cat jobs.log
fi
exit $status
