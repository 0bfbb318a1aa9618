#!/usr/bin/env bash
# Installs 32-bit Wine (wine32:i386) and the 32-bit MinGW-w64 compiler, for
# running the mock EchoLink as the 32-bit server EchoLink really is.
#
# Multi-Arch "same" libraries must have the same version for amd64 and i386.
# A mirror caught mid-sync (an index that fails its size check) or an image
# whose amd64 libraries came from a newer or older index than the i386 ones
# breaks that. Then each clashing library is requested at a version both
# architectures have (see common_version), and installed packages tied to
# its exact version move with it. A plan that would still remove a package
# is refused.
#
# Exits 0 when both are installed; otherwise non-zero with the reason.
set -uo pipefail

wanted=(wine32:i386 g++-mingw-w64-i686-posix)
log() { echo "install-wine32: $*"; }

installed() {
    dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep -q "install ok installed"
}

all_installed() {
    local p
    for p in "${wanted[@]}"; do installed "$p" || return 1; done
}

all_installed && { log "already installed"; exit 0; }

sudo=""
if [ "$(id -u)" -ne 0 ]; then
    command -v sudo >/dev/null || { log "need root or sudo"; exit 1; }
    sudo=sudo
fi
export DEBIAN_FRONTEND=noninteractive

if ! dpkg --print-foreign-architectures | grep -qx i386; then
    log "adding the i386 architecture"
    $sudo dpkg --add-architecture i386 || exit 1
fi

# A failed index is retried; after the last try apt goes on with what it has.
update() {
    local try
    for try in 1 2 3; do
        if $sudo apt-get update -qq >"$work/update.log" 2>&1 \
            && ! grep -q '^[EW]: Failed to fetch' "$work/update.log"; then
            return 0
        fi
        log "apt-get update, try $try: $(grep -m1 -e '^E:' -e '^W:' "$work/update.log")"
        [ $try -eq 3 ] || sleep $((try * 5))
    done
    log "going on with the indexes that did download"
}

# The versions of a package:arch on offer, newest first.
versions() {
    apt-cache madison "$1" 2>/dev/null | awk -F' *[|] *' '$3 ~ /Packages/ {print $2}' \
        | sort -u | sort -r -V
}

# The installed amd64 version when i386 has it too, else the newest version
# both architectures have (an upgrade or, failing that, a downgrade).
common_version() {
    local package=$1 current=$2 theirs v
    theirs=$(versions "$package:i386")
    if grep -qxF "$current" <<<"$theirs"; then
        echo "$current"
        return
    fi
    while read -r v; do
        [ -n "$v" ] && grep -qxF "$v" <<<"$theirs" && { echo "$v"; return; }
    done < <(versions "$package:amd64")
}

# The wanted packages' i386 Multi-Arch "same" libraries whose installed amd64
# sibling is out of step: apt marks an i386 library only when its candidate
# equals both the amd64 one installed and the amd64 candidate. Prints
# "package installed-amd64-version" per clash.
clashes() {
    local names
    names=$(apt-cache depends --recurse --no-recommends --no-suggests --no-conflicts \
        --no-breaks --no-replaces --no-enhances "${wanted[@]}" 2>/dev/null \
        | sed -n 's/^\([^ <][^ ]*\):i386$/\1/p' | sort -u)
    [ -n "$names" ] || return 0
    # shellcheck disable=SC2046
    {
        dpkg-query -W -f='installed ${binary:Package} ${db:Status-Abbrev}${Version} ${Multi-Arch}\n' \
            $(sed 's/$/:amd64/' <<<"$names") 2>/dev/null
        apt-cache policy $(sed 's/$/:amd64/' <<<"$names") \
            | awk '/^[^ ]/ {name = $1} /Candidate:/ {print "amd64", name, $2}'
        apt-cache policy $(sed 's/$/:i386/' <<<"$names") \
            | awk '/^[^ ]/ {name = $1} /Candidate:/ {print "i386", name, $2}'
    } | awk '
        { name = $2; sub(/:$/, "", name); sub(/:(amd64|i386)$/, "", name) }
        $1 == "installed" && $3 == "ii" && $5 == "same" { have[name] = $4 }
        $1 == "amd64" { ours[name] = $3 }
        $1 == "i386" { theirs[name] = $3 }
        END {
            for (name in have)
                if (theirs[name] != have[name] || ours[name] != have[name])
                    print name, have[name]
        }' | sort
}

# Plans the install without doing it; the plan is in $work/plan.log.
plan() {
    $sudo apt-get install -s -y --no-install-recommends --allow-downgrades "$@" \
        >"$work/plan.log" 2>&1 && return 0
    log "apt-get cannot plan it:"
    grep -e '^E:' -e ' : Depends' "$work/plan.log" | head -n 12
    return 1
}

removals() {
    awk '/^Remv/ {print $2}' "$work/plan.log"
}

# A version of an installed package that goes with the new version of its
# source's moved library (a -dev package pinned to its library's exact
# version, say): the same version, or the same apart from a binNMU suffix.
follow_version() {
    local package=$1 source moved v
    source=$(dpkg-query -W -f='${source:Package}' "$package" 2>/dev/null) || return 1
    moved=$(awk -v s="$source" '$1 == s {print $2; exit}' "$work/sources")
    [ -n "$moved" ] || return 1
    while read -r v; do
        [ "$v" = "$moved" ] || [ "${v%+b[0-9]*}" = "${moved%+b[0-9]*}" ] && { echo "$v"; return 0; }
    done < <(versions "$package")
    return 1
}

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

update
if plan "${wanted[@]}" && [ -z "$(removals)" ]; then
    pins=()
else
    log "looking for amd64/i386 version clashes"
    pins=()
    : >"$work/sources"
    while read -r package current; do
        [ -n "$package" ] || continue
        common=$(common_version "$package" "$current")
        if [ -z "$common" ]; then
            log "no version of $package exists for both amd64 and i386"
            exit 1
        fi
        [ "$common" = "$current" ] || log "$package: amd64 $current, using $common for both"
        pins+=("$package:amd64=$common" "$package:i386=$common")
        echo "$(dpkg-query -W -f='${source:Package}' "$package:amd64") $common" >>"$work/sources"
    done < <(clashes)
    [ ${#pins[@]} -gt 0 ] || { log "no clash found to work around"; exit 1; }

    # Installed packages tied to a moved library's exact version move with it
    # (their dependants then stay); a removal nothing explains stops it.
    for round in 1 2 3 4; do
        plan "${wanted[@]}" "${pins[@]}" || exit 1
        removed=$(removals)
        [ -n "$removed" ] || break
        [ "$round" -lt 4 ] || { log "refused: the plan removes" $removed; exit 1; }
        followed=0
        for package in $removed; do
            version=$(follow_version "$package") || continue
            log "$package: moving to $version with its library"
            pins+=("$package=$version")
            followed=$((followed + 1))
        done
        [ $followed -gt 0 ] || { log "refused: the plan removes" $removed; exit 1; }
    done
fi

$sudo apt-get install -y -qq --no-install-recommends --allow-downgrades "${wanted[@]}" "${pins[@]}" \
    >"$work/install.log" 2>&1 || tail -n 12 "$work/install.log"
all_installed && { log "installed"; exit 0; }
log "wine32 could not be installed"
exit 1
