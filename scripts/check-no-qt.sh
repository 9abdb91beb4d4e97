#!/usr/bin/env bash
# Fails when a file of the plain C++ layers includes a Qt header, directly or
# through a header of a Qt layer (app/, editor/ui/, platform/qt/).  The plain
# layers are sequence/, alignment/, platform/ without platform/qt/, editor/
# without editor/ui/, and commands/.
# Usage: scripts/check-no-qt.sh [source-root]
set -euo pipefail
cd "${1:-$(dirname "$0")/..}"
qt_header='^[[:space:]]*#[[:space:]]*include[[:space:]]*[<"](Q[^/">]*[">]|Qt[A-Za-z0-9]*/|q[a-z0-9_]*\.h>|app/|editor/ui/|platform/qt/)'
found=$(find sequence alignment platform editor commands -type f \
          \( -name '*.h' -o -name '*.hpp' -o -name '*.cpp' -o -name '*.cc' -o -name '*.inc' \) \
          -not -path 'platform/qt/*' -not -path 'editor/ui/*' -print0 |
        xargs -0 grep -nE "$qt_header" || true)
if [ -n "$found" ]; then
  echo "Qt reaches a plain C++ layer:" >&2
  echo "$found" >&2
  exit 1
fi
echo "No Qt header in sequence/, alignment/, platform/ (but platform/qt/), editor/ (but editor/ui/) or commands/."
