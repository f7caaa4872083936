#!/bin/sh
# Runs the README's commands as written, in order, in a scratch folder laid out like the top of
# a clone (build/ and examples/ linked in), and checks what a new user would see: each command
# ends as the README says (status 0, or not 0 where it is marked "# fails"), each line it prints
# is shown in the README, and nothing is written outside demo/.
#   readme_tour.sh SOURCE-FOLDER BUILD-FOLDER SCRATCH-FOLDER
set -eu
source=$1 build=$2 scratch=$3
rm -rf "$scratch"
mkdir -p "$scratch"
ln -s "$build" "$scratch/build"
ln -s "$source/examples" "$scratch/examples"
readme="$source/README.md"
touch "$scratch/.started"

# The commands are the indented lines that start with the example firmware's build script or
# with build/brindle; the first command's set-up (tools/bootstrap) has been done by the build.
grep -E '^    (tools/bootstrap && )?(examples/firmware/build|build/brindle) ' "$readme" \
    | sed -e 's/^    //' -e 's/^tools\/bootstrap && //' > "$scratch/.commands"
test -s "$scratch/.commands"

failed=0
while IFS= read -r command; do
    status=0
    (cd "$scratch" && sh -c "$command") > "$scratch/.output" 2>&1 </dev/null || status=$?
    case $command in
    *"# fails"*) [ "$status" -ne 0 ] || { echo "did not fail: $command"; failed=1; } ;;
    *) [ "$status" -eq 0 ] || { echo "status $status: $command"; cat "$scratch/.output"; failed=1; } ;;
    esac
    while IFS= read -r line; do
        [ -z "$line" ] && continue
        grep -qxF "    $line" "$readme" || { echo "not in the README: $line"; failed=1; }
    done < "$scratch/.output"
done < "$scratch/.commands"

strays=$(cd "$scratch" && ls -A | grep -vxE 'build|examples|demo|\.started|\.commands|\.output' || true)
[ -z "$strays" ] || { echo "written outside demo/: $strays"; failed=1; }
written=$(find "$source/examples" -newer "$scratch/.started" -print)
[ -z "$written" ] || { echo "written into the examples: $written"; failed=1; }
exit $failed
