#!/usr/bin/env bash
# Usage: check_install.sh CMAKE BUILD_DIR RESOURCES_DIR BUILT_EXE BINDIR DATADIR
#                         CPACK_CONFIG VERSION
# Runs `cmake --install` into a fresh temporary prefix, then checks the layout,
# the desktop entry and that the installed program starts; then builds the
# Debian package into a temporary folder and checks its control fields, that
# lintian finds no error or warning in it (where lintian is installed), and
# that it holds exactly the installed files under /usr.
set -uo pipefail

cmake=$1 build=$2 resources=$3 built_exe=$4 bindir=$5 datadir=$6
cpack_config=$7 version=$8
failures=0
fail() {
  echo "FAIL: $*"
  failures=$((failures + 1))
}

if [ ! -x "$built_exe" ]; then
  echo "FAIL: $built_exe is not built; build the sumvane target before running this test"
  exit 1
fi

prefix=$(mktemp -d "${TMPDIR:-/tmp}/sumvane-install.XXXXXX")
# cmake --install rewrites the build's install_manifest.txt, which
# `make uninstall` reads; keep the real one out of the way and put it back.
manifest="$build/install_manifest.txt"
saved="$build/install_manifest.txt.before-install-test.$$"
[ -e "$manifest" ] && mv -f "$manifest" "$saved"
packages=$(mktemp -d "${TMPDIR:-/tmp}/sumvane-package.XXXXXX")
cleanup() {
  rm -rf "$prefix" "$packages"
  rm -f "$manifest"
  [ -e "$saved" ] && mv -f "$saved" "$manifest"
}
trap cleanup EXIT

if ! env -u DESTDIR "$cmake" --install "$build" --prefix "$prefix" >"$prefix.log" 2>&1; then
  cat "$prefix.log"
  rm -f "$prefix.log"
  echo "FAIL: cmake --install $build --prefix $prefix"
  exit 1
fi
rm -f "$prefix.log"

share="$prefix/$datadir"
exe="$prefix/$bindir/sumvane"
entry="$share/applications/sumvane.desktop"

# Every installed file, each with the source it must match ("-" for none).
expected=(
  "$exe" -
  "$share/icons/hicolor/scalable/apps/sumvane.svg" "$resources/icons/hicolor/scalable/apps/sumvane.svg"
  "$entry" "$resources/sumvane.desktop"
  "$share/metainfo/io.github.sumvane.sumvane.metainfo.xml"
  "$resources/io.github.sumvane.sumvane.metainfo.xml"
)
# Debian's documents; the compressed ones hold their source whole.
expected+=(
  "$share/doc/sumvane/copyright" "$resources/debian/copyright"
  "$share/doc/sumvane/changelog.gz" "gzip:$resources/debian/changelog"
  "$share/man/man1/sumvane.1.gz" "gzip:$resources/man/sumvane.1"
  "$share/man/zh_CN/man1/sumvane.1.gz" "gzip:$resources/man/zh_CN/sumvane.1"
)
for size in 16 32 48 128 256; do
  expected+=("$share/icons/hicolor/${size}x${size}/apps/sumvane.png"
             "$resources/icons/hicolor/${size}x${size}/apps/sumvane.png")
done
while IFS= read -r -d '' page; do
  expected+=("$share/sumvane/help/${page#"$resources/help/"}" "$page")
done < <(find "$resources/help" -type f -print0)

declare -A wanted=()
for ((i = 0; i < ${#expected[@]}; i += 2)); do
  installed=${expected[i]} source=${expected[i + 1]}
  wanted[$installed]=1
  if [ ! -f "$installed" ]; then
    fail "missing ${installed#"$prefix/"}"
  elif [[ $source == gzip:* ]]; then
    gzip -dc "$installed" 2>/dev/null | cmp -s - "${source#gzip:}" ||
      fail "${installed#"$prefix/"} does not unpack to ${source#"gzip:$resources/"}"
  elif [ "$source" != - ] && ! cmp -s "$installed" "$source"; then
    fail "${installed#"$prefix/"} differs from ${source#"$resources/"}"
  fi
done
[ -x "$exe" ] || fail "${exe#"$prefix/"} is not executable"

# Nothing else: no libraries, headers or test programs leak into the install.
while IFS= read -r -d '' file; do
  [ -n "${wanted[$file]:-}" ] || fail "unexpected file ${file#"$prefix/"}"
done < <(find "$prefix" \( -type f -o -type l \) -print0)

# The program looks for its help two levels up from itself: <bin>/../share.
[ -f "$(dirname "$exe")/../share/sumvane/help/index.html" ] ||
  fail "the installed program would not find share/sumvane/help/index.html beside $bindir"

# Errors and warnings fail; hints (such as listing the entry under both
# Education and Science) are advice on menu placement, not faults.
if [ -f "$entry" ]; then
  if ! command -v desktop-file-validate >/dev/null; then
    fail "desktop-file-validate is not installed (package desktop-file-utils)"
  else
    report=$(desktop-file-validate "$entry" 2>&1)
    status=$?
    [ -n "$report" ] && echo "$report"
    if [ $status -ne 0 ] || grep -qE ': (error|warning): ' <<<"$report"; then
      fail "desktop-file-validate reports problems in the installed entry"
    fi
  fi
  # The launcher runs the entry's Exec from PATH and draws its Icon by name.
  exec_name=$(sed -n 's/^Exec=\([^ ]*\).*/\1/p' "$entry" | head -n1)
  icon_name=$(sed -n 's/^Icon=//p' "$entry" | head -n1)
  [ "$exec_name" = "$(basename "$exe")" ] ||
    fail "Exec=$exec_name does not name the installed program $(basename "$exe")"
  [ -f "$share/icons/hicolor/48x48/apps/$icon_name.png" ] ||
    fail "Icon=$icon_name has no installed icon of that name"
fi

# A native package's changelog opens with the package's own version.
read -r changelog_head <"$resources/debian/changelog"
[[ $changelog_head == "sumvane ($version) "* ]] ||
  fail "resources/debian/changelog opens with '$changelog_head', not version $version"

# The installed copy must load and keep running: still alive after a few
# seconds means timeout ended it (status 124), not a crash or a missing library.
if [ -x "$exe" ]; then
  QT_QPA_PLATFORM=offscreen timeout 4 "$exe" >/dev/null 2>&1
  status=$?
  [ $status -eq 124 ] || fail "the installed program exited with status $status within 4 s"
fi

# The package holds what the install holds, under /usr, and says what it
# needs; dpkg-shlibdeps (dpkg-dev) finds the libraries the program links.
cpack=$(dirname "$cmake")/cpack
if ! command -v dpkg-shlibdeps >/dev/null; then
  fail "dpkg-shlibdeps is not installed (package dpkg-dev)"
elif ! "$cpack" --config "$cpack_config" -G DEB -B "$packages" >"$packages/log" 2>&1; then
  cat "$packages/log"
  fail "cpack -G DEB"
else
  deb=$(find "$packages" -maxdepth 1 -name "sumvane_${version}_*.deb" | head -n1)
  if [ -z "$deb" ]; then
    fail "cpack made no sumvane_${version}_*.deb"
  else
    field() { dpkg-deb -f "$deb" "$1"; }
    [ "$(field Package)" = sumvane ] || fail "package name is '$(field Package)'"
    [ "$(field Version)" = "$version" ] || fail "package version is '$(field Version)', not $version"
    [ -n "$(field Maintainer)" ] || fail "the package names no maintainer"
    [ -n "$(field Section)" ] || fail "the package names no section"
    for library in libqt6widgets6 libqt6gui6 libqt6core6 libstdc++6; do
      grep -qw "$library" <<<"$(field Depends)" || fail "Depends lacks $library: $(field Depends)"
    done
    # Debian's policy checks: any error or warning fails; notes (I:) do not.
    if command -v lintian >/dev/null; then
      report=$(lintian "$deb" 2>&1)
      status=$?
      if grep -qE '^[EW]: ' <<<"$report"; then
        grep -E '^[EW]: ' <<<"$report"
        fail "lintian reports errors or warnings on the package"
      elif [ $status -ne 0 ]; then
        echo "$report"
        fail "lintian failed (status $status)"
      fi
    else
      echo "lintian is not installed (package lintian): the package's policy checks are skipped"
    fi
    in_package=$(dpkg-deb -c "$deb" | awk '$1 !~ /^d/ { print $NF }' | sed 's|^\./usr/||' | sort)
    in_install=$(cd "$prefix" && find . \( -type f -o -type l \) | sed 's|^\./||' | sort)
    if [ "$in_package" != "$in_install" ]; then
      diff <(echo "$in_install") <(echo "$in_package")
      fail "the package's files under /usr differ from the install's"
    fi
  fi
fi

if [ $failures -ne 0 ]; then
  echo "$failures install check(s) failed"
  exit 1
fi
echo "install into a temporary prefix and the Debian package: all good"
