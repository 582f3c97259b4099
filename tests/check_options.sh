#!/usr/bin/env bash
# The report's options agree in its --help, the manual page, the bash completion and the README's synopsis;
# the completion, called as bash calls it, gives replies that are one word each (outside quotes).
#   check_options.sh REPORT SOURCE_DIR
set -uo pipefail
report=$1 source=$2
status=0
fail() { echo "FAIL: $*"; status=1; }
names() { grep -o -- '--[a-z][a-z-]*' | sort -u | tr '\n' ' '; }

help=$("$report" --help | sed -n '/^Options:/,/^Arguments:/p' | names)
man=$(sed -n '/^\.SH OPTIONS/,/^\.SH EXIT/p' "$source/docs/man/tovrik-report.1" | grep '^\.B' | sed 's/\\-/-/g' | names)
completion=$(grep "local options=" "$source/resources/completion/tovrik-report" | names)
readme=$(sed -n '/^    tovrik-report \[/,/^$/p' "$source/README.md" | names)
[ "$man" = "$help" ] || fail "the manual page names '$man', --help '$help'"
[ "$completion" = "$help" ] || fail "the completion names '$completion', --help '$help'"
[ "$readme" = "$(echo "$help" | sed 's/--help //; s/--version //')" ] || fail "the README names '$readme'"

# shellcheck source=/dev/null
source "$source/resources/completion/tovrik-report"
# Replies marked as file names are quoted by bash when inserted.
compopt() { filenames=1; }
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
mkdir -p "$dir/stats one"
cd "$dir" || exit 2
# The line typed so far, as words; the replies expected, "|"-joined.
check() {
  local expected=$1
  shift
  COMP_WORDS=(tovrik-report "$@")
  COMP_CWORD=$((${#COMP_WORDS[@]} - 1))
  COMPREPLY=()
  filenames=0
  _tovrik_report
  local got
  got=$(IFS='|'; echo "${COMPREPLY[*]}")
  [ "$got" = "$expected" ] || fail "completing '$*': '$got', not '$expected'"
  [ $filenames = 1 ] && return
  [[ ${COMP_WORDS[COMP_CWORD]} == [\"\']* ]] && return  # inside quotes, spaces and all
  for reply in "${COMPREPLY[@]}"; do
    # shellcheck disable=SC2206
    words=($reply)
    [ ${#words[@]} -le 1 ] || [[ $reply == *'\ '* ]] || fail "'$reply' is not one word"
  done
}
while IFS= read -r line; do
  [[ -z $line || $line == '#'* ]] || eval "check $line"
done <"$source/tests/data/completions.cases"
exit $status
