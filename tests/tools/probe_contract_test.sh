#!/usr/bin/env bash
# The developer probe answers outside checks; its output format is a contract.
set -euo pipefail
probe=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

fail() { echo "FAIL: $*" >&2; exit 1; }

answers=$(printf '%s\n' \
  '["read", "users", "lastuser", "-999"]' \
  '["write", "users", "lastuser", "0"]' \
  '["read", "USERS", "LastUser", "-999"]' \
  '["write", "user0", "user0", "Zoë\u0080"]' \
  '["read", "user0", "user0", ""]' \
  | "$probe" profile "$work")
expected='"-999"
true
"0"
true
"Zoë\u0080"'
expected=$(printf '%s' "$expected" | python3 -c 'import json,sys; print("\n".join(json.dumps(json.loads(l), ensure_ascii=False) for l in sys.stdin))')
[ "$answers" = "$expected" ] || fail "profile answers:\n$answers\nexpected:\n$expected"
grep -q $'^user0=310289165272\r$' "$work/Tarvelo.INI" || fail "stored name: $(cat "$work/Tarvelo.INI")"

printf 'Header line\r\nAsk Dr. Smith. He waits.\r\n\r\nWait... what? No.\r\n' > "$work/text.txt"
sentences=$("$probe" sentences "$work/text.txt")
[ "$sentences" = '"Ask Dr. Smith. "
"He waits. "
"Wait... what? "
"No. "' ] || fail "sentences:\n$sentences"
echo "probe contract: 2 passed, 0 failed"
