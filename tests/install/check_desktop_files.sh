#!/usr/bin/env bash
# Usage: check_desktop_files.sh RESOURCES_DIR DOCS_DIR VERSION
# The desktop entry and the AppStream metadata as the desktop reads them:
# desktop-file-validate and `appstreamcli validate --no-net` find no error and
# no warning; the entry opens the data files it names; the metadata points at
# the entry, at the screenshot the repository holds, and at this release.
set -uo pipefail

resources=$1 docs=$2 version=$3
entry="$resources/sumvane.desktop"
metainfo="$resources/io.github.sumvane.sumvane.metainfo.xml"
failures=0
fail() {
  echo "FAIL: $*"
  failures=$((failures + 1))
}

# Hints (such as the entry under both Education and Science) are advice on
# menu placement, not faults.
if ! command -v desktop-file-validate >/dev/null; then
  fail "desktop-file-validate is not installed (package desktop-file-utils)"
else
  report=$(desktop-file-validate "$entry" 2>&1)
  status=$?
  [ -n "$report" ] && echo "$report"
  if [ $status -ne 0 ] || grep -qE ': (error|warning): ' <<<"$report"; then
    fail "desktop-file-validate reports problems in $entry"
  fi
fi
grep -qx 'Exec=sumvane %f' "$entry" || fail "the entry does not pass the opened file: $(grep '^Exec=' "$entry")"
grep -qx 'MimeType=text/csv;text/tab-separated-values;' "$entry" ||
  fail "the entry does not open table files: $(grep '^MimeType=' "$entry")"

if ! command -v appstreamcli >/dev/null; then
  fail "appstreamcli is not installed (package appstream)"
else
  report=$(appstreamcli validate --no-net --no-color "$metainfo" 2>&1)
  status=$?
  echo "$report"
  if [ $status -ne 0 ] || grep -qE '^[EW]: ' <<<"$report"; then
    fail "appstreamcli validate reports problems in $metainfo"
  fi
fi
grep -q '<launchable type="desktop-id">sumvane.desktop</launchable>' "$metainfo" ||
  fail "the metadata does not name the desktop entry"
grep -q "<release version=\"$version\"" "$metainfo" || fail "the metadata has no release $version"
shot=$(sed -n 's|.*<image>.*/main/\(docs/[^<]*\)</image>.*|\1|p' "$metainfo")
[ -n "$shot" ] && [ -f "$docs/../$shot" ] || fail "the screenshot '$shot' is not in the repository"

if [ $failures -ne 0 ]; then
  echo "$failures desktop check(s) failed"
  exit 1
fi
echo "desktop entry and AppStream metadata: all good"
