#!/usr/bin/env bash
# sync_player_folder.sh CONTENT_DIR [PLAYER_DIR]
#
# Fills and updates the player's folder, where the programs run, from a content folder that
# the build made (or the install put in place), and prints the player's folder on standard
# output. Without PLAYER_DIR it is $GLIMBO_HOME, else ${XDG_DATA_HOME:-~/.local/share}/glimbo.
#
# The manifest .glimbo-content in the player's folder lists, for every content file this
# script installed, the SHA-256 of what it installed and of the newer version it last
# declined to install. A file still equal to what was installed is updated, and removed when
# the content no longer has it; a file deleted by the player is put back. A file the player
# changed or made (levels, level.svg, MyGame.svg, quicksave.sav, anything) is never
# overwritten or deleted; a note on standard error names it once per declined version.
# Every new file is first written beside its target and renamed into place only when all
# of them were written, so a read-only or full folder gives an error and changes nothing.
set -uo pipefail
export LC_ALL=C # one sort order and one hash output format everywhere

MANIFEST=.glimbo-content
STAGED=.glimbo-new # suffix of a file written beside its target, before the rename

fail() {
    echo "glimbo: $*" >&2
    exit 1
}

[ $# -ge 1 ] && [ $# -le 2 ] || fail "usage: sync_player_folder.sh CONTENT_DIR [PLAYER_DIR]"
content=$1
player=${2:-${GLIMBO_HOME:-${XDG_DATA_HOME:-$HOME/.local/share}/glimbo}}
[ -f "$content/levels/level1.svg" ] || fail "no content in $content (it has no levels/level1.svg)"

if [ ! -d "$player" ]; then
    mkdir -p -- "$player" 2>/dev/null || fail "cannot create your folder $player"
fi
player=$(cd -- "$player" && pwd) || fail "cannot enter your folder $player"

# "HASH  PATH" lines of the content's files, hidden build records left out.
declare -A want old_hash offered mine
while IFS= read -r line; do
    want[${line:66}]=${line:0:64}
done < <(cd -- "$content" && find . -mindepth 1 -name '.*' -prune -o -type f -printf '%P\0' |
    sort -z | xargs -0r sha256sum)

# Manifest lines: "INSTALLED OFFERED PATH", OFFERED "-" when nothing was declined.
if [ -f "$player/$MANIFEST" ]; then
    while read -r hash seen path; do
        [ -n "$path" ] || continue # a damaged line names no file
        old_hash[$path]=$hash
        offered[$path]=$seen
    done <"$player/$MANIFEST"
fi

# Hashes of the player's copies of every file the content or the manifest names.
while IFS= read -r line; do
    mine[${line:66}]=${line:0:64}
done < <(cd -- "$player" && for f in "${!want[@]}" "${!old_hash[@]}"; do
    [ -f "$f" ] && printf '%s\0' "$f"
done | sort -zu | xargs -0r sha256sum)

install=() remove=() kept=() manifest=()
while IFS= read -r f; do
    new=${want[$f]} have=${mine[$f]:-} was=${old_hash[$f]:-}
    if [ "$have" = "$new" ]; then
        manifest+=("$new - $f")
    elif [ -z "$have" ] || [ "$have" = "$was" ]; then
        install+=("$f") # new, deleted by the player, or untouched since the last install
        manifest+=("$new - $f")
    else
        # The player's own version stays; a file this script never installed stays out.
        # Only a newer content version left uninstalled is news, and only the first time.
        if [ -n "$was" ] && [ "$was" = "$new" ]; then
            manifest+=("$was - $f")
        else
            [ -n "$was" ] && manifest+=("$was $new $f")
            [ "${offered[$f]:-}" != "$new" ] && kept+=("$f")
        fi
    fi
done < <(printf '%s\n' "${!want[@]}" | sort)
for f in "${!old_hash[@]}"; do
    # Content that is gone is removed only where the player never changed it.
    if [ -z "${want[$f]:-}" ] && [ -n "${mine[$f]:-}" ] && [ "${mine[$f]}" = "${old_hash[$f]}" ]; then
        remove+=("$f")
    fi
done

# Every folder written to must be writable: the nearest existing one for a new folder.
check_writable() {
    local dir=$1
    while [ ! -e "$dir" ]; do dir=$(dirname -- "$dir"); done
    [ -d "$dir" ] && [ -w "$dir" ] || fail "cannot write to $dir: your folder is read-only; nothing was changed"
}
check_writable "$player"
for f in "${install[@]}" "${remove[@]}"; do check_writable "$(dirname -- "$player/$f")"; done

staged=() made=()
undo() {
    local i
    for f in "${staged[@]}"; do rm -f -- "$f"; done
    for ((i = ${#made[@]} - 1; i >= 0; i--)); do rmdir -- "${made[i]}" 2>/dev/null; done
    fail "$1; nothing was changed"
}
stage() { # stage SOURCE TARGET
    local dir
    dir=$(dirname -- "$2")
    if [ ! -d "$dir" ]; then
        local missing=() d=$dir
        while [ ! -d "$d" ]; do missing=("$d" "${missing[@]}"); d=$(dirname -- "$d"); done
        mkdir -p -- "$dir" 2>/dev/null || undo "cannot create $dir"
        made+=("${missing[@]}")
    fi
    staged+=("$2.$STAGED")
    cp -- "$1" "$2.$STAGED" 2>/dev/null || undo "cannot write $2 (is the disk full?)"
}

need=0
for f in "${install[@]}"; do need=$((need + $(stat -c %s -- "$content/$f"))); done
free=$(df -P -B1 --output=avail -- "$player" 2>/dev/null | tail -n 1)
if [[ $free =~ ^[0-9]+$ ]] && [ "$need" -gt "$free" ]; then
    fail "not enough space in $player: the content needs $need bytes, $free are free; nothing was changed"
fi

for f in "${install[@]}"; do stage "$content/$f" "$player/$f"; done
staged+=("$player/$MANIFEST.$STAGED")
printf '%s\n' "${manifest[@]}" >"$player/$MANIFEST.$STAGED" 2>/dev/null ||
    undo "cannot write $player/$MANIFEST (is the disk full?)"

# All written: rename into place (atomic per file), then drop what the content no longer has.
for f in "${install[@]}"; do mv -f -- "$player/$f.$STAGED" "$player/$f"; done
for f in "${remove[@]}"; do rm -f -- "$player/$f"; done
mv -f -- "$player/$MANIFEST.$STAGED" "$player/$MANIFEST"

if [ ${#kept[@]} -gt 0 ]; then
    {
        echo "glimbo: you changed these files in $player, so their new versions were not installed:"
        printf '  %s\n' "${kept[@]}"
        echo "  (delete one to get the current version back)"
    } >&2
fi
printf '%s\n' "$player"
