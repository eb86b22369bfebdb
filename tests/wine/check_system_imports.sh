#!/usr/bin/env bash
# Checks that Windows programs and DLLs import only DLLs that every Windows system has (the C
# and C++ runtimes are linked statically), so they run from a folder of their own.
# Usage: check_system_imports.sh file.exe|file.dll...
set -uo pipefail

objdump=${OBJDUMP:-i686-w64-mingw32-objdump}
command -v "$objdump" >/dev/null || { echo "check_system_imports.sh: $objdump is missing" >&2; exit 2; }

# Lower-case names of the system's own DLLs that the programs may import.
system_dlls=" kernel32.dll user32.dll gdi32.dll comctl32.dll comdlg32.dll shell32.dll shlwapi.dll ole32.dll "
system_dlls+="oleaut32.dll advapi32.dll winmm.dll msvcrt.dll dinput.dll uxtheme.dll version.dll ws2_32.dll "

failed=0
for file in "$@"; do
  imports=$("$objdump" -p "$file" | sed -n 's/^[[:space:]]*DLL Name: //p' | tr 'A-Z' 'a-z' | tr -d '\r')
  [ -n "$imports" ] || { echo "FAIL $(basename "$file"): no import table found"; failed=1; continue; }
  foreign=()
  for dll in $imports; do
    case "$system_dlls" in
      *" $dll "*) ;;
      *) foreign+=("$dll") ;;
    esac
  done
  if [ ${#foreign[@]} -eq 0 ]; then
    echo "PASS $(basename "$file") imports system DLLs only: $(echo $imports | tr ' ' ',')"
  else
    echo "FAIL $(basename "$file") imports ${foreign[*]}"
    failed=1
  fi
done
exit $failed
