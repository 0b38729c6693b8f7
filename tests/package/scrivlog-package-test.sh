#!/usr/bin/env bash
# Installs Scrivlog from a build tree with `cmake --install`, builds the consumer program
# against the installed package (find_package, and natively pkg-config too), runs it and
# checks the log file it wrote. A Windows build's consumer runs under Wine.
# Usage: scrivlog-package-test.sh BUILD_DIR CXX_FLAGS LINKER_FLAGS [TOOLCHAIN_FILE]
set -euo pipefail
build=$1 cxx_flags=$2 linker_flags=$3 toolchain=${4:-}
export WINEPREFIX=${WINEPREFIX:-$build/wineprefix} WINEDEBUG=${WINEDEBUG:--all}
source_dir=$(cd "$(dirname "$0")/consumer" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

cmake --install "$build" --prefix "$work/prefix" >/dev/null

configure=(-G Ninja -S "$source_dir" -B "$work/consumer" -DCMAKE_BUILD_TYPE=Release
           "-DCMAKE_CXX_FLAGS=$cxx_flags" "-DCMAKE_EXE_LINKER_FLAGS=$linker_flags")
if [ -n "$toolchain" ]; then
  # The cross toolchain searches packages only below its root: name the package directly.
  configure+=("-DCMAKE_TOOLCHAIN_FILE=$toolchain" "-Dscrivlog_DIR=$(echo "$work"/prefix/lib*/cmake/scrivlog)")
  run=(wine)
  programs=("$work/consumer/consumer.exe")
else
  configure+=("-DCMAKE_PREFIX_PATH=$work/prefix")
  run=()
  programs=("$work/consumer/consumer" "$work/consumer-pc")
  # shellcheck disable=SC2046,SC2086
  c++ -std=c++17 $cxx_flags "$source_dir/main.cpp" -o "$work/consumer-pc" $linker_flags \
    $(PKG_CONFIG_PATH=$(echo "$work"/prefix/lib*/pkgconfig) pkg-config --cflags --libs scrivlog)
fi
cmake "${configure[@]}" >/dev/null
cmake --build "$work/consumer" >/dev/null

expected=$'ERROR com.example.consumer.Worker - disk full\r'
for program in "${programs[@]}"; do
  rm -rf "$work/run" && mkdir "$work/run" && cp "$source_dir/consumer.scrivlog.xml" "$work/run"
  (cd "$work/run" && "${run[@]}" "$program" consumer.scrivlog.xml)
  if [ "$(cat "$work/run/consumer.log")" != "$expected" ]; then
    echo "FAIL: $program wrote:"; cat -A "$work/run/consumer.log"; exit 1
  fi
  echo "ok: $(basename "$program") built against the installed package logged as configured"
done
