#!/bin/sh
# Writes the fuzz targets' seed corpora from the e2e messages, the examples
# and the template seeds kept here, each in the input form of its target
# (see the comment at the head of each target).
# Usage: make_seeds.sh SOURCE_FOLDER OUTPUT_FOLDER
set -eu
source=$1
out=$2
rm -rf "$out"
mkdir -p "$out/plugin_fuzz" "$out/config_fuzz" "$out/template_fuzz" "$out/mime_fuzz"

# The changes of a NAME.set file (KEY<TAB>VALUE per line, a key alone
# removes) as the plug-in target's changes: 'W' takes key and value as texts,
# 'C' a key as text and no value; the index byte '@' is not used by either.
changes() {
    while IFS= read -r line || [ -n "$line" ]; do
        case "$line" in
            *"	"*) printf 'W@%s\000%s\000' "${line%%	*}" "${line#*	}" ;;
            *) printf 'C@%s\000' "$line" ;;
        esac
    done <"$1"
}

for message in "$source"/tests/e2e/messages/*.eml "$source"/examples/*.eml; do
    name=$(basename "$message" .eml)
    set_file=${message%.eml}.set
    count=0
    [ -f "$set_file" ] && count=$(grep -c '' "$set_file")
    # '@': French, getObject, switched on, two messages; 'H' three of them.
    for flags in @ A H; do
        {
            printf '%s' "$flags"
            printf "\\$(printf '%03o' $((64 + count)))"
            [ -f "$set_file" ] && changes "$set_file"
            cat "$message"
        } >"$out/plugin_fuzz/$name.$flags"
    done
    # 'C': the French build's attachment phrase.
    { printf 'C'; cat "$message"; } >"$out/mime_fuzz/$name"
    if [ -f "$set_file" ]; then
        { printf '@'; cat "$set_file"; printf '\000'; cat "$message"; } >"$out/config_fuzz/$name"
    fi
done
# The shipped French configuration with the sample messages, and alone ('D':
# the file runs to the end; 'E', the German one in the German plug-in).
for message in "$source"/examples/*.eml; do
    { printf 'B'; cat "$source/languages/french/postsift.cfg"; printf '\000'; cat "$message"; } \
        >"$out/config_fuzz/sample-$(basename "$message" .eml)"
done
{ printf 'D'; cat "$source/languages/french/postsift.cfg"; } >"$out/config_fuzz/sample"
{ printf 'E'; cat "$source/languages/german/postsift.cfg"; } >"$out/config_fuzz/sample.de"

# Templates, each with every keyword symbol captured and with none.
for template in "$source"/fuzz/seeds/template/*; do
    name=$(basename "$template")
    { printf 'U'; cat "$template"; } >"$out/template_fuzz/$name.all"
    { printf '@'; cat "$template"; } >"$out/template_fuzz/$name.none"
done
