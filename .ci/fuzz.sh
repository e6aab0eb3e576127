#!/usr/bin/env bash
# CI: builds the libFuzzer targets with clang, AddressSanitizer and UndefinedBehaviorSanitizer,
# replays every saved regression input through each target, then fuzzes each target for a
# bounded time from the seed corpus. Any finding (a crash, a sanitizer report, a leak, an input
# that takes more than 10 s or more than 2 GB) fails the script; its input is kept in
# build-fuzz/findings/.
#
# FACETOR_FUZZ_SECONDS sets the time per target (60 by default).
set -euo pipefail
cd "$(dirname "$0")/.."
export DEBIAN_FRONTEND=noninteractive

seconds=${FACETOR_FUZZ_SECONDS:-60}
targets=(scanner settings conversion)
build=build-fuzz
separator=$'\n#facetor-settings#\n'  # splits a conversion input into drawing and settings file

packages=(clang libclang-rt-14-dev cmake ninja-build)
if ! dpkg -s "${packages[@]}" >/dev/null 2>&1; then
  apt-get update && apt-get install -y --no-install-recommends "${packages[@]}"
fi

CC=clang CXX=clang++ cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DFACETOR_FUZZ=ON -DFACETOR_TESTS=OFF -DFACETOR_TOOLS=OFF -DFACETOR_GTK=OFF \
  -DFACETOR_WERROR=ON
cmake --build "$build" --target "${targets[@]/%/_fuzz}"

# Seed corpora and dictionaries, made afresh from the committed fixtures on every run.
seeds=$build/seeds
rm -rf "$seeds"
mkdir -p "$seeds"/{scanner,settings,conversion} "$build/findings" "$build/logs"
shopt -s nullglob
drawings=(examples/*.dxf tests/data/fuzz-seeds/*.dxf)
settings=(tests/data/fuzz-seeds/*.cfg)
regressions=(tests/data/fuzz-regressions/*)
cp "${drawings[@]}" "$seeds/scanner/"
cp "${settings[@]}" "$seeds/settings/"
cp "${drawings[@]}" "$seeds/conversion/"
for drawing in "${drawings[@]}"; do
  for cfg in "${settings[@]}"; do
    { cat "$drawing"; printf '%s' "$separator"; cat "$cfg"; } \
      >"$seeds/conversion/$(basename "$drawing" .dxf)+$(basename "$cfg")"
  done
done
cp fuzz/dxf.dict "$build/scanner.dict"
cp fuzz/settings.dict "$build/settings.dict"
{ cat fuzz/dxf.dict fuzz/settings.dict; echo '"\x0a#facetor-settings#\x0a"'; } \
  >"$build/conversion.dict"

limits=(-timeout=10 -rss_limit_mb=2048 -detect_leaks=1)

status=0
for target in "${targets[@]}"; do
  fuzzer=$build/fuzz/${target}_fuzz
  if ((${#regressions[@]})); then
    echo "+ replaying ${#regressions[@]} regression inputs through ${target}_fuzz"
    "$fuzzer" "${limits[@]}" -artifact_prefix="$build/findings/$target-" "${regressions[@]}" \
      >"$build/logs/$target-regressions.log" 2>&1 ||
      { status=1; tail -n 40 "$build/logs/$target-regressions.log"; continue; }
  fi

  echo "+ fuzzing ${target}_fuzz for ${seconds} s"
  corpus=$build/corpus/$target  # grows from run to run; never committed
  mkdir -p "$corpus"
  if "$fuzzer" "${limits[@]}" -max_total_time="$seconds" -print_final_stats=1 \
      -dict="$build/$target.dict" -artifact_prefix="$build/findings/$target-" \
      "$corpus" "$seeds/$target" >"$build/logs/$target.log" 2>&1; then
    grep -E '^#[0-9]+[[:space:]]+DONE|^stat::number_of_executed_units|^stat::average_exec_per_sec' \
      "$build/logs/$target.log" || true
  else
    status=1
    tail -n 60 "$build/logs/$target.log"
    echo "${target}_fuzz found a fault; the input is in $build/findings/" >&2
  fi
done
exit "$status"
