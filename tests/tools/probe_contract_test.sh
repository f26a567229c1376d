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
# One session per line: a wrong key, then the line finished with Enter.
session=$(printf '%s\n' '{"expected": "ab ", "mode": 0, "ai": false, "backspace": true, "sound": true, "keys": [97, 120, 13]}' \
  | "$probe" type)
python3 - "$session" <<'PY' || fail "type answer: $session"
import json, sys
a = json.loads(sys.argv[1])
assert a["trace"] == [[2, 1, 0, 0, 0, 2], [3, 2, 0, 1, 1, 3], [1, 0, 0, 0, 1, 4]], a["trace"]
assert a["beeps"] == 1 and a["lines"] == [[1, 67, 0]], a
assert len(a["marks"]) == 78 and len(a["shown"]) == 78 and a["shown"][:3] == ["a", "x", ""]
assert a["letterTyped"] == {"65": 1, "66": 1, "32": 1} and a["letterErrors"] == {"66": 1}, a
assert a["complete"] == [4, 1, 1], a["complete"]
PY
echo "probe contract: 3 passed, 0 failed"
