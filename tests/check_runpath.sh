#!/usr/bin/env bash
# Fails on any program or module below DIR that carries an RPATH or a RUNPATH: each entry is a folder searched for
# libraries before the system's, and an empty one is the working folder.   check_runpath.sh DIR
set -u
found=0 checked=0
while IFS= read -r -d '' file; do
  [ "$(head -c 4 "$file" | tr -d '\0')" = $'\x7fELF' ] || continue
  checked=$((checked + 1))
  if readelf -d "$file" 2>/dev/null | grep -E '\((RPATH|RUNPATH)\)'; then
    echo "FAIL: $file searches folders of its own for libraries"
    found=1
  fi
done < <(find "$1" -type f \( -perm -u+x -o -name '*.so' \) -not -path '*/CMakeFiles/*' -print0)
[ $checked -gt 0 ] || { echo "FAIL: no program found below $1"; exit 1; }
[ $found -eq 0 ] && echo "$checked programs and modules, none with a search path of its own"
exit $found
