#!/usr/bin/env bash
# Reads the export and import tables of the i686 build, where a 32-bit customer's
# machine meets them: the engine and the upgrade library export their entry points
# undecorated (DbiInit, not _DbiInit@4), and INSTALL.EXE and the stand-ins import
# nothing but Windows' own libraries (no runtime DLL, no engine, no upgrade library).
# Usage: export_tables.sh BUILD_WIN32_FOLDER
set -uo pipefail
build=${1:?usage: export_tables.sh BUILD_WIN32_FOLDER}
objdump=${OBJDUMP:-i686-w64-mingw32-objdump}
status=0
fail() { echo "FAIL: $*" >&2; status=1; }

exports() { "$objdump" -p "$1" | sed -n '/\[Ordinal\/Name Pointer\] Table/,/^$/p' | sed -n 's/^\s*\[ *[0-9]*\] //p'; }
imports() { "$objdump" -p "$1" | sed -n 's/^\s*DLL Name: //p'; }

check_i686() {  # file
  "$objdump" -f "$1" | grep -q 'file format pei-i386' || fail "$1 is not an i686 program"
}

check_exports() {  # file names...
  local file=$1; shift
  local have
  have=$(exports "$file")
  for name in "$@"; do
    grep -qx "$name" <<<"$have" || fail "$(basename "$file") does not export $name undecorated"
  done
  local decorated
  decorated=$(grep -E '@[0-9]+$|^_' <<<"$have" || true)
  [ -z "$decorated" ] || fail "$(basename "$file") exports decorated names: $decorated"
}

# Windows' own libraries only: a DLL beside INSTALL.EXE or a runtime DLL would not travel with it.
check_imports() {  # file
  local dll
  while read -r dll; do
    [ -n "$dll" ] || continue
    case "${dll,,}" in
      lib*.dll | zlib*.dll | idapi32.dll | upgrade.dll | *gcc* | *stdc++* | *pthread*)
        fail "$(basename "$1") imports $dll" ;;
    esac
  done < <(imports "$1")
}

engine=$build/standins/idapi32/idapi32.dll
upgrade=$build/standins/upgrade/UPGRADE.DLL
install=$(find "$build" -maxdepth 2 -iname INSTALL.exe -print -quit)
for f in "$engine" "$upgrade" "$install"; do
  [ -n "$f" ] && [ -f "$f" ] || { fail "missing ${f:-INSTALL.EXE} in $build"; continue; }
  check_i686 "$f"
  check_imports "$f"
done
[ -f "$engine" ] && check_exports "$engine" DbiInit DbiExit DbiOpenDatabase DbiCloseDatabase DbiGetDirectory \
  DbiAddAlias DbiCfgSave DbiOpenCfgInfoList DbiSetToBegin DbiGetNextRecord DbiModifyRecord
[ -f "$upgrade" ] && check_exports "$upgrade" GetAliasPath SetReportProc SetQuickVerif DoStructureUpgrade \
  DoListUpgrade DoConstUpgrade GetSemaforOK
if [ -n "$install" ] && [ -f "$install" ]; then
  [ -z "$(exports "$install")" ] || fail "INSTALL.EXE exports entry points"
fi
[ $status = 0 ] && echo "i686 export and import tables: ok"
exit $status
