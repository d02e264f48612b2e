#!/usr/bin/env bash
# sallowmere-cli whose reader closes the pipe early ends at once, quietly and with status 0:
# no message, no death by SIGPIPE, no waiting for a hundred million codes.
#   closed_pipe_test.sh CLI EXAMPLES_DIR [MEMORY_LIMIT_KB]
set -uo pipefail
cli=$1
mod=$2/sample-mod
limit=${3:-unlimited}
errors=$(mktemp)
trap 'rm -f "$errors"' EXIT
# In 400 MB of address space (where a sanitizer allows a limit), holding the codes rather than
# streaming them would not fit.
(ulimit -v "$limit"; "$cli" suggest "$mod" --count 100000000 '?????' 2>"$errors") | head -n 2 >/dev/null
status=${PIPESTATUS[0]}
if [ "$status" -ne 0 ] || [ -s "$errors" ]; then
  echo "status $status, standard error: $(cat "$errors")" >&2
  exit 1
fi
