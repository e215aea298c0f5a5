#!/usr/bin/env bash
# Lists the C++ files that differ from .clang-format and fails when there are any.
# Run tools/check-format.sh --fix to format them in place.
set -euo pipefail
cd "$(dirname "$0")/.."
command -v clang-format >/dev/null || { echo "clang-format is not installed (tools/install-deps.sh)"; exit 1; }
fix=${1:-}
status=0
while IFS= read -r -d '' file; do
  if [ "$fix" = --fix ]; then
    clang-format -i "$file"
  elif ! clang-format "$file" | cmp -s - "$file"; then
    echo "not formatted: $file"
    status=1
  fi
done < <(git ls-files -z --cached --others --exclude-standard -- '*.cpp' '*.h')
[ $status -eq 0 ] || echo "Run tools/check-format.sh --fix"
exit $status
