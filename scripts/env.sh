# Sourced by the other scripts: works from the repository's root, runs JOBS jobs at once
# (default one a core) and gives Qt its runtime folder in the build, not a new one in the
# temporary folder.
cd "$(dirname "${BASH_SOURCE[0]}")/.."
jobs=${JOBS:-$(nproc)}
if [ -z "${XDG_RUNTIME_DIR:-}" ]; then
  export XDG_RUNTIME_DIR="$PWD/build/runtime"
  mkdir -p -m 700 "$XDG_RUNTIME_DIR"
fi
