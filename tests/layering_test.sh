#!/usr/bin/env bash
# Layers point down only: ui -> widgets -> formats -> core -> platform, and cli uses formats and
# below. Fails when a source includes from a layer above its own, when core, formats or cli use Qt,
# when anything below the widgets includes Qt Widgets, and when a test program below the widgets
# loads Qt Widgets. tests/<layer> may include its own layer and below, the tests/ helpers of those
# layers and the helpers at the top of tests/; tests/programs runs both programs and may use all.
# Usage: layering_test.sh [BUILD_DIR]
set -uo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-}
scanned=(platform core formats widgets ui cli fuzz tests)

# The layers a folder may include from, itself first.
declare -A may_include=(
  [platform]="platform"
  [core]="core platform"
  [formats]="formats core platform"
  [widgets]="widgets formats core platform"
  [ui]="ui widgets formats core platform"
  [cli]="cli formats core platform"
  [fuzz]="fuzz formats core platform"
  [programs]="programs ui widgets cli formats core platform"
)

# Header names only Qt Widgets has (not Qt Core or Qt Gui), one a line.
widgets_headers() {
  local dir
  if [ -n "$build" ] && [ -f "$build/compile_commands.json" ]; then
    dir=$(grep -o '[^ "]*/QtWidgets' "$build/compile_commands.json" | head -n 1)
  fi
  [ -n "${dir:-}" ] || dir=$(find /usr/include -maxdepth 3 -type d -name QtWidgets -path '*qt6*' | head -n 1)
  [ -d "$dir" ] || return 1
  comm -23 <(ls "$dir" | sort) <(ls "$dir/../QtCore" "$dir/../QtGui" | sort)
}

in_list() {
  local word=$1
  shift
  for item in "$@"; do [ "$item" = "$word" ] && return 0; done
  return 1
}

# Prints one line for every include in the tree at $1 that breaks the layering.
check_tree() {
  local tree=$1 file line text kind name folder level who top sub is_test allowed
  local -a folders=()
  for folder in "${scanned[@]}"; do [ -d "$tree/$folder" ] && folders+=("$folder"); done
  (cd "$tree" && grep -rnE --include='*.cpp' --include='*.h' '^[[:space:]]*#[[:space:]]*include[[:space:]]*[<"]' \
    "${folders[@]}") | while IFS=: read -r file line text; do
    [[ $text =~ include[[:space:]]*([\<\"])([^\>\"]+) ]] || continue
    kind=${BASH_REMATCH[1]}
    name=${BASH_REMATCH[2]}
    folder=${file%%/*}
    is_test=
    if [ "$folder" = tests ]; then
      is_test=1
      level=${file#tests/}
      level=${level%%/*}
      [[ $file == tests/*/* ]] || level=platform  # the helpers at the top of tests/
    else
      level=$folder
    fi
    who="$level tests"
    [ -n "$is_test" ] || who="$level sources"
    if [ -z "${may_include[$level]:-}" ]; then
      echo "$file:$line: '$level' is not a layer the layering check knows"
      continue
    fi
    read -r -a allowed <<<"${may_include[$level]}"
    if [ "$kind" = '<' ]; then
      if [ -z "$is_test" ] && in_list "$level" core formats cli && [[ $name == Q* ]]; then
        echo "$file:$line: $who use no Qt: <$name>"
      elif ! in_list widgets "${allowed[@]}" && { [[ $name == QtWidgets/* ]] || [ -n "${widgets_only[$name]:-}" ]; }; then
        echo "$file:$line: Qt Widgets below the widgets layer: <$name>"
      fi
      continue
    fi
    [[ $name == */* ]] || continue  # beside the file itself
    top=${name%%/*}
    [ -d "$tree/$top" ] || continue
    if [ -n "$is_test" ] && [ "$top" = tests ]; then
      sub=${name#tests/}
      [[ $sub == */* ]] || continue  # a helper at the top of tests/
      sub=${sub%%/*}
      in_list "$sub" "${allowed[@]}" || echo "$file:$line: $who include tests/$sub helpers: \"$name\""
      continue
    fi
    [ -n "$is_test" ] && in_list formats "${allowed[@]}" && allowed+=(fuzz)
    in_list "$top" "${allowed[@]}" || echo "$file:$line: $who include from $top: \"$name\""
  done
}

# The check itself must see a break: a planted tree with four, and the same tree mended.
self_check() {
  local plant
  plant=$(mktemp -d)
  mkdir -p "$plant"/{core,ui,formats,tests/core,tests/ui}
  printf '#include "platform/Bitmap.h"\n#include "ui/Unit1.h"\n' >"$plant/core/A.cpp"
  printf '#include <QImage>\n#include "core/A.h"\n' >"$plant/formats/B.cpp"
  printf '#include "tests/TestSupport.h"\n  # include "tests/ui/UiFixtures.h"\n#include <QWidget>\n' \
    >"$plant/tests/core/a_test.cpp"
  local found
  found=$(check_tree "$plant")
  local want=$'core/A.cpp:2: core sources include from ui: "ui/Unit1.h"\nformats/B.cpp:1: formats sources use no Qt: <QImage>\ntests/core/a_test.cpp:2: core tests include tests/ui helpers: "tests/ui/UiFixtures.h"\ntests/core/a_test.cpp:3: Qt Widgets below the widgets layer: <QWidget>'
  sed -i '2d' "$plant/core/A.cpp"
  sed -i '2,3d' "$plant/tests/core/a_test.cpp"
  sed -i '1d' "$plant/formats/B.cpp"
  local mended
  mended=$(check_tree "$plant")
  rm -rf "$plant"
  if [ "$found" != "$want" ] || [ -n "$mended" ]; then
    printf 'the layering check misses planted breaks; it found:\n%s\nand after mending:\n%s\n' "$found" "$mended"
    return 1
  fi
}

# Test programs of the layers below the widgets must not load Qt Widgets, directly or through
# another library.
check_test_programs() {
  local program
  for program in "$build"/{platform,core,formats,cli}_*_test; do
    [ -x "$program" ] || continue
    ldd "$program" | grep -q 'libQt6Widgets' && echo "${program##*/} loads Qt Widgets"
  done
}

declare -A widgets_only=()
while read -r header; do widgets_only[$header]=1; done < <(widgets_headers)
[ ${#widgets_only[@]} -gt 0 ] || { echo "Qt Widgets headers not found"; exit 1; }
self_check || exit 1

breaks=$(
  check_tree "$root"
  [ -z "$build" ] || check_test_programs
)
if [ -n "$breaks" ]; then
  echo "Layering broken (ui -> widgets -> formats -> core -> platform; cli uses formats and below):"
  echo "$breaks"
  exit 1
fi
echo "layers point down only"
