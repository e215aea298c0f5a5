#!/usr/bin/env bash
# Rereads the window sources with lupdate and brings every translation in
# resources/translations/brelvik_<language>.ts up to date: new texts come in unfinished, texts gone
# from the sources are kept as vanished (they come back if the text does). Translate the unfinished
# entries (Qt Linguist: `linguist resources/translations/brelvik_en.ts`, or any editor), then
# rebuild; lrelease runs at build time.
#   tools/update-translations.sh            every existing translation
#   tools/update-translations.sh de         also starts brelvik_de.ts for a new language
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
lupdate=$(command -v lupdate || true)
[ -n "$lupdate" ] || lupdate=/usr/lib/qt6/bin/lupdate
[ -x "$lupdate" ] || { echo "lupdate not found (Debian: apt-get install qt6-l10n-tools)" >&2; exit 1; }

folder="$root/resources/translations"
languages=("$@")
for ts in "$folder"/brelvik_*.ts; do
  [ -e "$ts" ] || continue
  name=$(basename "$ts" .ts)
  languages+=("${name#brelvik_}")
done
[ ${#languages[@]} -gt 0 ] || { echo "no translations yet: name a language, e.g. $0 en" >&2; exit 1; }

for language in $(printf '%s\n' "${languages[@]}" | sort -u); do
  # The texts in the code are Russian; no line numbers in the files, so that edits elsewhere in
  # a source do not change them.
  "$lupdate" -silent -locations none -extensions cpp,h -source-language ru_RU -I "$root" \
    -target-language "$language" "$root/ui" "$root/widgets" -ts "$folder/brelvik_$language.ts"
  echo "$folder/brelvik_$language.ts: $(grep -c 'type="unfinished"' "$folder/brelvik_$language.ts" || true) unfinished"
done
