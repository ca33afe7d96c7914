#!/usr/bin/env bash
# Runs the convert tests keeping every glTF they write in OUT, then the Khronos validator on
# each: 0 errors wanted. Exit 77 (skipped) without Node or without the validator.
#   validate-written-gltf.sh TEST_PROGRAM OUT
set -uo pipefail
program="$1"
out="$2"
script="$(dirname "$0")/../../../scripts/validate-gltf.mjs"
command -v node >/dev/null 2>&1 || { echo "no Node: skipped"; exit 77; }
rm -rf "$out"
mkdir -p "$out"
VX_GLTF_KEEP="$out" "$program" --gtest_filter='Convert.*' --gtest_brief=1 || exit 1
shopt -s nullglob
files=("$out"/*.glb)
[ ${#files[@]} -gt 0 ] || { echo "the tests wrote no glTF"; exit 1; }
node "$script" "${files[@]}"
