#!/usr/bin/env bash
# Installs the Debian packages the build and the tests need; quick when all are present.
set -euo pipefail

packages=(
  cmake ninja-build g++ clang lld llvm
  libgtest-dev libgmock-dev libbenchmark-dev
  libpng-dev zlib1g-dev libcli11-dev nlohmann-json3-dev
  # Windows x64: the cross compiler (posix threads, for std::thread), Wine to run the tests
  # (with its preloader, without which a start fails now and then: "failed to map the shared
  # user data"), and GoogleTest's sources to build for it. macOS arm64 needs clang, lld, llvm.
  g++-mingw-w64-x86-64-posix wine64 wine64-preloader googletest
)

missing=()
for package in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$package")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

echo "setup: installing ${missing[*]}" >&2
if [ "$(id -u)" -ne 0 ]; then
  sudo=sudo
else
  sudo=
fi
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq
$sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" >&2
