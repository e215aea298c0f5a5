#!/usr/bin/env bash
# The picture dialogs' cases whose outcome depends on real windows, run on a virtual X server: the
# name-completion list (a window of its own) closes with the dialog, and the preview follows the
# selection, the typed name and the type, and shows the confirmed name again on reopening.
set -euo pipefail
build=$(cd "${1:?usage: picture_dialogs_x_test.sh BUILD-DIR}" && pwd)
program="$build/ui_picture_dialogs_test"
[ -x "$program" ] || { echo "FAIL: $program is not built"; exit 1; }
source "$(dirname "$0")/x_session.sh"
run_in_x_session "$0" "$build"

QT_QPA_PLATFORM=xcb "$program" \
  --gtest_filter='*NameCompletionListClosesWithTheDialog:*PreviewFollowsSelectionTypingAndType*' >"$work/out.log" 2>&1 ||
  { echo "FAIL"; cat "$work/out.log"; exit 1; }
grep -q '\[  PASSED  \] 2 tests' "$work/out.log" || { echo "FAIL: the cases did not run"; cat "$work/out.log"; exit 1; }
echo "PASS: completion list closed with the dialog; the preview followed the name"
