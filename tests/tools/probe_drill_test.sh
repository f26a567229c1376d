#!/usr/bin/env bash
# The probe's drill answers: open letters, focus letter and lines for a seed.
set -euo pipefail
probe=$1

fail() { echo "FAIL: $*" >&2; exit 1; }

# Letters a n b d c e f g h (d before c: seen first); the first six at target by
# their best time, so f opens, and f at target opens g as well; n is the
# slowest now (b as slow, opened later; g slow but not as slow).
fast='{"time_ms": 300, "best_ms": 300}'
slow='{"time_ms": 500, "best_ms": 300}'
ranked=$(cat <<JSON
{"text": "Header zzzz\nbanana bandana cabana\r\nabcde fgh\n", "seed": 7, "lines": 3, "target_wpm": 35,
 "keys": {"a": $fast, "N": $slow, "b": $slow, "d": $fast, "c": $fast, "e": $fast,
          "f": {"time_ms": 400, "best_ms": 200}, "g": {"time_ms": 450}}}
JSON
)
ranked=$(printf '%s' "$ranked" | tr -d '\n')
answers=$(printf '%s\n' "$ranked" \
  '{"text": "Titre\r\nÉté à Noël\r\n"}' \
  '{"text": "Header only\r\n", "lines": 2}' \
  "$ranked" \
  "${ranked/\"seed\": 7/\"seed\": 8}" \
  | "$probe" drill) || fail "exit code $?: $answers"
python3 - "$answers" <<'PY' || fail "drill answers:\n$answers"
import json, sys
ranked, accents, empty, again, other = (json.loads(l) for l in sys.argv[1].splitlines())
assert ranked["letters"] == "anbdcefg" and ranked["focus"] == "n", ranked
assert len(ranked["lines"]) == 3, ranked  # the line rules are the drill tests' part
assert accents["letters"] == "étànoë" and accents["focus"] == "é", accents
assert all(set(w) <= set("étànoë") and "é" in w for w in accents["lines"][0].split()), accents
assert empty == {"letters": "", "focus": None, "lines": []}, empty
assert again == ranked and other["lines"] != ranked["lines"], (again, other)
PY
bad=$(printf '%s\n' '{"text": "H\nabc", "target_wpm": 151}' | "$probe" drill) && fail "151 wpm accepted: $bad"
[ "$bad" = '{"error":"\"target_wpm\" must be 10..150"}' ] || fail "bad request: $bad"
echo "probe drill: 6 passed, 0 failed"
