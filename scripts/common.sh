# Shared by scripts/run and scripts/test: install, configure and build one preset.
# shellcheck shell=bash
TB_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
export CCACHE_BASEDIR="$TB_ROOT"
export CCACHE_NOHASHDIR=1
export CCACHE_MAXSIZE=${CCACHE_MAXSIZE:-5G}

tb_build() {  # tb_build PRESET [targets...]
  local preset=$1; shift
  "$TB_ROOT/scripts/deps"
  cmake --preset "$preset" -S "$TB_ROOT" >/dev/null
  cmake --build "$TB_ROOT/build/$preset" --parallel "$(nproc)" ${1:+--target "$@"}
}
