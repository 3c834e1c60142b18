#!/usr/bin/env bash
# Checks that the C++ sources follow .clang-format, as Debian 12's
# clang-format 14 reads it: names the files that differ and fails.
#   scripts/check-format.sh         check
#   scripts/check-format.sh --fix   reformat the files in place
set -euo pipefail
cd "$(dirname "$0")/.."
format=clang-format-14
command -v "$format" >/dev/null || { echo "check-format: $format is missing (scripts/setup.sh installs it)" >&2; exit 2; }
files() { git ls-files -z '*.cpp' '*.h'; }
# In batches on every core: one run of clang-format a file would cost more than the formatting.
reformat() { xargs -0 -r -P "$(nproc)" -n 40 "$format" -i --style=file; }

if [ "${1:-}" = --fix ]; then
  files | reformat
  exit 0
fi

# A copy of the sources is formatted and compared with them.
copy=$(mktemp -d)
trap 'rm -rf "$copy"' EXIT
cp .clang-format "$copy/"
files | xargs -0 -r cp --parents -t "$copy"
(cd "$copy" && find . \( -name '*.cpp' -o -name '*.h' \) -print0 | reformat)
total=0
differing=()
while IFS= read -r -d '' file; do
  total=$((total + 1))
  cmp -s "$file" "$copy/$file" || differing+=("$file")
done < <(files)
if [ ${#differing[@]} -gt 0 ]; then
  printf '%s\n' "${differing[@]}"
  echo "check-format: ${#differing[@]} of $total files differ from .clang-format (scripts/check-format.sh --fix reformats them)" >&2
  exit 1
fi
echo "check-format: all $total files follow .clang-format"
