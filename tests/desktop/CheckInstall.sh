#!/usr/bin/env bash
# Installs Plenova into a temporary prefix and checks what a Linux desktop reads from it: the
# menu entry is valid and opens both document types, the shared MIME database built from the
# prefix names a format and captured data by their own types (also where the system's database
# claims ".cap" for something else), every icon those name exists at every size of the theme,
# and the installed programs run.
#
#   CheckInstall.sh CMAKE BUILD_FOLDER SOURCE_FOLDER
set -uo pipefail
cmake=$1 build=$2 source=$3
sizes=(16 24 32 48 64 128 256)
format_type=application/x-plenova-format
captured_type=application/x-plenova-captura

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
prefix=$work/prefix
share=$prefix/share
failures=0
fail() {
    echo "FAIL: $*" >&2
    failures=$((failures + 1))
}

for tool in desktop-file-validate update-mime-database update-desktop-database xdg-mime mimetype; do
    command -v "$tool" >/dev/null || fail "$tool is missing (scripts/install-deps installs it)"
done
[ "$failures" -eq 0 ] || exit 1

if ! "$cmake" --install "$build" --prefix "$prefix" >"$work/install.log" 2>&1; then
    cat "$work/install.log" >&2
    fail "cmake --install failed"
    exit 1
fi

# The programs, runnable from the prefix with settings of their own.
for program in plenova plenova-cli; do
    [ -x "$prefix/bin/$program" ] || fail "bin/$program is not installed"
done
export PLENOVA_SETTINGS=$work/settings.ini
words=$("$prefix/bin/plenova-cli" words 2.5 2>&1)
[ "$words" = "DOS PESOS 50/100 M.N." ] || fail "the installed plenova-cli wrote '$words'"

# The examples, as the repository has them.
for example in factura cheque; do
    cmp -s "$source/examples/$example.fmt" "$share/plenova/ejemplos/$example.fmt" ||
        fail "share/plenova/ejemplos/$example.fmt is not examples/$example.fmt"
done

# The menu entry: valid without a single remark, and offered for both types.
entry=$share/applications/plenova.desktop
if [ -f "$entry" ]; then
    remarks=$(desktop-file-validate "$entry" 2>&1) || fail "desktop-file-validate refused the entry"
    [ -z "$remarks" ] || fail "desktop-file-validate: $remarks"
    grep -qx "MimeType=$format_type;$captured_type;" "$entry" || fail "the entry opens other types"
    grep -qx 'Exec=plenova %f' "$entry" || fail "the entry does not hand plenova the file"
else
    fail "share/applications/plenova.desktop is not installed"
fi

# The MIME database of the prefix, as a package's installation would build it.
# It remarks that the prefix is not among the folders searched: the checks below name it.
update-mime-database "$share/mime" 2>"$work/mime.log" ||
    fail "update-mime-database failed on the prefix: $(cat "$work/mime.log")"
update-desktop-database "$share/applications" || fail "update-desktop-database failed on the prefix"

# xdg-mime outside a desktop session: the generic desktop, which asks File::MimeInfo's
# `mimetype`, with nothing of the user's own (home, configuration) in the way.
in_prefix() {
    local data_dirs=$1
    shift
    env -i PATH="$PATH" HOME="$work/home" XDG_DATA_HOME="$work/home/data" \
        XDG_CONFIG_HOME="$work/home/config" XDG_CONFIG_DIRS="$work/no-config" \
        XDG_DATA_DIRS="$data_dirs" XDG_CURRENT_DESKTOP=X-Generic "$@"
}
mkdir -p "$work/home/data" "$work/home/config"

# Captured data as a user saves it, from the installed example.
captured=$work/factura.cap
QT_QPA_PLATFORM=offscreen "$prefix/bin/plenova-cli" fill "$share/plenova/ejemplos/factura.fmt" \
    --set 'PARTIDAS[1,1]=2' --save-cap "$captured" >/dev/null ||
    fail "the installed plenova-cli could not save captured data"

for data_dirs in "$share" "/usr/local/share:/usr/share:$share"; do
    type=$(in_prefix "$data_dirs" xdg-mime query filetype "$source/examples/factura.fmt")
    [ "$type" = "$format_type" ] || fail "with XDG_DATA_DIRS=$data_dirs a format is '$type'"
    type=$(in_prefix "$data_dirs" xdg-mime query filetype "$captured")
    [ "$type" = "$captured_type" ] || fail "with XDG_DATA_DIRS=$data_dirs captured data is '$type'"
done
for type in "$format_type" "$captured_type"; do
    app=$(in_prefix "$share" xdg-mime query default "$type")
    [ "$app" = plenova.desktop ] || fail "$type opens with '$app', not plenova.desktop"
done

# The icons: the application's mark and every icon the database names for Plenova's types, at
# every size as a PNG of that size, and as a scalable drawing.
icons=(apps/plenova)
while IFS=: read -r type icon; do
    case $type in application/x-plenova-*) icons+=("mimetypes/$icon") ;; esac
done <"$share/mime/icons"
[ ${#icons[@]} -eq 3 ] || fail "the database names ${#icons[@]} icons, not the mark and two types"
for icon in "${icons[@]}"; do
    for size in "${sizes[@]}"; do
        png=$share/icons/hicolor/${size}x$size/$icon.png
        if [ ! -f "$png" ]; then
            fail "${png#"$prefix"/} is not installed"
            continue
        fi
        # The signature, then the width and height of the header chunk.
        read -r -a bytes < <(od -An -tu1 -N24 "$png" | tr '\n' ' ')
        [ "${bytes[*]:0:8}" = "137 80 78 71 13 10 26 10" ] || fail "${png#"$prefix"/} is no PNG"
        width=$((bytes[18] * 256 + bytes[19]))
        height=$((bytes[22] * 256 + bytes[23]))
        [ "${width}x$height" = "${size}x$size" ] ||
            fail "${png#"$prefix"/} is ${width}x$height"
    done
    svg=$share/icons/hicolor/scalable/$icon.svg
    grep -q '<svg xmlns="http://www.w3.org/2000/svg"' "$svg" 2>/dev/null ||
        fail "${svg#"$prefix"/} is no scalable drawing"
done

if [ "$failures" -ne 0 ]; then
    echo "$failures checks failed" >&2
    exit 1
fi
echo "Plenova installs into a prefix as a desktop reads it"
