#!/bin/sh
# Runs the drill. Its windows are not written yet: so far there are its question
# deck and question file reader, which scripts/test.sh builds and tests.
echo "The drill's windows are not written yet; scripts/test.sh builds and tests its question deck and file reader." >&2
exit 1
