#!/usr/bin/env bash
# Usage: check_deps.sh CMAKE_CACHE INSTALL_DEPS_SCRIPT
# A machine that had the packages already configures whatever the deps script
# forgets, so this proves the script complete from dpkg's database alone: each
# file under /usr that the configure step found (every package folder, library
# and other file in the cache) must belong to a package the script names, or to
# one that a named package hard-depends on (Pre-Depends or Depends, followed
# through Provides, transitively). Recommends do not count: the script installs
# without them. Needs no network and nothing beyond bash, awk and dpkg.
set -uo pipefail

cache=$1 deps_script=$2
if ! command -v dpkg-query >/dev/null; then
  echo "SKIP: no dpkg-query; this check is for Debian"
  exit 77
fi
if [ ! -f "$cache" ]; then
  echo "FAIL: $cache does not exist; configure the build first"
  exit 1
fi
if ! named=$(bash "$deps_script" --list); then
  echo "FAIL: $deps_script --list"
  exit 1
fi

# What configure found: NAME:PATH or NAME:FILEPATH entries under /usr. A
# package folder (Foo_DIR) stands for the config file find_package read from
# it. Qt's optional probes for OpenGL and Vulkan extras are not requirements.
declare -A found_as=()
while IFS= read -r entry; do
  name=${entry%%:*} value=${entry#*=}
  case $name in OPENGL_* | Vulkan_*) continue ;; esac
  # The archiver, linker and object tools are whichever of several equivalent
  # ones CMake met first on PATH (llvm-ar where llvm is present, binutils' ar
  # otherwise, which every compiler here depends on); none is a requirement.
  case $name in
    CMAKE_AR | CMAKE_RANLIB | CMAKE_LINKER | CMAKE_NM | CMAKE_OBJCOPY | \
      CMAKE_OBJDUMP | CMAKE_READELF | CMAKE_STRIP | CMAKE_ADDR2LINE | \
      CMAKE_DLLTOOL | CMAKE_*_COMPILER_AR | CMAKE_*_COMPILER_RANLIB) continue ;;
  esac
  case $value in /usr/*) ;; *) continue ;; esac
  [ -e "$value" ] || continue
  if [ -d "$value" ] && [[ $name == *_DIR ]]; then
    package=${name%_DIR}
    for config in "$value/${package}Config.cmake" "$value/${package,,}-config.cmake"; do
      if [ -f "$config" ]; then
        value=$config
        break
      fi
    done
  fi
  found_as[$value]=$name
done < <(grep -E '^[A-Za-z0-9_]+(_DIR:PATH|:FILEPATH)=' "$cache")
if [ ${#found_as[@]} -eq 0 ]; then
  echo "FAIL: $cache names no file under /usr"
  exit 1
fi

# A file reached through a link (an alternative, a development .so) is checked
# at both ends; with /usr merged, dpkg may know it without the /usr prefix.
declare -A checked=()
for path in "${!found_as[@]}"; do
  checked[$path]=${found_as[$path]}
  target=$(readlink -f -- "$path")
  [ "$target" != "$path" ] && checked[$target]=${found_as[$path]}
done
queries=()
for path in "${!checked[@]}"; do queries+=("$path" "${path#/usr}"); done
declare -A owners=()
while IFS= read -r line; do
  case $line in "diversion by "*) continue ;; esac
  path=${line#*: } list=${line%%: *}
  list=$(sed -E 's/:[a-z0-9]+(,|$)/\1/g; s/,//g' <<<"$list")
  owners[$path]="${owners[$path]:-} $list"
done < <(LC_ALL=C dpkg -S -- "${queries[@]}" 2>/dev/null)

# Every package that installing the named ones brings, as apt chooses: in
# "a | b" the first alternative installed here, with each installed provider
# of a virtual name.
closure=$(
  dpkg-query -W -f='${db:Status-Abbrev}\t${Package}\t${Pre-Depends}, ${Depends}\t${Provides}\n' |
    awk -F'\t' -v named="$(tr '\n' ' ' <<<"$named")" '
      function bare(s) {
        gsub(/\([^)]*\)/, "", s)
        gsub(/[ \t]/, "", s)
        sub(/:.*/, "", s)
        return s
      }
      function satisfying(name, out) {
        out = ""
        if (name in installed) out = name
        if (name in providers) out = out providers[name]
        return out
      }
      function add(list, k, m, q) {
        m = split(list, q, " ")
        for (k = 1; k <= m; k++)
          if (!(q[k] in seen)) { seen[q[k]] = 1; queue[++tail] = q[k] }
      }
      $1 == "ii " {
        installed[$2] = 1
        depends[$2] = $3
        n = split($4, provided, ",")
        for (i = 1; i <= n; i++) {
          v = bare(provided[i])
          if (v != "") providers[v] = providers[v] " " $2
        }
      }
      END {
        tail = 0
        m = split(named, roots, " ")
        for (i = 1; i <= m; i++) add(satisfying(roots[i]))
        for (head = 1; head <= tail; head++) {
          n = split(depends[queue[head]], clause, ",")
          for (i = 1; i <= n; i++) {
            a = split(clause[i], alternative, "|")
            for (j = 1; j <= a; j++) {
              s = satisfying(bare(alternative[j]))
              if (s != "") { add(s); break }
            }
          }
        }
        for (i = 1; i <= tail; i++) print queue[i]
      }'
)
declare -A brought=()
for package in $closure; do brought[$package]=1; done

failures=0
while IFS= read -r path; do
  list="${owners[$path]:-}${owners[${path#/usr}]:-}"
  if [ -z "${list// /}" ]; then
    # An alternative's link belongs to no package; its target is checked.
    [ "$(readlink -f -- "$path")" != "$path" ] && continue
    echo "FAIL: no Debian package owns $path (${checked[$path]}); install it from a package the deps script names"
    failures=$((failures + 1))
    continue
  fi
  covered=""
  for package in $list; do
    [ -n "${brought[$package]:-}" ] && covered=$package
  done
  if [ -z "$covered" ]; then
    echo "FAIL: $(sed 's/^ *//; s/  */ or /g' <<<"$list") (owner of $path, found as ${checked[$path]}) is missing from $(basename "$deps_script"): neither named there nor a hard dependency of a package named there"
    failures=$((failures + 1))
  fi
done < <(printf '%s\n' "${!checked[@]}" | sort)

if [ $failures -ne 0 ]; then
  echo "$failures file(s) that configure found come from packages the deps script does not install"
  exit 1
fi
echo "every file configure found under /usr (${#checked[@]}) comes from a package the deps script installs"
