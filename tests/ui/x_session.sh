# Shared start of the tests that need a real X server; sourced, not run.
# Usage: run_in_x_session SCRIPT BUILD-DIR TOOL...
#   BRELVIK_X_SCREEN sets the virtual screen (default 1024x768x24).
#   skips (exit 77) when a tool is missing, re-runs SCRIPT under xvfb-run once, and inside the
#   virtual server makes $work, removed on exit together with the process in $pid.
run_in_x_session() {
  local script=$1 build=$2
  shift 2
  local tool
  for tool in xvfb-run Xvfb "$@"; do
    command -v "$tool" >/dev/null || { echo "SKIP: $tool is not installed (tools/install-deps.sh)"; exit 77; }
  done
  if [ -z "${BRELVIK_X_SESSION:-}" ]; then
    export BRELVIK_X_SESSION=1
    exec xvfb-run -a -s "-screen 0 ${BRELVIK_X_SCREEN:-1024x768x24}" bash "$script" "$build"
  fi
  work=$(mktemp -d)
  trap 'cleanup_x_session' EXIT
}

cleanup_x_session() {
  [ -n "${pid:-}" ] && kill "$pid" 2>/dev/null || true
  rm -rf "$work"
}
