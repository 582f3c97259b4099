#!/usr/bin/env bash
# Installs the build into a fresh prefix and checks what lands there: the tree, its metadata by their validators,
# the programs without a display, and the installed window on a virtual one.   check_install.sh BUILD_DIR
set -u
build=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
prefix=$work/prefix
failed=0
fail() { echo "FAIL: $*"; failed=1; }

cmake --install "$build" --prefix "$prefix" >/dev/null || { echo "FAIL: cmake --install"; exit 1; }

id=org.tovrik_stats.TovrikStats
for file in bin/tovrik-stats bin/tovrik-report share/applications/$id.desktop share/metainfo/$id.metainfo.xml \
    share/icons/hicolor/{16x16,32x32,48x48,128x128}/apps/$id.png share/man/man1/tovrik-{stats,report}.1.gz \
    share/bash-completion/completions/tovrik-report share/doc/tovrik-stats/{README.md,copyright}; do
  [ -f "$prefix/$file" ] || fail "missing $file"
done
[ -d "$prefix/share/doc/tovrik-stats/examples/stats" ] || fail "missing share/doc/tovrik-stats/examples/"
# Every picture and page the installed README links to is installed beside it.
for link in $(grep -o '](\([^)#]*\))' "$prefix/share/doc/tovrik-stats/README.md" | sed 's/^](//; s/)$//'); do
  [ -e "$prefix/share/doc/tovrik-stats/$link" ] || fail "the README links $link, which an install lacks"
done

# Built as Debian hardens: PIE, full RELRO, a stack protector, fortified calls when optimized; no compiler notes.
for program in tovrik-stats tovrik-report; do
  elf=$prefix/bin/$program
  readelf -h "$elf" | grep -q 'Type:.*DYN' || fail "$program is not position independent"
  readelf -l "$elf" | grep -q GNU_RELRO || fail "$program has no RELRO"
  readelf -d "$elf" | grep -q 'FLAGS.*BIND_NOW' || fail "$program does not bind now"
  readelf -s --wide "$elf" | grep -q __stack_chk_fail || fail "$program has no stack protector"
  if grep -q 'CMAKE_BUILD_TYPE:STRING=\(Release\|RelWithDebInfo\)' "$build/CMakeCache.txt" &&
    ! grep -q 'TOVRIK_SANITIZE:BOOL=ON' "$build/CMakeCache.txt"; then
    readelf -s --wide "$elf" | grep -q '__[a-z]*_chk@' || fail "$program calls nothing fortified"
  fi
  ! readelf -S --wide "$elf" | grep -q '\.comment' || fail "$program keeps a .comment section"
done

searched=$(bash "$(dirname "$0")/check_runpath.sh" "$prefix") || fail "a search path of its own: $searched"
desktop-file-validate "$prefix/share/applications/$id.desktop" || fail "desktop entry"
appstreamcli validate --no-net "$prefix/share/metainfo/$id.metainfo.xml" >"$work/appstream" 2>&1 ||
  { cat "$work/appstream"; fail "AppStream metadata"; }
for page in tovrik-stats tovrik-report; do
  warnings=$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -l "$prefix/share/man/man1/$page.1.gz" 2>&1 >/dev/null)
  [ -z "$warnings" ] || fail "man $page: $warnings"
done
bash -n "$prefix/share/bash-completion/completions/tovrik-report" || fail "completion script"

# Without a display: --help and --version answer on stdout with status 0.
for program in tovrik-stats tovrik-report; do
  for option in --help --version; do
    out=$(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$prefix/bin/$program" "$option" 2>"$work/err")
    status=$?
    [ $status -eq 0 ] && [ -n "$out" ] || fail "$program $option: status $status, $(cat "$work/err")"
    ! "$prefix/bin/$program" "$option" >/dev/full 2>/dev/null || fail "$program $option >/dev/full: status 0"
    [ "$program" = tovrik-report ] || ! "$prefix/bin/$program" "$option" x 2>/dev/null || fail "$program $option x: status 0"
  done
done
# The installed report starts without Qt, and draws its chart with the module installed for it.
! ldd "$prefix/bin/tovrik-report" | grep -q Qt6 || fail "tovrik-report links Qt"
"$prefix/bin/tovrik-report" --chart "$work/chart.png" "$prefix/share/doc/tovrik-stats/examples/stats" Thompson \
  >/dev/null 2>"$work/err" && [ "$(head -c 4 "$work/chart.png" | tail -c 3)" = PNG ] ||
  fail "the installed tovrik-report draws no chart: $(cat "$work/err")"
for wrong in --wrong --bogus; do  # after and before --help
  err=$(env -u DISPLAY "$prefix/bin/tovrik-stats" $wrong 2>&1 >/dev/null)
  [ $? -eq 2 ] || fail "tovrik-stats $wrong is not refused with status 2"
  [ "$err" = "tovrik-stats: \"$wrong\" is not an option; try 'tovrik-stats --help'." ] ||
    fail "tovrik-stats $wrong says: $err"
done
[ "$("$prefix/bin/tovrik-stats" --version)" = "$("$prefix/bin/tovrik-report" --version | sed 's/report/stats/')" ] ||
  fail "the versions differ"

mkdir -p "$work/config/tovrik-stats"
printf '%s' "$prefix/share/doc/tovrik-stats/examples/stats" >"$work/config/tovrik-stats/path.dat"
# On a virtual display, the installed window reads the user's path.dat: the main window opens, not the folder
# browser. A cold first start may be slow: the wait is generous, and ends as soon as either window shows.
cat >"$work/look" <<'LOOK'
xdotool getdisplaygeometry >/dev/null 2>&1 || { echo "no display"; exit 0; }
"$1" 2>"$2" & pid=$!
look() { xdotool search --onlyvisible --name "$1" >/dev/null 2>&1; }
for _ in $(seq 300); do
  look "^Tovrik Stats v" || look "^Browse for Folder" || ! kill -0 $pid 2>/dev/null && break
  sleep 0.2
done
if look "^Tovrik Stats v"; then echo window
elif look "^Browse for Folder"; then echo browser
elif ! kill -0 $pid 2>/dev/null; then wait $pid; echo "nothing: it ended with status $?"
else
  echo "nothing; its windows:"
  for id in $(xdotool search --name . 2>/dev/null); do echo "  '$(xdotool getwindowname "$id")'"; done
fi
kill $pid 2>/dev/null; wait $pid 2>/dev/null
LOOK
# Without a runtime folder (as under su), Qt's notes must not reach the terminal. The display number search
# starts at one of this run's own (suites side by side do not race for it); the server must not reset when the
# display check's client leaves, or a window that connects meanwhile finds no display.
shown=$(env -u XDG_RUNTIME_DIR XDG_CONFIG_HOME=$work/config \
  xvfb-run -a -n $((100 + $$ % 800)) -s "-screen 0 1280x1024x24 -noreset" -e "$work/xvfb.err" \
  bash "$work/look" "$prefix/bin/tovrik-stats" "$work/window.err" 2>&1)
skipped=0
if [ "$shown" = "no display" ]; then
  # A machine that cannot start Xvfb cannot show the window: said, not failed.
  echo "SKIP: no virtual display could be started, so the installed window was not tried"
  sed 's/^/  Xvfb: /' "$work/xvfb.err" 2>/dev/null | tail -20
  skipped=1
elif [ "$shown" != window ]; then
  fail "the installed window showed ${shown:-nothing at all} instead of the main window"
  sed 's/^/  window: /' "$work/window.err" 2>/dev/null | tail -20
  sed 's/^/  Xvfb: /' "$work/xvfb.err" 2>/dev/null | tail -20
fi
if [ "$shown" = window ] && [ -s "$work/window.err" ]; then
  fail "the window wrote to the terminal:"
  sed 's/^/  window: /' "$work/window.err" | tail -5
fi
[ -z "$(find "$prefix" -name path.dat)" ] || fail "path.dat written into the prefix"
[ "$(cat "$work/config/tovrik-stats/path.dat")" = "$prefix/share/doc/tovrik-stats/examples/stats" ] || fail "path.dat changed"

[ $failed -eq 0 ] && echo "the install tree is complete and valid"
[ $failed -eq 0 ] && [ $skipped -eq 1 ] && exit 77  # CTest's skip
exit $failed
