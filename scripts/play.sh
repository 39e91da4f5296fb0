#!/usr/bin/env bash
# Sets up, builds and starts the game in its runtime folder build/game.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
cd build/game
exec ./torvale
