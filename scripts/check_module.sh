#!/usr/bin/env bash
# Checks a built module file as the host would meet it:
#   check_module.sh PLATFORM FLAVOUR FILE    (PLATFORM: windows, macos or linux)
# - the file format of the platform;
# - it exports exactly c4d_main, g_maxon and g_CpuYieldDelegate;
# - it needs nothing beyond the system's runtime (no C++ runtime, no compiler support DLLs);
# - g_maxon declares the host API version of FLAVOUR;
# - on macOS, it is signed.
set -euo pipefail

platform=$1
flavour=$2
file=$3

failures=0
Fail() {
  echo "check_module: $file: $*" >&2
  failures=$((failures + 1))
}

ApiVersionOf() {
  case $1 in
    windows) echo 2026200 ;;
    macos) echo 2026000 ;;
    *) echo "check_module: unknown flavour '$1'" >&2 && exit 2 ;;
  esac
}

# Compares two word lists, sorted; reports the words of $2 missing from $3 and the extra ones.
ExpectExactly() {
  local what=$1 expected actual
  expected=$(tr ' ' '\n' <<<"$2" | sed '/^$/d' | sort -u)
  actual=$(sed '/^$/d' <<<"$3" | sort -u)
  local missing extra
  missing=$(comm -23 <(echo "$expected") <(echo "$actual") | xargs)
  extra=$(comm -13 <(echo "$expected") <(echo "$actual") | xargs)
  [ -z "$missing" ] || Fail "$what missing: $missing"
  [ -z "$extra" ] || Fail "$what not expected: $extra"
}

# Reports every word of $3 that is not in the allowed list $2.
ExpectWithin() {
  local what=$1 allowed word
  allowed=" $(echo $2) "
  for word in $3; do
    [[ $allowed == *" $word "* ]] || Fail "$what not allowed: $word"
  done
}

# The file offset of a section address (an RVA for PE files), from llvm-readobj's section list.
FileOffsetOf() {
  local address=$(($1)) start=0 size=0 offset=0 key value
  while read -r key value _; do
    case $key in
      Section | "}")
        if ((address >= start && address < start + size && offset > 0)); then
          echo $((offset + address - start))
          return
        fi
        start=0 size=0 offset=0
        ;;
      Address: | VirtualAddress:) start=$((value)) ;;
      Size: | VirtualSize:) size=$((value)) ;;
      Offset: | PointerToRawData:) offset=$((value)) ;;
    esac
  done < <(llvm-readobj --sections "$file")
}

# ModuleDeclaration on a 64-bit target: size (4 bytes, 4 of padding), moduleId (8), apiVersion.
CheckDeclaredApiVersion() {
  local record_address=$1 offset declared expected
  expected=$(ApiVersionOf "$flavour")
  offset=$(FileOffsetOf $((record_address + 16)))
  if [ -z "$offset" ]; then
    Fail "g_maxon lies in no section with contents"
    return
  fi
  declared=$(od -An -t d4 -j "$offset" -N 4 "$file" | xargs)
  [ "$declared" = "$expected" ] ||
    Fail "g_maxon declares API version $declared, the $flavour flavour requires $expected"
}

CheckWindows() {
  local headers
  if ! headers=$(x86_64-w64-mingw32-objdump -p "$file" 2>/dev/null); then
    Fail "not a PE file"
    return
  fi
  if ! grep -q '^Magic.*(PE32+)' <<<"$headers" ||
    ! sed -n '/^Characteristics/,/^$/p' <<<"$headers" | grep -qx $'\tDLL'; then
    Fail "not a 64-bit Windows DLL"
    return
  fi
  local imports
  imports=$(awk '/DLL Name:/ { print $3 }' <<<"$headers")
  for dll in $imports; do
    case ${dll,,} in
      kernel32.dll | msvcrt.dll | ucrtbase.dll | api-ms-win-crt-*.dll) ;;
      *) Fail "imports $dll, which is not a system DLL" ;;
    esac
  done
  local exports rva
  exports=$(sed -n '/^\[Ordinal\/Name Pointer\] Table/,/^$/p' <<<"$headers" |
    awk '/\[/ && NR > 1 { print $NF }')
  ExpectExactly "exports" "c4d_main g_maxon g_CpuYieldDelegate" "$exports"
  rva=$(llvm-readobj --coff-exports "$file" |
    awk '$1 == "Name:" { name = $2 } $1 == "RVA:" && name == "g_maxon" { print $2 }')
  if [ -n "$rva" ]; then CheckDeclaredApiVersion "$rva"; fi
}

CheckMacos() {
  local header
  header=$(llvm-objdump --macho --private-header "$file" 2>/dev/null |
    awk '$1 == "MH_MAGIC_64" { print $2, $5 }')
  if [ "$header" != "ARM64 DYLIB" ]; then
    Fail "not an arm64 Mach-O dynamic library (found: ${header:-no Mach-O header})"
    return
  fi
  # Apple silicon loads no unsigned code; the linker signs it ad hoc.
  llvm-objdump --macho --private-headers "$file" | grep -q 'cmd LC_CODE_SIGNATURE$' ||
    Fail "has no code signature"
  ExpectExactly "exports" "_c4d_main _g_maxon _g_CpuYieldDelegate" \
    "$(llvm-nm --extern-only --defined-only --format=just-symbols "$file")"
  ExpectWithin "undefined symbol" \
    "_memcpy _memmove _memset _strlen ___bzero ___stack_chk_fail ___stack_chk_guard dyld_stub_binder" \
    "$(llvm-nm --undefined-only --format=just-symbols "$file")"
  ExpectWithin "library" "/usr/lib/libSystem.B.dylib" \
    "$(llvm-objdump --macho --dylibs-used --non-verbose "$file" | awk 'NR > 2 { print $1 }')"
  local address
  address=$(llvm-nm --extern-only --defined-only "$file" | awk '$3 == "_g_maxon" { print "0x" $1 }')
  if [ -n "$address" ]; then CheckDeclaredApiVersion "$address"; fi
}

CheckLinux() {
  if ! llvm-readobj --file-headers "$file" 2>/dev/null | grep -q 'Type: SharedObject'; then
    Fail "not an ELF shared object"
    return
  fi
  ExpectExactly "exports" "c4d_main g_maxon g_CpuYieldDelegate" \
    "$(llvm-nm --dynamic --defined-only --format=just-symbols "$file")"
  ExpectWithin "undefined symbol" \
    "memcpy memmove memset strlen __stack_chk_fail __cxa_finalize __gmon_start__
     _ITM_deregisterTMCloneTable _ITM_registerTMCloneTable" \
    "$(llvm-nm --dynamic --undefined-only --format=just-symbols "$file" | sed 's/@.*//')"
  ExpectWithin "library" "libc.so.6" \
    "$(llvm-readobj --needed-libs "$file" | sed -n '/NeededLibraries \[/,/\]/p' | sed '1d;$d')"
  local address
  address=$(llvm-nm --dynamic --defined-only "$file" | awk '$3 == "g_maxon" { print "0x" $1 }')
  if [ -n "$address" ]; then CheckDeclaredApiVersion "$address"; fi
}

if [ ! -f "$file" ]; then
  Fail "no such file"
  exit 1
fi
ApiVersionOf "$flavour" >/dev/null
case $platform in
  windows) CheckWindows ;;
  macos) CheckMacos ;;
  linux) CheckLinux ;;
  *) echo "check_module: unknown platform '$platform'" >&2 && exit 2 ;;
esac

if [ "$failures" -gt 0 ]; then
  exit 1
fi
echo "check_module: $file: a sound $platform module in the $flavour flavour"
