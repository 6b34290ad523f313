#!/usr/bin/env bash
# The release archive as a Windows user gets it: built by CPack, unpacked outside the
# build tree, its program started under Wine from there. Checks that the archive holds
# the programs and the read-me, that the programs import only the system's own DLLs,
# that its version resource and information box carry the project's version, and that
# it shows its window.
#   package_e2e.sh SOURCE_DIR BUILD_DIR VERSION
set -uo pipefail
ROOT=$1
BUILD=$2
VERSION=$3
. "$ROOT/tests/e2e/checks.sh"

# The DLLs every Windows installation has; the program may import nothing else.
system_dlls=" advapi32.dll comctl32.dll comdlg32.dll gdi32.dll kernel32.dll msimg32.dll msvcrt.dll "
system_dlls+="ole32.dll oleaut32.dll shell32.dll shlwapi.dll user32.dll uxtheme.dll version.dll winmm.dll "

work=$(mktemp -d)
trap 'end_waiting_jobs; rm -rf "$work"' EXIT
archive=converter-$VERSION-win64.zip

cpack -G ZIP --config "$BUILD/CPackConfig.cmake" -B "$work/out" >"$work/cpack.log" 2>&1 \
    || { cat "$work/cpack.log"; exit 1; }
check "archive name" "$archive" "$(cd "$work/out" && ls -- *.zip)"
mkdir "$work/unpacked"
(cd "$work/unpacked" && cmake -E tar xf "$work/out/$archive")
check "archive contents" "README.txt converter.exe vibration.exe" "$(cd "$work/unpacked" && ls | tr '\n' ' ' | sed 's/ $//')"
exe=$work/unpacked/converter.exe
readme=$work/unpacked/README.txt
check "read-me names the version in both languages" "2" "$(grep -cF "$VERSION" "$readme")"
check "read-me has Windows line ends" "$(wc -l <"$readme")" "$(grep -c $'\r$' "$readme")"
check_true "read-me names /ih" grep -q "/ih" "$readme"
check_true "read-me tells of vibration.exe" grep -q "vibration.exe" "$readme"

imports=$(x86_64-w64-mingw32-objdump -p "$exe" "$work/unpacked/vibration.exe" | awk '/DLL Name:/ { print tolower($3) }' | sort -u)
check_true "imports read" [ -n "$imports" ]
for dll in $imports; do
    check_true "$dll is a system DLL" grep -qF " $dll " <<<"$system_dlls"
done

# The window's icon and the toolkit's fallback icon share one picture: one icon image,
# and the groups KVIC and MAINICON each name it with its size as the icon file gives it.
resources=$(x86_64-w64-mingw32-windres -i "$exe" -O rc 2>/dev/null)
check "one icon image" "1" "$(grep -c 'RT_ICON \*/' <<<"$resources")"
image_size=$(printf '0x%xL' "$(od -An -tu4 -j14 -N4 "$ROOT/app/converter.ico" | tr -d ' ')")
for group in KVIC MAINICON; do
    check "icon group $group over the image" "1, 32, $image_size, 1" \
        "$(grep -A4 "^\"$group\" 14" <<<"$resources" | grep -o '1, 32, 0x[0-9a-f]*L, [0-9]*')"
done

# The version resource's strings are UTF-16: each name is followed by its value.
resource_value() { strings -el "$exe" | grep -A1 -x "$1" | tail -1; }
check "FileVersion" "$VERSION.0" "$(resource_value FileVersion)"
# The manifest: DPI awareness per monitor (the system's as the fallback), the common
# controls of version 6, the Windows versions.
manifest=$(grep -a -o '<assembly.*</assembly>' <(tr -d '\r\n' <"$exe"))
check_true "manifest: per-monitor DPI awareness" grep -q '<dpiAwareness[^>]*>PerMonitorV2<' <<<"$manifest"
check_true "manifest: the system's DPI awareness as the fallback" grep -q '<dpiAware[^>]*>true<' <<<"$manifest"
check_true "manifest: common controls 6" grep -q 'Microsoft.Windows.Common-Controls" version="6.0.0.0"' <<<"$manifest"
check "manifest: supported Windows versions" "4" "$(grep -o '<supportedOS ' <<<"$manifest" | wc -l)"
check "ProductVersion" "$VERSION.0" "$(resource_value ProductVersion)"

start_program "$exe" /ih
if wait_for_window "#32770"; then
    sleep 0.5
    check_true "the information box says Версия $VERSION" grep -q "Версия $VERSION\$" <<<"$(window_lines "#32770")"
    check "information box: exit code" "0" "$(confirm_and_wait)"
else
    failed=$((failed + 1))
fi

start_program "$exe"
if wait_for_window; then
    sleep 1
    check "caption" "перевод виброускорения из  дБ в м/с2 " "$(window_lines | grep '^window' | cut -f13-)"
    check "the window is shown" "1" "$(window_lines | grep '^window' | cut -f7)"
    xdotool key alt+F4
    check "exit code" "0" "$(wait_for_exit)"
else
    failed=$((failed + 1))
fi

finish_checks
