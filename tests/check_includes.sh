#!/usr/bin/env bash
# Fails when a file includes a header of a layer that its own layer may not use. Each layer lists those it may use:
declare -A allowed=(
  [base]="base"
  [fileio]="fileio base"
  [engine]="engine fileio base"
  [settings]="settings fileio base"
  [settings/qt]="settings/qt settings base"
  [ui]="ui engine settings fileio base"
  [ui/qt]="ui/qt ui settings/qt settings base"
  [app]="app ui/qt ui engine settings/qt settings fileio base"
  [resources]="resources"
)
cd "${1:-$(dirname "$0")/..}" || exit 2

# The layer of a path: its longest leading folder that is a layer.
layer_of() {
  local dir=${1%/*}
  while [ -n "$dir" ] && [ "$dir" != "$1" ]; do
    [ -n "${allowed[$dir]+x}" ] && { echo "$dir"; return; }
    [[ $dir == */* ]] || break
    dir=${dir%/*}
  done
}

status=0
while IFS= read -r file; do
  from=$(layer_of "$file")
  [ -n "$from" ] || continue
  while IFS= read -r included; do
    to=$(layer_of "$included")
    [ -n "$to" ] || continue
    if [[ " ${allowed[$from]} " != *" $to "* ]]; then
      echo "$file: includes $included, but $from may use only: ${allowed[$from]}"
      status=1
    fi
  done < <(sed -n 's/^[[:space:]]*#[[:space:]]*include[[:space:]]*"\([^"]*\)".*/\1/p' "$file")
done < <(find base fileio engine settings ui app resources -name '*.h' -o -name '*.cpp' -o -name '*.h.in' | sort)
[ $status -eq 0 ] && echo "every include points down the layers"
exit $status
