#!/usr/bin/env bash
# Installs the built library into a temporary prefix and builds a program against it twice: with
# the CMake package and with pkg-config.
# Usage: check_install.sh BUILD_DIR SOURCE_DIR
set -euo pipefail
build=$1 src=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cmake --install "$build" --prefix "$work/prefix" >/dev/null
for f in include/quorvane.h lib/libquorvane.so lib/cmake/quorvane/quorvaneConfig.cmake \
         lib/cmake/quorvane/quorvaneConfigVersion.cmake lib/pkgconfig/quorvane.pc; do
  [ -e "$work/prefix/$f" ] || { echo "missing after install: $f"; exit 1; }
done
readelf -d "$work/prefix/lib/libquorvane.so" | grep -q 'SONAME.*libquorvane.so.1' ||
  { echo "no SONAME libquorvane.so.1"; exit 1; }
# An empty registry store: the consumer's library starts without an installation.
export QUORVANE_REGISTRY_DIR=$work/registry
cmake -S "$src/tests/install/consumer" -B "$work/consumer" -G Ninja \
      -DCMAKE_PREFIX_PATH="$work/prefix" >/dev/null
cmake --build "$work/consumer" >/dev/null
LD_LIBRARY_PATH=$work/prefix/lib "$work/consumer/consumer" | grep -qx "data path: ''"
flags=$(PKG_CONFIG_PATH=$work/prefix/lib/pkgconfig pkg-config --cflags --libs quorvane)
cc -o "$work/consumer-pc" "$src/tests/install/consumer/consumer.c" $flags
LD_LIBRARY_PATH=$work/prefix/lib "$work/consumer-pc" | grep -qx "data path: ''"
echo "install ok"
