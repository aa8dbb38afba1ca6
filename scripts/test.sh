#!/usr/bin/env bash
# Installs what is missing, builds everything and runs every test.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-dependencies.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build -j"$(nproc)"
QT_QPA_PLATFORM=offscreen ctest --test-dir build --output-on-failure -j"$(nproc)"

# A short, bounded run of the DBF reader's fuzzer (built with clang on its own), seeded with the fixture tables.
cmake -S fuzz -B build/fuzz -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build/fuzz -j"$(nproc)"
rm -rf build/fuzz/seeds
/usr/bin/python3 tests/fixtures/make_dbf_fixtures.py corpus build/fuzz/seeds
mkdir -p build/fuzz/corpus build/fuzz/crashes
build/fuzz/fuzz_dbf_reader -max_total_time=25 -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 \
    -artifact_prefix=build/fuzz/crashes/ build/fuzz/corpus build/fuzz/seeds
