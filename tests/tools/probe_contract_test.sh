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
python3 - "$answers" <<'PY' || fail "profile answers:\n$answers"
import json, sys
assert [json.loads(l) for l in sys.argv[1].splitlines()] == ["-999", True, "0", True, "Zo\u00eb\u0080"]
PY
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
# Games: "Q" alone in the pool; the script wins a toss, places "Q" in column 0.
hit='{"letterstream": "01", "lettercase": 0, "level": 1, "sound": true, "random": [0.75, 0.0, 0.3157], "events": [["begin"], ["tick"], ["key", 113], ["key", 120], ["end"]]}'
overflow=$(python3 -c 'import json; print(json.dumps({"letterstream": "01", "lettercase": 0, "level": 1, "sound": True, "random": [0.75, 0.0, 0.3157], "events": [["begin"]] + [["tick"]] * 76}))')
games=$(printf '%s\n' "$hit" "$overflow" | "$probe" game)
python3 - "$games" <<'PY' || fail "game answers: $games"
import json, sys
hit, overflow = (json.loads(line) for line in sys.argv[1].splitlines())
assert hit["trace"] == [[1, 0, 0, 0, 0, 500, True, False], [1, 0, 1, 0, 1, 500, True, False],
                        [1, 1, 1, 0, 0, 500, True, False], [1, 0, 1, 0, 0, 500, True, False],
                        [1, 0, 1, 0, 0, 500, False, False]], hit["trace"]
assert (hit["keystrokes"], hit["correctKeys"], hit["accuracy"]) == (2, 1, 50), hit
assert hit["levelSounds"] == 1 and hit["music"] == [1, 1] and hit["playableCount"] == 1, hit
assert hit["highscores"] == [[0, "Tester", 1, 1, 0, 50, 1]] and hit["averages"] == [0, 0, 0], hit
# Four landings in column 0: the fourth stays purple on row 16 and ends the game.
assert overflow["trace"][-2] == [1, 0, 28, 0, 1, 500, False, False], overflow["trace"][-2:]
assert overflow["falling"][0] == ["Q", 16, False, "&H00C000C0"], overflow["falling"][0]
assert overflow["pile"][0] == ["Q", "Q", "Q"] and overflow["pileHeight"][0] == 4, overflow
assert overflow["intelligence"] == 8 and overflow["liveIntelligence"] == 8, overflow
assert overflow["averages"] == [1, 8, 100], overflow["averages"]
PY
echo "probe contract: 4 passed, 0 failed"
