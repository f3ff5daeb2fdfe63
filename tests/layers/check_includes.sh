#!/bin/sh
# Checks every #include of the tree against the folder table of the
# architecture document (docs/architecture.md, section "Layers"): a file may
# include only what its folder's row allows. The table is read from the
# document itself, so the written map and the tree cannot drift apart.
# Usage: check_includes.sh SOURCE_FOLDER
root=${1:-.}
cd "$root" || exit 1

# "folder|allowed folders or *" per row, from the table.
rules=$(awk '
  /^## Layers/ { inside = 1; next }
  /^## / { inside = 0 }
  inside && /^\| `/ {
    split($0, cell, "|")
    folders = cell[2]; allowed = cell[4]
    gsub(/[ `]+/, " ", allowed)
    if (allowed ~ /anything/) allowed = "*"
    while (match(folders, /`[^`]*`/)) {
      print substr(folders, RSTART + 1, RLENGTH - 2) "|" allowed
      folders = substr(folders, RSTART + RLENGTH)
    }
  }' docs/architecture.md)
[ -n "$rules" ] || { echo "FAIL: no folder table under '## Layers' in docs/architecture.md"; exit 1; }

# The row of a path: the longest folder of the table that begins it.
row_of() {
  echo "$rules" | awk -F'|' -v path="$1" '
    index(path, $1) == 1 && length($1) > best { best = length($1); row = $1 }
    END { print row }'
}
allowed_of() { echo "$rules" | awk -F'|' -v row="$1" '$1 == row { print $2 }'; }

failures=0
checked=0
files=$(find src languages host include -type f \( -name '*.h' -o -name '*.cpp' -o -name '*.l' -o -name '*.y' -o -name '*.inc' \) | sort)
for file in $files; do
  row=$(row_of "$file")
  if [ -z "$row" ]; then
    echo "FAIL: $file lies in no folder of the table"; failures=$((failures + 1)); continue
  fi
  allowed=$(allowed_of "$row")
  [ "$allowed" = "*" ] && continue
  dir=$(dirname "$file")
  for name in $(sed -n 's/^[[:space:]]*#[[:space:]]*include[[:space:]]*"\([^"]*\)".*/\1/p' "$file"); do
    checked=$((checked + 1))
    # Found as the compiler finds it: beside the file, then on the include
    # paths; a grammar's header is generated beside its grammar.
    target=
    for candidate in "$dir/$name" "src/$name" "include/$name" "host/$name"; do
      if [ -f "$candidate" ]; then target=$candidate; break; fi
    done
    case "$name" in *_grammar.hpp) [ -z "$target" ] && [ -f "$dir/${name%.hpp}.y" ] && target="$dir/$name" ;; esac
    if [ -z "$target" ]; then
      echo "FAIL: $file includes \"$name\", which is not in the tree"; failures=$((failures + 1)); continue
    fi
    target_row=$(row_of "$target")
    # A folder allowed allows the folders below it that have rows of their
    # own: "src/reading/" allows "src/reading/pass/".
    permitted=0
    for folder in $allowed; do
      case "$target_row" in "$folder"*) permitted=1; break ;; esac
    done
    if [ "$permitted" -eq 0 ]; then
      echo "FAIL: $file (in $row) includes $target (in $target_row); $row may include only:$allowed"
      failures=$((failures + 1))
    fi
  done
done
if [ "$failures" -ne 0 ]; then echo "$failures forbidden or unknown includes"; exit 1; fi
echo "ok: $checked includes follow the layers of the architecture document's table"
