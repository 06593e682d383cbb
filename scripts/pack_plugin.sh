#!/usr/bin/env bash
# Packs a built module with its resources as the plug-in folder the host expects:
#   pack_plugin.sh MODULE_FILE ARCHIVE     (ARCHIVE: *.zip or *.tar.gz)
# The archive holds Verdanta/<module file> and Verdanta/res/, nothing else of the build folder.
set -euo pipefail

module=$1
archive=$2

case $archive in
  *.zip) packing=(cf "$archive" --format=zip) ;;
  *.tar.gz) packing=(czf "$archive" --format=gnutar) ;;
  *) echo "pack_plugin: $archive: use .zip or .tar.gz" >&2 && exit 2 ;;
esac
resources=$(dirname "$module")/res
for needed in "$module" "$resources/description" "$resources/strings_en-US"; do
  if [ ! -e "$needed" ]; then
    echo "pack_plugin: $needed is missing" >&2
    exit 1
  fi
done

staging=$(mktemp -d)
trap 'rm -rf "$staging"' EXIT
mkdir "$staging/Verdanta"
cp "$module" "$staging/Verdanta/"
cp -R "$resources" "$staging/Verdanta/res"

mkdir -p "$(dirname "$archive")"
packing[1]=$(cd "$(dirname "$archive")" && pwd)/$(basename "$archive")
(cd "$staging" && cmake -E tar "${packing[@]}" Verdanta)
echo "pack_plugin: $archive"
