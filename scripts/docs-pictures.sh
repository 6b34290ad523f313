#!/usr/bin/env bash
# Regenerates the pictures of the documents (docs/*.svg) from their Graphviz sources
# (docs/*.dot). Graphviz is needed only here, not by the build or the tests.
set -euo pipefail
cd "$(dirname "$0")/.."
. scripts/packages.sh
ensure_packages graphviz

for source in docs/*.dot; do
    dot -Tsvg "$source" -o "${source%.dot}.svg"
    echo "${source%.dot}.svg"
done
