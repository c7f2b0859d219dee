#!/usr/bin/env bash
# Cases of the folder-order check: each builds a small tree and says whether the check
# must pass. Usage: check_layers_test.sh PYTHON CHECKER
set -uo pipefail
python=$1 checker=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failed=0

# case NAME EXPECT(pass|fail) FILE=LINE...
case_() {
  local name=$1 expect=$2; shift 2
  local tree="$work/$name"
  mkdir -p "$tree"
  for spec in "$@"; do
    local file=${spec%%=*} line=${spec#*=}
    mkdir -p "$tree/$(dirname "$file")"
    printf '%s\n' "$line" >>"$tree/$file"
  done
  local output status
  output=$("$python" "$checker" "$tree" 2>&1); status=$?
  if { [ "$expect" = pass ] && [ $status -ne 0 ]; } || { [ "$expect" = fail ] && [ $status -eq 0 ]; }; then
    echo "FAIL $name: expected $expect, exit $status"; echo "$output"; failed=1
  else
    echo "ok   $name"
  fi
}

case_ downward pass 'setup/A.cpp=#include "sysconfig/B.h"' 'sysconfig/B.h=#include "platform/C.h"' \
  'platform/C.h=#include "core/D.h"' 'wizard/E.h=#include "toolkit/F.h"' 'toolkit/F.h=#include <windows.h>'
case_ own_folder pass 'toolkit/A.cpp=#include "toolkit/A.h"' 'install/B.cpp=#include "B.h"'
case_ upward fail 'sysconfig/B.cpp=#include "setup/RunProgram.h"'
case_ peer_upward fail 'sysconfig/B.cpp=#include "install/ZipArchive.h"'
case_ toolkit_to_wizard fail 'toolkit/A.h=  #  include "wizard/Page.h"'
case_ core_platform fail 'core/a.cpp=#include <windows.h>'
case_ core_to_platform fail 'core/a.cpp=#include "platform/Files.h"'
case_ tests_from_program fail 'install/A.cpp=#include "tests/win32/win32_test_support.h"'
case_ outside_may_use_all pass 'tests/win32/a_test.cpp=#include "setup/Iglobals.h"' \
  'gallery/main.cpp=#include "toolkit/Cliunit.h"'
exit $failed
