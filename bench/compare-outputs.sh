#!/bin/sh
# Runs a quorix binary on every PDB file of the given folders (automatic detection, JSON and
# permutations on) and keeps each run's text and JSON output in a folder, with the timing lines
# and the start date and host masked, so that two builds can be compared file by file:
#
#   bench/compare-outputs.sh OUT_DIR QUORIX [FOLDER ...]
#   diff -r OLD_OUT_DIR NEW_OUT_DIR
#
# FOLDER defaults to the shared real and synthetic structures. A file with a JSON file of the
# same name that names its group (the synthetic assemblies) is also run with that group, -p and
# -y. The exit status of every run is kept in the text file's last line.
set -eu
[ $# -ge 2 ] || { echo "usage: $0 OUT_DIR QUORIX [FOLDER ...]" >&2; exit 2; }
out=$1; quorix=$2; shift 2
here=$(cd "$(dirname "$0")" && pwd)
# Absolute folders, so that the "Read PDB file" line is the same from every work tree.
[ $# -gt 0 ] || set -- "$(cd "$here/../../shared/data/structures" && pwd)" "$(cd "$here/../../shared/data/synthetic" && pwd)"
mkdir -p "$out"

# Timings, dates, host names and the command line (which names the binary) vary per run.
mask() {
  sed -i -E -e 's/^([^.:]*[A-Za-z)][^.:]*\.{3,} : ).*[0-9.e+-]+ s$/\1<time>/' \
            -e 's/^(Total time : \.+ : ).*/\1<time>/' \
            -e 's/^(Host name\.+ : ).*/\1<host>/' \
            -e 's/^(Started on\.+ : ).*/\1<date>/' \
            -e 's/^(Command-line arguments\.+ : ).*/\1<args>/' "$1"
}
for folder in "$@"; do
  for pdb in "$folder"/*.pdb; do
    name=$(basename "$folder")_$(basename "$pdb" .pdb)
    status=0
    "$quorix" "$pdb" -p -j "$out/$name.json" >"$out/$name.txt" 2>"$out/$name.err" || status=$?
    mask "$out/$name.txt"
    echo "exit status $status" >>"$out/$name.txt"
    # Assemblies with a known group are also tested with that group named, with -p and -y.
    json=${pdb%.pdb}.json
    group=$( [ -f "$json" ] && grep -o '"group": *"[^"]*"' "$json" | head -n 1 | sed -E 's/.*"([^"]*)"$/\1/' | tr 'A-Z' 'a-z' || true)
    if [ -n "$group" ]; then
      status=0
      "$quorix" "$pdb" "$group" -p -y -j "$out/$name.$group.json" >"$out/$name.$group.txt" 2>&1 || status=$?
      mask "$out/$name.$group.txt"
      echo "exit status $status" >>"$out/$name.$group.txt"
    fi
  done
done
