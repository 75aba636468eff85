# The checks of the script that sources this: `check DESCRIPTION COMMAND...` counts the command's
# success or failure and says "ok: " or "FAIL: " with the description; `checks_end` says
# "N passed, M failed" and fails when any check failed.
passed=0
failed=0
check() {
  what=$1
  shift
  if "$@"; then
    passed=$((passed + 1))
    printf 'ok: %s\n' "$what"
  else
    failed=$((failed + 1))
    printf 'FAIL: %s\n' "$what"
  fi
}
checks_end() {
  echo "$passed passed, $failed failed"
  [ "$failed" -eq 0 ]
}
