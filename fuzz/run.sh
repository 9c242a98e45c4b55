#!/bin/sh
# Builds the reader fuzzers with clang and runs each one for a bounded time on its seed
# corpus. Usage: fuzz/run.sh [seconds per target, default 60]. Exits non-zero when a build
# fails or any fuzzer reports a finding (crash, sanitizer error, leak of tracked blocks).
set -eu

seconds=${1:-60}
source_dir=$(cd "$(dirname "$0")/.." && pwd)
build_dir=${POLVEX_FUZZ_BUILD_DIR:-$source_dir/build/fuzz}
# The fuzzers run from their working folder, so the build folder must not be relative.
mkdir -p "$build_dir"
build_dir=$(cd "$build_dir" && pwd)
work_dir=$build_dir/fuzz-run

cmake -S "$source_dir" -B "$build_dir" -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
  -DCMAKE_BUILD_TYPE=RelWithDebInfo -DPOLVEX_BUILD_FUZZ=ON -DPOLVEX_BUILD_TESTS=OFF \
  -DPOLVEX_BUILD_BENCH=OFF >/dev/null
targets="tagged_int tagged_float object_reader"
mkdir -p "$work_dir"
if ! cmake --build "$build_dir" -j2 --target fuzz_tagged_int fuzz_tagged_float fuzz_object_reader \
    >"$work_dir/build.log" 2>&1; then
  tail -n 40 "$work_dir/build.log"
  echo "fuzz: build failed (see $work_dir/build.log)"
  exit 1
fi

status=0
for target in $targets; do
  # The seeds stay untouched in the repository; new inputs go to a working copy.
  corpus=$work_dir/corpus-$target
  mkdir -p "$corpus" "$work_dir/findings-$target"
  cp "$source_dir/fuzz/corpus/$target/"* "$corpus/"
  log=$work_dir/$target.log
  echo "fuzz_$target: ${seconds}s"
  if (cd "$work_dir" && TMPDIR=$work_dir "$build_dir/fuzz/fuzz_$target" -max_total_time="$seconds" \
        -max_len=8192 -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 \
        -artifact_prefix="$work_dir/findings-$target/" "$corpus") >"$log" 2>&1; then
    grep -E '^stat::number_of_executed_units' "$log" || true
  else
    echo "fuzz_$target: FINDING (see $log and $work_dir/findings-$target/)"
    tail -n 40 "$log"
    status=1
  fi
done
exit $status
