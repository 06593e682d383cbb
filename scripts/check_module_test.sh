#!/usr/bin/env bash
# The module check must pass a sound module file and name the fault of a faulty one. Builds the
# fixture module of check_module_fixture/ with each platform's compiler, once per case.
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
fixture=$root/scripts/check_module_fixture/fixture_module.cpp
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# Builds the fixture for PLATFORM with the given compiler and linker flags into FILE.
BuildFixture() {
  local platform=$1 file=$2
  shift 2
  case $platform in
    windows)
      x86_64-w64-mingw32-g++-posix -shared -O2 -fvisibility=hidden -I"$root/host" "$fixture" \
        -o "$file" "$@"
      ;;
    macos)
      clang++ --target=arm64-apple-macos11 -isysroot "$root/cmake/toolchains/macos_sysroot" \
        -nostdinc++ -nostdlib++ -fuse-ld=lld -O2 -fvisibility=hidden -I"$root/host" "$fixture" \
        -o "$file" "$@"
      ;;
    linux)
      g++ -shared -fPIC -O2 -fvisibility=hidden -I"$root/host" "$fixture" -o "$file" "$@"
      ;;
  esac
}

passed=0
failed=0
# Case PLATFORM FLAVOUR EXPECTED BUILD-FLAGS...: EXPECTED is "sound" or a part of the complaint.
Case() {
  local platform=$1 flavour=$2 expected=$3
  shift 3
  local file=$work/case$((passed + failed)).$platform output status=0
  if ! BuildFixture "$platform" "$file" "$@" 2>"$work/build.log"; then
    echo "check_module_test: cannot build the $platform fixture with $*:" >&2
    cat "$work/build.log" >&2
    failed=$((failed + 1))
    return
  fi
  output=$("$root/scripts/check_module.sh" "$platform" "$flavour" "$file" 2>&1) || status=$?
  local right=false
  if [ "$expected" = sound ]; then
    [ "$status" -eq 0 ] && right=true
  else
    [ "$status" -eq 1 ] && [[ $output == *"$expected"* ]] && right=true
  fi
  if $right; then
    passed=$((passed + 1))
  else
    echo "check_module_test: $platform $* expected '$expected', the check said (exit $status):" >&2
    echo "$output" >&2
    failed=$((failed + 1))
  fi
}

Case windows windows sound -static -DAPI_VERSION=2026200
Case windows windows "declares API version 2026000" -static -DAPI_VERSION=2026000
Case windows windows "exports missing: g_CpuYieldDelegate" \
  -static -DAPI_VERSION=2026200 -DWITHOUT_YIELD_DELEGATE
Case windows windows "exports not expected: ExtraExport" \
  -static -DAPI_VERSION=2026200 -DWITH_EXTRA_EXPORT
Case windows windows "imports libstdc++-6.dll" -DAPI_VERSION=2026200 -DWITH_CXX_RUNTIME

Case macos macos sound -shared -DAPI_VERSION=2026000
Case macos macos "declares API version 2026200" -shared -DAPI_VERSION=2026200
Case macos macos "exports missing: _g_CpuYieldDelegate" \
  -shared -DAPI_VERSION=2026000 -DWITHOUT_YIELD_DELEGATE
Case macos macos "undefined symbol not allowed: ___cxa_throw" \
  -shared -DAPI_VERSION=2026000 -DWITH_CXX_RUNTIME -Wl,-undefined,dynamic_lookup
Case macos macos "not an arm64 Mach-O dynamic library" -bundle -DAPI_VERSION=2026000
Case macos macos "has no code signature" -shared -DAPI_VERSION=2026000 -Wl,-no_adhoc_codesign

Case linux windows sound -DAPI_VERSION=2026200
Case linux macos "declares API version 2026200" -DAPI_VERSION=2026200
Case linux windows "library not allowed: libstdc++.so.6" -DAPI_VERSION=2026200 -DWITH_CXX_RUNTIME
Case linux windows "exports not expected: ExtraExport" -DAPI_VERSION=2026200 -DWITH_EXTRA_EXPORT

echo "check_module_test: $passed passed, $failed failed"
[ "$failed" -eq 0 ]
